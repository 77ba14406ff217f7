#include "KeypadMap.h"

#include <gtest/gtest.h>

#include <string>

TEST(KeypadMap, CharactersMapToTheirTelephoneKeys)
{
    const struct { const char* characters; char key; } groups[] = {
        {"abc", '2'}, {"def", '3'}, {"ghi", '4'}, {"jkl", '5'},
        {"mno", '6'}, {"pqrs", '7'}, {"tuv", '8'}, {"wxyz", '9'},
    };
    for (const auto& group : groups) {
        for (const char* c = group.characters; *c; ++c) {
            EXPECT_EQ(KeypadMap::KeyOf(*c), group.key) << *c;
        }
    }
    for (const char c : std::string("0123456789*#")) {
        EXPECT_EQ(KeypadMap::KeyOf(c), c) << c;
    }
    for (const char c : std::string("ABZ -+,.\t\x80")) {
        EXPECT_FALSE(KeypadMap::KeyOf(c).has_value()) << static_cast<int>(c);
    }
}

TEST(KeypadMap, AllKeysNeedsEveryCharacterToHaveAKey)
{
    EXPECT_TRUE(KeypadMap::AllKeys(""));
    EXPECT_TRUE(KeypadMap::AllKeys("555call#*"));
    EXPECT_FALSE(KeypadMap::AllKeys("555Call"));
    EXPECT_FALSE(KeypadMap::AllKeys("12 34"));
}

TEST(KeypadMap, CommandsAreLookedUpById)
{
    const struct { int32_t command; const char* label; char key; } cases[] = {
        {256, "1", '1'}, {257, "2 abc", '2'}, {262, "7 pqrs", '7'},
        {264, "9 wxyz", '9'}, {265, "*", '*'}, {266, "0", '0'}, {267, "#", '#'},
    };
    for (const auto& c : cases) {
        const auto entry = KeypadMap::ByCommand(c.command);
        ASSERT_TRUE(entry.has_value()) << c.command;
        EXPECT_STREQ(entry->label, c.label);
        EXPECT_EQ(entry->key, c.key);
    }
    for (int32_t command : {0, 255, 268, -256}) {
        EXPECT_FALSE(KeypadMap::ByCommand(command).has_value()) << command;
    }
}
