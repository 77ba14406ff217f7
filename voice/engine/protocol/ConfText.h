// Text handling of the conference control lines: TAB-separated fields, the
// escaping of free texts, strict decimal numbers and the shortened page URL.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class ConfText
{
public:
    // 0x01 and 0x02 become blanks, then line feed becomes 0x01 and TAB 0x02,
    // so that a free text never breaks a line or a field.
    static std::string Escape(std::string_view text);
    // 0x01 becomes a line feed and 0x02 a TAB.
    static std::string Unescape(std::string_view text);

    // Splits at every TAB; an empty text gives one empty field.
    static std::vector<std::string_view> SplitFields(std::string_view line);
    // The fields joined by TABs and ended by a line feed.
    static std::string JoinLine(const std::vector<std::string>& fields);

    // A decimal number with an optional "-" that fits a signed 32-bit value;
    // anything else (empty, other characters, too large) gives nothing.
    static std::optional<int32_t> ParseNumber(std::string_view text);
    // As ParseNumber, with an empty text giving 0.
    static std::optional<int32_t> ParseNumberOrZero(std::string_view text);
    static bool IsDigits(std::string_view text);

    // Every non-overlapping occurrence of `search` (not empty) replaced,
    // scanning from left to right.
    static std::string ReplaceAll(std::string_view text, std::string_view search,
                                  std::string_view replacement);

    // A URL longer than 250 characters becomes its first 200, "..." and its
    // last 50 characters.
    static std::string ShortenUrl(std::string_view url);

    // Replaces the first conversion ("%s", "%d", "%x") of a message text by
    // `value`; "%%" stands for one "%".
    static std::string FormatOne(std::string_view pattern, std::string_view value);
};
