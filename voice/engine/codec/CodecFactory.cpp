#include "CodecFactory.h"

#include "G7231Codec.h"
#include "PlaceholderCodec.h"
#include "PureVoiceCodec.h"

#include <cctype>
#include <cstdio>

namespace {

bool EqualsIgnoringCase(const std::string& a, const char* b)
{
    size_t i = 0;
    for (; i < a.size() && b[i] != '\0'; ++i) {
        if (std::toupper(static_cast<unsigned char>(a[i])) !=
            std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    }
    return i == a.size() && b[i] == '\0';
}

std::string HexCode(unsigned code)
{
    char text[16];
    std::snprintf(text, sizeof(text), "0x%x", code);
    return text;
}

} // namespace

int CodecFactory::KindOfName(const std::string& name)
{
    if (EqualsIgnoringCase(name, "QUAL68"))
        return CodecLibraryTable::kPureVoice;
    if (EqualsIgnoringCase(name, "G72364"))
        return CodecLibraryTable::kG7231;
    return 0;
}

std::unique_ptr<Codec> CodecFactory::Make(const std::string& name)
{
    const int kind = KindOfName(name);
    const CodecLibrary library = m_table.Load(name, kind);
    if (library != nullptr && kind == CodecLibraryTable::kG7231)
        return std::make_unique<G7231Codec>(m_table.Libraries(), library);
    if (library != nullptr && kind == CodecLibraryTable::kPureVoice)
        return std::make_unique<PureVoiceCodec>(m_table.Libraries(), library);
    if (m_log) {
        m_log(kLogCategory, HexCode(kUnusableCodecError));
        m_log(kLogCategory, name);
    }
    return std::make_unique<PlaceholderCodec>();
}
