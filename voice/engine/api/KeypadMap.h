// The telephone keypad: which key a tone character stands for, and the
// keypad buttons of the engine window by command id.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

struct KeypadCommand
{
    int32_t command;
    const char* label;
    char key;
};

class KeypadMap
{
public:
    // Digits, '*' and '#' are their own key; lower-case letters map as on a
    // telephone; anything else has no key.
    static std::optional<char> KeyOf(char c);
    // True when every character of `text` has a key.
    static bool AllKeys(std::string_view text);
    static std::optional<KeypadCommand> ByCommand(int32_t command);
};
