#include "ZrDdeText.h"

#include <cstdio>

namespace {

char FoldCase(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

} // namespace

namespace ZrDdeText {

bool NamesEqual(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (FoldCase(a[i]) != FoldCase(b[i]))
            return false;
    }
    return true;
}

std::optional<uint32_t> ParseParameter(const std::string& text)
{
    constexpr int64_t kLowest = -static_cast<int64_t>(0x80000000u);
    constexpr int64_t kHighest = 0xFFFFFFFF;
    size_t pos = 0;
    while (pos < text.size() && IsBlank(text[pos]))
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    int64_t magnitude = 0;
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
        magnitude = magnitude * 10 + (text[pos] - '0');
        if (magnitude > kHighest)
            return std::nullopt;
    }
    const int64_t value = negative ? -magnitude : magnitude;
    if (value < kLowest)
        return std::nullopt;
    return static_cast<uint32_t>(value);
}

std::string FormatLine(const char* format, va_list args)
{
    char line[kMaxTraceLine + 1];
    const int written = std::vsnprintf(line, sizeof line, format, args);
    if (written < 0)
        return std::string();
    return std::string(line);
}

} // namespace ZrDdeText
