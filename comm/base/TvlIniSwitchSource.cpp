#include "TvlIniSwitchSource.h"

#include <cctype>
#include <fstream>

namespace {

std::string Trimmed(const std::string& text)
{
    const char* blanks = " \t\r\n";
    const size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

bool SameName(const std::string& a, const char* b)
{
    size_t i = 0;
    for (; i < a.size() && b[i]; ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return i == a.size() && !b[i];
}

int DigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    const int lower = std::tolower(static_cast<unsigned char>(c));
    return lower >= 'a' && lower <= 'z' ? lower - 'a' + 10 : 99;
}

// Leading integer as the Windows profile reader takes it; wraps at 32 bits.
int32_t LeadingInteger(const std::string& value)
{
    size_t i = 0;
    bool negative = false;
    if (i < value.size() && (value[i] == '+' || value[i] == '-'))
        negative = value[i++] == '-';
    int base = 10;
    if (i + 1 < value.size() && value[i] == '0') {
        const char prefix = static_cast<char>(std::tolower(static_cast<unsigned char>(value[i + 1])));
        base = prefix == 'x' ? 16 : prefix == 'o' ? 8 : prefix == 'b' ? 2 : 10;
        if (base != 10)
            i += 2;
    }
    uint32_t number = 0;
    for (; i < value.size() && DigitValue(value[i]) < base; ++i)
        number = number * static_cast<uint32_t>(base) + static_cast<uint32_t>(DigitValue(value[i]));
    return static_cast<int32_t>(negative ? 0u - number : number);
}

} // namespace

int32_t CTvlIniSwitchSource::GetInt(const char* key, int32_t defaultValue)
{
    std::ifstream file(m_path);
    bool inSection = false;
    std::string line;
    while (std::getline(file, line)) {
        const std::string text = Trimmed(line);
        if (text.empty() || text[0] == ';')
            continue;
        if (text[0] == '[') {
            const size_t close = text.find(']');
            inSection = close != std::string::npos &&
                        SameName(Trimmed(text.substr(1, close - 1)), kTvlSwitchSection);
            continue;
        }
        const size_t equals = text.find('=');
        if (!inSection || equals == std::string::npos || !SameName(Trimmed(text.substr(0, equals)), key))
            continue;
        const std::string value = Trimmed(text.substr(equals + 1));
        return value.empty() ? defaultValue : LeadingInteger(value);
    }
    return defaultValue;
}
