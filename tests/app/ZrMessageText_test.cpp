// Joining and formatting the texts of message boxes by string number.
#include "ZrMessageText.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

namespace {

struct JoinCase {
  const char* first;
  const char* second;
  const char* expected;
};

TEST(ZrMessageText, SeparatorOnlyAfterAFirstTextOfThreeOrMoreCharacters) {
  const JoinCase cases[] = {
      {"%s", " not found.", "%s not found."},
      {"", "%s not found.", "%s not found."},
      {" ", "Can not load avatar file %s.", " Can not load avatar file %s."},
      {"ab", "c", "abc"},
      {"abc", "d", "abc: d"},
      {"Lumora Zanthe Chat", "%s not found.", "Lumora Zanthe Chat: %s not found."},
      {"Lumora Zanthe Chat", "", "Lumora Zanthe Chat: "},
  };
  for (const JoinCase& c : cases) {
    EXPECT_EQ(CZrMessageText::Join(c.first, c.second), c.expected)
        << "'" << c.first << "' + '" << c.second << "'";
  }
}

TEST(ZrMessageText, ThirdTextFollowsWithoutSeparator) {
  EXPECT_EQ(CZrMessageText::Join(" ", "Browsers missing.\n", "Install one."),
            " Browsers missing.\nInstall one.");
  EXPECT_EQ(CZrMessageText::Join("Title", "Body", "Tail"), "Title: BodyTail");
  EXPECT_EQ(CZrMessageText::Join(" ", "%s not found", " "), " %s not found ");
}

std::string Formatted(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::unique_ptr<char[], void (*)(char*)> text(CZrMessageText::Format(format, args),
                                                CZrMessageText::Free);
  va_end(args);
  return text.get();
}

TEST(ZrMessageText, FormatsTheCallersArguments) {
  EXPECT_EQ(Formatted("%s not found.", "ZrRes.dll"), "ZrRes.dll not found.");
  EXPECT_EQ(Formatted("Server %s (%d)", "chat.lumora.example", 1533),
            "Server chat.lumora.example (1533)");
  EXPECT_EQ(Formatted("100%% sure"), "100% sure");
  EXPECT_EQ(Formatted(""), "");
}

TEST(ZrMessageText, ArgumentsBeyondTheRoomAreCutInsideTheBuffer) {
  const std::string format = "File: %s";
  const std::string name(5000, 'n');
  const std::string text = Formatted(format.c_str(), name.c_str());
  EXPECT_EQ(text.size(), format.size() + CZrMessageText::kArgumentRoom - 1);
  EXPECT_EQ(text.substr(0, 6), "File: ");
  EXPECT_EQ(text.find_first_not_of('n', 6), std::string::npos);
}

}  // namespace
