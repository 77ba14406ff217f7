// Command records, start arguments and the window-place text of the
// directory link.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "CCopyCommand.h"
#include "CStartArguments.h"
#include "DirectoryText.h"

using namespace zr::directory;

TEST(CopyCommand, PayloadIsTextWithOneTerminatingNul) {
  struct Case {
    const char* text;
    size_t size;
  };
  const Case cases[] = {{"", 1}, {"http://host/page", 17}, {"Event Management", 17}};
  for (const Case& c : cases) {
    std::vector<char> payload = CCopyCommand(1547, c.text).Payload();
    ASSERT_EQ(payload.size(), c.size) << c.text;
    EXPECT_EQ(payload.back(), '\0');
    EXPECT_EQ(std::string(payload.data()), c.text);
  }
}

TEST(CopyCommand, ReceivedTextStaysInsideTheRecord) {
  struct Case {
    const char* name;
    std::string bytes;
    bool nullData;
    const char* text;
  };
  const Case cases[] = {
      {"terminated", std::string("abc\0", 4), false, "abc"},
      {"no terminator", "abcdef", false, "abcdef"},
      {"early NUL", std::string("ab\0cd\0", 6), false, "ab"},
      {"zero size", "", false, ""},
      {"null data", "", true, ""},
  };
  for (const Case& c : cases) {
    // An exact-size heap copy, so that reading past it is caught.
    std::unique_ptr<char[]> heap(new char[c.bytes.size() + 1]);
    std::memcpy(heap.get(), c.bytes.data(), c.bytes.size());
    CCopyCommand command =
        CCopyCommand::FromRecord(1543, c.nullData ? nullptr : heap.get(), c.bytes.size());
    EXPECT_EQ(command.Code(), 1543u) << c.name;
    EXPECT_EQ(command.Text(), c.text) << c.name;
  }
}

TEST(StartArguments, ParsesTheFieldsTheClientWrites) {
  struct Case {
    const char* line;
    int fields;
    const char* title;
    const char* library;
    bool directory;
    WindowPlace place;
  };
  const Case cases[] = {
      {"Directory C:\\zr\\ZrRes.dll 0 20 30 560 450", 7, "Directory", "C:\\zr\\ZrRes.dll", true,
       {20, 30, 560, 450}},
      {"Event_Management lib.dll 1 -5 7 720 600", 7, "Event Management", "lib.dll", false,
       {-5, 7, 720, 600}},
      {"Directory \"C:\\Program Files\\zr\\ZrRes.dll\" 1 1 2 3 4", 7, "Directory",
       "C:\\Program Files\\zr\\ZrRes.dll", false, {1, 2, 3, 4}},
      {"Directory C:\\Program Files\\zr\\ZrRes.dll 0 1 2 3 4", 7, "Directory",
       "C:\\Program Files\\zr\\ZrRes.dll", true, {1, 2, 3, 4}},
      {"Title lib.dll 2", 3, "Title", "lib.dll", false, {0, 0, 0, 0}},
      {"Title lib.dll 0 1 2 x 4", 3, "Title", "lib.dll", true, {0, 0, 0, 0}},
      {"Only_Title", 1, "Only Title", "", true, {0, 0, 0, 0}},
      {"", 0, "Directory", "", true, {0, 0, 0, 0}},
      {"   ", 0, "Directory", "", true, {0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    CStartArguments arguments;
    EXPECT_EQ(arguments.Parse(c.line), c.fields) << c.line;
    EXPECT_EQ(arguments.DisplayTitle(), c.title) << c.line;
    EXPECT_EQ(arguments.Library(), c.library) << c.line;
    EXPECT_EQ(arguments.IsDirectoryMode(), c.directory) << c.line;
    EXPECT_EQ(arguments.HasPlacement(), c.fields == 7) << c.line;
    if (arguments.HasPlacement()) {
      EXPECT_EQ(arguments.X(), c.place.x) << c.line;
      EXPECT_EQ(arguments.Y(), c.place.y) << c.line;
      EXPECT_EQ(arguments.Width(), c.place.width) << c.line;
      EXPECT_EQ(arguments.Height(), c.place.height) << c.line;
    }
  }
}

TEST(StartArguments, FormatRoundTripsThroughParse) {
  const char* libraries[] = {"C:\\zr\\ZrRes.dll", "C:\\Program Files\\Lumora\\ZrRes.dll"};
  for (const char* library : libraries) {
    std::string line = CStartArguments::Format("Event_Management", library, 1, -40, 12, 720, 600);
    CStartArguments arguments;
    ASSERT_EQ(arguments.Parse(line), 7) << line;
    EXPECT_EQ(arguments.TitleWord(), "Event_Management");
    EXPECT_EQ(arguments.Library(), library);
    EXPECT_EQ(arguments.GetMode(), 1);
    EXPECT_EQ(arguments.X(), -40);
    EXPECT_EQ(arguments.Y(), 12);
    EXPECT_EQ(arguments.Width(), 720);
    EXPECT_EQ(arguments.Height(), 600);
  }
  EXPECT_EQ(CStartArguments::Format("Directory", "lib.dll", 0, 1, 2, 560, 450),
            "Directory lib.dll 0 1 2 560 450");
}

TEST(StartArguments, LongTitleIsCutAndNothingOverflows) {
  std::string title(5000, '_');
  std::string library(5000, 'L');
  CStartArguments arguments;
  ASSERT_EQ(arguments.Parse(title + " " + library + " 0 1 2 3 4"), 7);
  EXPECT_EQ(arguments.DisplayTitle(), std::string(CStartArguments::kMaxTitle, ' '));
  EXPECT_EQ(arguments.Library(), library);
}

TEST(StartArguments, ArgumentsFollowTheProgramName) {
  struct Case {
    const char* commandLine;
    const char* arguments;
  };
  const Case cases[] = {
      {"\"C:\\Program Files\\zr\\ZrDirectory.exe\" Directory lib 0 1 2 3 4",
       "Directory lib 0 1 2 3 4"},
      {"ZrDirectory.exe   Title x", "Title x"},
      {"ZrDirectory.exe", ""},
      {"", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CStartArguments::ArgumentsOf(c.commandLine), c.arguments) << c.commandLine;
  }
}

TEST(WindowPlace, OnlyFourNumbersMoveTheWindow) {
  struct Case {
    const char* text;
    bool parsed;
    WindowPlace place;
  };
  const Case cases[] = {
      {"10 20 300 400", true, {10, 20, 300, 400}},
      {"  -10 -20 300 400 junk", true, {-10, -20, 300, 400}},
      {"10 20 300", false, {}},
      {"", false, {}},
      {"a b c d", false, {}},
      {"10 20 300 99999999999", false, {}},
      {"-2147483648 2147483647 0 0", true, {INT32_MIN, INT32_MAX, 0, 0}},
  };
  for (const Case& c : cases) {
    std::optional<WindowPlace> place = ParseWindowPlace(c.text);
    ASSERT_EQ(place.has_value(), c.parsed) << c.text;
    if (place) {
      EXPECT_EQ(place->x, c.place.x) << c.text;
      EXPECT_EQ(place->y, c.place.y) << c.text;
      EXPECT_EQ(place->width, c.place.width) << c.text;
      EXPECT_EQ(place->height, c.place.height) << c.text;
      EXPECT_EQ(ParseWindowPlace(FormatWindowPlace(*place))->x, c.place.x);
    }
  }
}
