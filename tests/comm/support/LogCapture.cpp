#include "LogCapture.h"

#include <cctype>

#include "TvlLog.h"

bool IsTvlTimestamp(const std::string& text)
{
    static const char pattern[] = "99/Aaa/99,99:99:99";
    if (text.size() != sizeof pattern - 1)
        return false;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        const char want = pattern[i];
        const bool ok = want == '9'   ? std::isdigit(c)
                        : want == 'A' ? std::isupper(c)
                        : want == 'a' ? std::islower(c)
                                      : c == static_cast<unsigned char>(want);
        if (!ok)
            return false;
    }
    return true;
}

CLogCapture::CLogCapture() : m_previous(TvlSetLogSink(this)) {}

CLogCapture::~CLogCapture()
{
    TvlSetLogSink(m_previous);
}

void CLogCapture::Log(const char* title, const char* timestamp, const char* text)
{
    entries.push_back({title, timestamp, text});
}

void CLogCapture::Trace(const char* line)
{
    traces.emplace_back(line);
}
