#include "KeypadMap.h"

namespace {

const KeypadCommand kCommands[] = {
    {256, "1", '1'},      {257, "2 abc", '2'}, {258, "3 def", '3'},  {259, "4 ghi", '4'},
    {260, "5 jkl", '5'},  {261, "6 mno", '6'}, {262, "7 pqrs", '7'}, {263, "8 tuv", '8'},
    {264, "9 wxyz", '9'}, {265, "*", '*'},     {266, "0", '0'},      {267, "#", '#'},
};

// Keys of 'a' to 'z'.
constexpr char kLetterKeys[] = "22233344455566677778889999";

} // namespace

std::optional<char> KeypadMap::KeyOf(char c)
{
    if ((c >= '0' && c <= '9') || c == '*' || c == '#')
        return c;
    if (c >= 'a' && c <= 'z')
        return kLetterKeys[c - 'a'];
    return std::nullopt;
}

bool KeypadMap::AllKeys(std::string_view text)
{
    for (const char c : text) {
        if (!KeyOf(c))
            return false;
    }
    return true;
}

std::optional<KeypadCommand> KeypadMap::ByCommand(int32_t command)
{
    for (const auto& entry : kCommands) {
        if (entry.command == command)
            return entry;
    }
    return std::nullopt;
}
