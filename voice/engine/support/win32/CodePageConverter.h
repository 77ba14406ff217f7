// Conversion of text between code pages through 16-bit characters, with the
// engine's own UTF-8 codec standing in where the platform has no UTF-8
// converter.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

constexpr uint32_t kCodePageUtf8 = 65001;

class CCodePageConverter
{
public:
    // `platformKnowsUtf8` false makes UTF-8 go through the own codec.
    explicit CCodePageConverter(bool platformKnowsUtf8);

    // Converts `text` and writes it with a terminator to `out` when `outSize`
    // is large enough. Returns the size needed including the terminator (so a
    // null or too small buffer gets only the size), 0 on failure.
    size_t Convert(uint32_t sourceCodePage, std::string_view text, uint32_t targetCodePage,
                   char* out, size_t outSize) const;

private:
    std::optional<std::u16string> ToUtf16(uint32_t codePage, std::string_view text) const;
    std::optional<std::string> FromUtf16(uint32_t codePage, const std::u16string& text) const;
    bool UsesOwnCodec(uint32_t codePage) const;

    bool m_platformKnowsUtf8;
};

// Converts with the own UTF-8 codec only when the platform has no UTF-8.
size_t ConvertCodePage(uint32_t sourceCodePage, std::string_view text, uint32_t targetCodePage,
                       char* out, size_t outSize);
