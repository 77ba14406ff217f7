#include "ConfText.h"

#include <limits>

namespace {

constexpr char kEscapedLineFeed = '\x01';
constexpr char kEscapedTab = '\x02';
constexpr size_t kLongestUrl = 250;
constexpr size_t kUrlHead = 200;
constexpr size_t kUrlTail = 50;

} // namespace

std::string ConfText::Escape(std::string_view text)
{
    std::string escaped(text);
    for (char& c : escaped) {
        if (c == kEscapedLineFeed || c == kEscapedTab)
            c = ' ';
        else if (c == '\n')
            c = kEscapedLineFeed;
        else if (c == '\t')
            c = kEscapedTab;
    }
    return escaped;
}

std::string ConfText::Unescape(std::string_view text)
{
    std::string plain(text);
    for (char& c : plain) {
        if (c == kEscapedLineFeed)
            c = '\n';
        else if (c == kEscapedTab)
            c = '\t';
    }
    return plain;
}

std::vector<std::string_view> ConfText::SplitFields(std::string_view line)
{
    std::vector<std::string_view> fields;
    size_t start = 0;
    for (;;) {
        const size_t tab = line.find('\t', start);
        if (tab == std::string_view::npos) {
            fields.push_back(line.substr(start));
            return fields;
        }
        fields.push_back(line.substr(start, tab - start));
        start = tab + 1;
    }
}

std::string ConfText::JoinLine(const std::vector<std::string>& fields)
{
    std::string line;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i != 0)
            line += '\t';
        line += fields[i];
    }
    line += '\n';
    return line;
}

bool ConfText::IsDigits(std::string_view text)
{
    if (text.empty())
        return false;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

std::optional<int32_t> ConfText::ParseNumber(std::string_view text)
{
    const bool negative = !text.empty() && text.front() == '-';
    const std::string_view digits = negative ? text.substr(1) : text;
    if (!IsDigits(digits))
        return std::nullopt;
    int64_t value = 0;
    const int64_t limit = int64_t{std::numeric_limits<int32_t>::max()} + (negative ? 1 : 0);
    for (char c : digits) {
        value = value * 10 + (c - '0');
        if (value > limit)
            return std::nullopt;
    }
    return static_cast<int32_t>(negative ? -value : value);
}

std::optional<int32_t> ConfText::ParseNumberOrZero(std::string_view text)
{
    if (text.empty())
        return 0;
    return ParseNumber(text);
}

std::string ConfText::ReplaceAll(std::string_view text, std::string_view search,
                                 std::string_view replacement)
{
    if (search.empty())
        return std::string(text);
    std::string result;
    size_t position = 0;
    while (position < text.size()) {
        if (text.compare(position, search.size(), search) == 0) {
            result += replacement;
            position += search.size();
        } else {
            result += text[position++];
        }
    }
    return result;
}

std::string ConfText::ShortenUrl(std::string_view url)
{
    if (url.size() <= kLongestUrl)
        return std::string(url);
    std::string shortened(url.substr(0, kUrlHead));
    shortened += "...";
    shortened += url.substr(url.size() - kUrlTail);
    return shortened;
}

std::string ConfText::FormatOne(std::string_view pattern, std::string_view value)
{
    std::string result;
    bool replaced = false;
    for (size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c != '%' || i + 1 == pattern.size()) {
            result += c;
            continue;
        }
        const char conversion = pattern[i + 1];
        if (conversion == '%') {
            result += '%';
            ++i;
        } else if (!replaced && (conversion == 's' || conversion == 'd' || conversion == 'x')) {
            result += value;
            replaced = true;
            ++i;
        } else {
            result += c;
        }
    }
    return result;
}
