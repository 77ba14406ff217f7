#include "CodePageConverter.h"

#include "Utf8Codec.h"

#include <windows.h>

#include <climits>
#include <cstring>
#include <vector>

CCodePageConverter::CCodePageConverter(bool platformKnowsUtf8)
    : m_platformKnowsUtf8(platformKnowsUtf8)
{
}

size_t CCodePageConverter::Convert(uint32_t sourceCodePage, std::string_view text,
                                   uint32_t targetCodePage, char* out, size_t outSize) const
{
    const std::optional<std::u16string> wide = ToUtf16(sourceCodePage, text);
    if (!wide)
        return 0;
    const std::optional<std::string> converted = FromUtf16(targetCodePage, *wide);
    if (!converted)
        return 0;
    const size_t needed = converted->size() + 1;
    if (out != nullptr && needed <= outSize)
        std::memcpy(out, converted->c_str(), needed);
    return needed;
}

std::optional<std::u16string> CCodePageConverter::ToUtf16(uint32_t codePage,
                                                          std::string_view text) const
{
    if (text.empty())
        return std::u16string();
    if (UsesOwnCodec(codePage)) {
        std::vector<char16_t> chars(Utf8Decode(text.data(), text.size(), nullptr, 0));
        Utf8Decode(text.data(), text.size(), chars.data(), chars.size());
        return std::u16string(chars.data(), chars.size() - 1);
    }
    if (text.size() > INT_MAX)
        return std::nullopt;
    const int length = static_cast<int>(text.size());
    const int count = MultiByteToWideChar(codePage, 0, text.data(), length, nullptr, 0);
    if (count <= 0)
        return std::nullopt;
    std::wstring chars(static_cast<size_t>(count), L'\0');
    if (MultiByteToWideChar(codePage, 0, text.data(), length, chars.data(), count) != count)
        return std::nullopt;
    return std::u16string(chars.begin(), chars.end());
}

std::optional<std::string> CCodePageConverter::FromUtf16(uint32_t codePage,
                                                         const std::u16string& text) const
{
    if (text.empty())
        return std::string();
    if (UsesOwnCodec(codePage)) {
        std::vector<char> bytes(Utf8Encode(text.data(), text.size(), nullptr, 0));
        Utf8Encode(text.data(), text.size(), bytes.data(), bytes.size());
        return std::string(bytes.data(), bytes.size() - 1);
    }
    if (text.size() > INT_MAX)
        return std::nullopt;
    const std::wstring chars(text.begin(), text.end());
    const int length = static_cast<int>(chars.size());
    const int count =
        WideCharToMultiByte(codePage, 0, chars.data(), length, nullptr, 0, nullptr, nullptr);
    if (count <= 0)
        return std::nullopt;
    std::string bytes(static_cast<size_t>(count), '\0');
    if (WideCharToMultiByte(codePage, 0, chars.data(), length, bytes.data(), count, nullptr,
                            nullptr) != count)
        return std::nullopt;
    return bytes;
}

bool CCodePageConverter::UsesOwnCodec(uint32_t codePage) const
{
    return codePage == kCodePageUtf8 && !m_platformKnowsUtf8;
}

size_t ConvertCodePage(uint32_t sourceCodePage, std::string_view text, uint32_t targetCodePage,
                       char* out, size_t outSize)
{
    const CCodePageConverter converter(IsValidCodePage(CP_UTF8) != FALSE);
    return converter.Convert(sourceCodePage, text, targetCodePage, out, outSize);
}
