// The transcript layout with a fixed 7-pixel character: speaker column,
// wrapping, separators, the line limit, the kept row window while scrolling,
// selection, copy text and save text.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "ChatTextCleaner.h"
#include "FixedWidthMeasurer.h"
#include "TranscriptLayout.h"

namespace {

constexpr int32_t kChar = 7;
constexpr int32_t kLineHeight = 10;
constexpr int32_t kAreaChars = 10;  // characters of text beside the speaker column
constexpr uint32_t kRed = 0x0000FF;

// The speaker column of a short name: the name padded with blanks to one
// character more than the 17-character column.
std::string Pad(const std::string& name) {
  return name + std::string(18 - name.size(), ' ');
}
const std::string kIndent(18, ' ');

class LayoutTest : public ::testing::Test {
 protected:
  FixedWidthMeasurer measurer{kChar};
  TranscriptLayout layout{measurer};

  void SetUp() override {
    layout.SetFontMetrics(kChar, kLineHeight);
    layout.SetSeparatorColours(0x00AA00, 0xAA0000);
    SizeFor(5);
  }
  // A client area with a text area of kAreaChars and `rows` visible rows.
  void SizeFor(int32_t rows) {
    layout.Resize(2 * kChar + (17 + kAreaChars) * kChar, 2 * kChar + rows * kLineHeight);
  }
  std::vector<std::string> RowTexts() const {
    std::vector<std::string> texts;
    for (const TranscriptRow& row : layout.KeptRows()) {
      texts.push_back(row.text);
    }
    return texts;
  }
  std::pair<int32_t, int32_t> TopRow() const {
    const TranscriptRow* row = layout.VisibleRow(0);
    return row ? std::make_pair(row->line, row->part) : std::make_pair(-1, -1);
  }
  void AddNumbered(int count, const std::string& text) {
    for (int i = 0; i < count; ++i) {
      layout.AddLine("u" + std::to_string(i), text, kRed);
    }
  }
};

TEST(ChatTextCleanerTest, DropsControlsAndFoldsBlanks) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"hello", "hello"},
      {"   lead", "lead"},
      {"a   b  c", "a b c"},
      {"tail  ", "tail "},
      {"tab\there\r\n", "tabhere"},
      {" \t \x7f ", ""},
      {"caf\xc3\xa9 ok", "caf\xc3\xa9 ok"},
  };
  for (const auto& [input, expected] : cases) {
    EXPECT_EQ(CleanChatText(input), expected) << "input: " << input;
  }
}

TEST_F(LayoutTest, Geometry) {
  EXPECT_EQ(layout.Margin(), kChar);
  EXPECT_EQ(layout.SpeakerColumnWidth(), 17 * kChar);
  EXPECT_EQ(layout.TextWidth(), (17 + kAreaChars) * kChar);
  EXPECT_EQ(layout.VisibleRowCount(), 5);
  EXPECT_FALSE(layout.TooSmall());
}

TEST_F(LayoutTest, SpeakerColumnPadsOrCutsTheName) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"alice", Pad("alice")},
      {"abcdefghijklmnopq", "abcdefghijklmnopq "},    // exactly the column
      {"abcdefghijklmnopqr", "abcdefghijklmn..  "},   // one too wide
      {"a name far too long for it", "a name far too..  "},
  };
  for (const auto& [name, speaker] : cases) {
    layout.Clear();
    layout.AddLine(name, "hi", kRed);
    ASSERT_EQ(layout.KeptRows().size(), 1u) << name;
    EXPECT_EQ(layout.KeptRows()[0].text, speaker + "hi") << name;
    EXPECT_EQ(layout.KeptRows()[0].speakerLength, 18) << name;
  }
}

TEST_F(LayoutTest, WrapsAtBlanksAndCutsLongWords) {
  struct Case {
    std::string text;
    std::vector<std::string> rows;
  };
  const std::vector<Case> cases = {
      {"short", {Pad("al") + "short"}},
      {"aaaa bbbb cccc", {Pad("al") + "aaaa bbbb", kIndent + "cccc"}},
      {"aaaaaaaaaa bb", {Pad("al") + "aaaaaaaaaa", kIndent + "bb"}},
      {"0123456789012345678901234567890123456789",
       {Pad("al") + "0123456789", kIndent + "0123456789", kIndent + "0123456789",
        kIndent + "0123456789"}},
      {"ab 0123456789abc", {Pad("al") + "ab", kIndent + "0123456789", kIndent + "abc"}},
      {"trailing blank ", {Pad("al") + "trailing", kIndent + "blank "}},
  };
  for (const Case& c : cases) {
    layout.Clear();
    layout.AddLine("al", c.text, kRed);
    EXPECT_EQ(RowTexts(), c.rows) << c.text;
  }
}

TEST_F(LayoutTest, ContinuationRowsRecordDroppedBlanks) {
  layout.AddLine("al", "aaaa bbbb cccc 0123456789abc", kRed);
  const auto& rows = layout.KeptRows();
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_TRUE(rows[0].firstRow);
  EXPECT_FALSE(rows[0].leadingBlank);
  EXPECT_TRUE(rows[1].leadingBlank);   // " cccc" lost its blank
  EXPECT_TRUE(rows[2].leadingBlank);   // " 0123456789"
  EXPECT_FALSE(rows[3].leadingBlank);  // "abc" is the rest of a cut word
  for (size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i].part, static_cast<int32_t>(i));
    EXPECT_EQ(rows[i].colour, kRed);
    EXPECT_EQ(rows[i].firstRow, i == 0);
  }
}

TEST_F(LayoutTest, IgnoresLinesEmptyAfterCleaning) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"", "text"}, {"   ", "text"}, {"name", ""}, {"name", "    "}, {"\t\r\n", "x"}, {"n", "\x01\x02"},
  };
  for (const auto& [name, text] : cases) {
    EXPECT_EQ(layout.AddLine(name, text, kRed), TranscriptLayout::AddResult::Ignored) << name;
  }
  EXPECT_EQ(layout.LineCount(), 0u);
  EXPECT_EQ(layout.AddLine("  bob  ", "  hi   there ", kRed), TranscriptLayout::AddResult::Added);
  EXPECT_EQ(layout.Line(0).name, "bob ");
  EXPECT_EQ(layout.Line(0).text, "hi there ");
}

TEST_F(LayoutTest, TheThousandAndFirstLineKeepsTheNewestFiveHundred) {
  for (int i = 1; i <= 1000; ++i) {
    ASSERT_EQ(layout.AddLine("u", "line " + std::to_string(i), kRed),
              TranscriptLayout::AddResult::Added);
  }
  EXPECT_EQ(layout.LineCount(), 1000u);
  EXPECT_EQ(layout.AddLine("u", "line 1001", kRed), TranscriptLayout::AddResult::Dropped);
  ASSERT_EQ(layout.LineCount(), 500u);
  EXPECT_EQ(layout.Line(0).text, "line 502");
  EXPECT_EQ(layout.Line(499).text, "line 1001");
  EXPECT_TRUE(layout.AtEnd());
  EXPECT_EQ(layout.VisibleRow(4)->line, 499);
}

TEST_F(LayoutTest, OnlyTheRowsAroundTheViewAreLaidOut) {
  AddNumbered(999, "aaaa bbbb cccc");
  measurer.calls = 0;
  layout.AddLine("last", "aaaa bbbb cccc", kRed);
  // Laying out every line would measure thousands of times.
  EXPECT_LT(measurer.calls, 120);
  EXPECT_LE(layout.KeptRows().size(), 3u * 5u + 2u);

  measurer.calls = 0;
  SizeFor(8);
  EXPECT_LT(measurer.calls, 1500);
  EXPECT_LE(layout.KeptRows().size(), 3u * 8u + 2u);
  EXPECT_EQ(layout.VisibleRow(7)->line, 999);
}

TEST_F(LayoutTest, ScrollRangeAndFollowingTheEnd) {
  AddNumbered(50, "one");
  EXPECT_EQ(layout.TotalRows(), 50);
  EXPECT_EQ(layout.ScrollMaximum(), 45);
  EXPECT_EQ(layout.ScrollPosition(), 45);

  const std::vector<std::pair<int32_t, int32_t>> moves = {
      {44, 44}, {0, 0}, {-5, 0}, {1000, 45}, {20, 20}, {26, 26}, {24, 24}};
  for (const auto& [target, reached] : moves) {
    layout.ScrollTo(target);
    EXPECT_EQ(layout.ScrollPosition(), reached) << target;
    EXPECT_EQ(TopRow().first, reached) << target;
    EXPECT_LE(layout.KeptRows().size(), 15u) << target;
  }
  // Scrolled up, a new line leaves the view where it is.
  layout.AddLine("late", "one", kRed);
  EXPECT_EQ(layout.ScrollPosition(), 24);
  EXPECT_EQ(layout.ScrollMaximum(), 46);
  // At the end, the view follows.
  layout.ScrollTo(46);
  layout.AddLine("later", "one", kRed);
  EXPECT_EQ(layout.ScrollPosition(), 47);
  EXPECT_EQ(layout.VisibleRow(4)->line, 51);
}

TEST_F(LayoutTest, FewLinesNeverScroll) {
  AddNumbered(3, "one");
  EXPECT_EQ(layout.ScrollMaximum(), 0);
  EXPECT_EQ(layout.ScrollTo(1), 0);
  EXPECT_EQ(TopRow(), std::make_pair(0, 0));
}

// Wrapped lines of unknown height above the view: walking one row at a time
// up from the end and back down must visit every row once, in order.
TEST_F(LayoutTest, RowByRowWalksVisitEveryRow) {
  AddNumbered(40, "aaaa bbbb cccc");  // two rows a line
  SizeFor(4);                          // forget the heights, lay out the end
  std::vector<std::pair<int32_t, int32_t>> upward{TopRow()};
  while (layout.ScrollPosition() > 0) {
    ASSERT_EQ(layout.ScrollTo(layout.ScrollPosition() - 1), -1);
    upward.push_back(TopRow());
    ASSERT_LE(layout.KeptRows().size(), 3u * 4u + 2u);
  }
  ASSERT_EQ(upward.size(), 77u);  // 80 rows, 4 on the last screen
  for (size_t i = 0; i < upward.size(); ++i) {
    int32_t row = 76 - static_cast<int32_t>(i);
    EXPECT_EQ(upward[i], std::make_pair(row / 2, row % 2)) << i;
  }
  EXPECT_EQ(layout.TotalRows(), 80);
  for (int32_t row = 1; row <= 76; ++row) {
    layout.ScrollTo(row);
    ASSERT_EQ(TopRow(), std::make_pair(row / 2, row % 2)) << row;
  }
}

TEST_F(LayoutTest, PageAndLongJumpsLandOnTheAskedRow) {
  AddNumbered(40, "aaaa bbbb cccc");
  const std::vector<int32_t> targets = {0, 4, 9, 50, 13, 74, 1, 75};
  for (int32_t target : targets) {
    layout.ScrollTo(target);
    EXPECT_EQ(layout.ScrollPosition(), target);
    EXPECT_EQ(TopRow(), std::make_pair(target / 2, target % 2)) << target;
    EXPECT_LE(layout.KeptRows().size(), 3u * 5u + 2u);
  }
}

TEST_F(LayoutTest, SeparatorRows) {
  EXPECT_FALSE(layout.AddSeparator("early", false));
  layout.AddLine("al", "hello", kRed);
  ASSERT_TRUE(layout.AddSeparator("ab", false));
  EXPECT_FALSE(layout.AddSeparator("again", true));
  ASSERT_EQ(layout.KeptRows().size(), 2u);
  const TranscriptRow& row = layout.KeptRows()[1];
  EXPECT_TRUE(row.separator);
  // 27 characters of row, 25 free: 12 in front (84 <= 87), 13 behind.
  EXPECT_EQ(row.text, std::string(12, '-') + "ab" + std::string(13, '-'));
  EXPECT_EQ(row.colour, TranscriptLayout::kBlack);

  layout.AddLine("al", "more", kRed);
  layout.SetPrivateRoom(true);
  ASSERT_TRUE(layout.AddSeparator("x", true));
  EXPECT_EQ(layout.KeptRows().back().colour, 0xAA0000u);
  layout.ReplaceSeparator("");
  EXPECT_EQ(layout.KeptRows().back().text, std::string(28, '-'));  // just past the row
  EXPECT_EQ(layout.KeptRows().back().colour, 0x00AA00u);
  EXPECT_EQ(layout.KeptRows().size(), 4u);

  // A wider text than the row stays as it is.
  layout.ReplaceSeparator(std::string(30, 'w'));
  EXPECT_EQ(layout.KeptRows().back().text, std::string(30, 'w'));
}

TEST_F(LayoutTest, OnlyAttachedSeparatorsSurviveARelayout) {
  layout.AddLine("al", "one", kRed);
  layout.AddSeparator("loose", false);
  layout.AddLine("al", "two", kRed);
  layout.AddSeparator("kept", true);
  SizeFor(6);
  std::vector<bool> separators;
  for (const TranscriptRow& row : layout.KeptRows()) {
    separators.push_back(row.separator);
  }
  EXPECT_EQ(separators, (std::vector<bool>{false, false, true}));
  EXPECT_NE(layout.KeptRows()[2].text.find("kept"), std::string::npos);
}

// A loose separator under the last line is counted while it is shown but is
// gone once the line is laid out again: jumping back to the end must land on
// the new maximum with the last row at the bottom, not one row past it.
TEST_F(LayoutTest, ALostLooseSeparatorDoesNotLeaveTheViewPastTheEnd) {
  AddNumbered(20, "one");
  ASSERT_TRUE(layout.AddSeparator("loose", false));
  EXPECT_EQ(layout.ScrollMaximum(), 16);
  EXPECT_EQ(layout.ScrollTo(0), -16);  // the last line's rows are dropped

  EXPECT_EQ(layout.ScrollTo(1000), 15);
  EXPECT_EQ(layout.ScrollMaximum(), 15);
  EXPECT_EQ(layout.ScrollPosition(), 15);
  EXPECT_TRUE(layout.AtEnd());
  ASSERT_NE(layout.VisibleRow(4), nullptr);
  EXPECT_EQ(layout.VisibleRow(4)->line, 19);
  EXPECT_FALSE(layout.VisibleRow(4)->separator);
}

TEST_F(LayoutTest, HitTestTakesTheLongestPrefixNarrowerThanX) {
  layout.AddLine("al", "hello", kRed);
  const std::vector<std::pair<int32_t, int32_t>> cases = {
      {-3, 0}, {0, 0}, {7, 0}, {8, 1}, {14, 1}, {15, 2}, {1000, 23}};
  for (const auto& [x, ch] : cases) {
    TranscriptPoint point;
    ASSERT_TRUE(layout.HitTest(0, x, point));
    EXPECT_EQ(point.ch, ch) << x;
  }
  TranscriptPoint point;
  EXPECT_FALSE(layout.HitTest(1, 10, point));
}

TEST_F(LayoutTest, CopyJoinsWrappedRowsWithBlanksAndLinesWithCrLf) {
  layout.AddLine("alice", "aaaa bbbb cccc", kRed);
  layout.AddLine("bob", "dddd eeee ffff", kRed);
  layout.BeginSelection(TranscriptPoint{0, 0, 0});
  layout.ExtendSelection(TranscriptPoint{1, 1, 100});
  EXPECT_TRUE(layout.Dragging());
  EXPECT_FALSE(layout.HasSelection());
  EXPECT_EQ(layout.SelectionText(), "");
  layout.EndSelection();
  ASSERT_TRUE(layout.HasSelection());
  EXPECT_EQ(layout.SelectionText(),
            Pad("alice") + "aaaa bbbb cccc\r\n" + Pad("bob") + "dddd eeee ffff");
}

TEST_F(LayoutTest, SelectionRangesBackwardsAndPartial) {
  layout.AddLine("alice", "aaaa bbbb cccc", kRed);
  layout.AddLine("bob", "dddd eeee ffff", kRed);
  // Dragged from the middle of bob's first row back into alice's second.
  layout.BeginSelection(TranscriptPoint{1, 0, 23});
  layout.ExtendSelection(TranscriptPoint{0, 1, 20});
  layout.EndSelection();
  EXPECT_EQ(layout.SelectionText(), "cc\r\n" + Pad("bob") + "dddd ");

  int32_t start = 0;
  int32_t end = 0;
  ASSERT_TRUE(layout.SelectedRange(layout.KeptRows()[1], start, end));
  EXPECT_EQ(std::make_pair(start, end), std::make_pair(20, 22));
  ASSERT_TRUE(layout.SelectedRange(layout.KeptRows()[2], start, end));
  EXPECT_EQ(std::make_pair(start, end), std::make_pair(0, 23));
  EXPECT_FALSE(layout.SelectedRange(layout.KeptRows()[0], start, end));
  EXPECT_FALSE(layout.SelectedRange(layout.KeptRows()[3], start, end));
}

TEST_F(LayoutTest, APressWithoutAMoveSelectsNothing) {
  layout.AddLine("alice", "hello", kRed);
  layout.BeginSelection(TranscriptPoint{0, 0, 20});
  layout.EndSelection();
  EXPECT_FALSE(layout.HasSelection());
  EXPECT_EQ(layout.SelectionText(), "");
}

TEST_F(LayoutTest, DoubleClickSelectsAWordOrOneCharacter) {
  layout.AddLine("al", "a,b2 !\xe9t", kRed);  // bytes above 0x7f are not letters here
  struct Case {
    int32_t ch;
    bool selects;
    std::string text;
  };
  const std::vector<Case> cases = {
      {18, true, "a"}, {19, true, ","}, {20, true, "b2"}, {21, true, "b2"}, {22, true, " "},
      {23, true, "!"}, {24, true, "\xe9"}, {25, true, "t"}, {26, false, ""}, {200, false, ""},
      {0, true, "al"}, {1, true, "al"}, {2, true, " "},
  };
  for (const Case& c : cases) {
    layout.ClearSelection();
    EXPECT_EQ(layout.SelectWordAt(TranscriptPoint{0, 0, c.ch}), c.selects) << c.ch;
    EXPECT_EQ(layout.SelectionText(), c.text) << c.ch;
  }
}

TEST_F(LayoutTest, SaveTextHasEveryLineAndNoSeparators) {
  EXPECT_EQ(layout.SaveText(), "");
  layout.AddLine("alice", "hello there, this wraps over rows", kRed);
  layout.AddSeparator("sep", true);
  layout.AddLine("bob", "yo", kRed);
  EXPECT_EQ(layout.SaveText(), "alice\thello there, this wraps over rows\r\nbob\tyo\r\n");
}

TEST_F(LayoutTest, TooSmallLaysNothingOutButKeepsLines) {
  layout.Resize(2 * kChar + 18 * kChar, 200);  // narrower than column + 2 margins
  EXPECT_TRUE(layout.TooSmall());
  layout.AddLine("al", "hello", kRed);
  EXPECT_TRUE(layout.KeptRows().empty());
  EXPECT_EQ(layout.VisibleRow(0), nullptr);
  EXPECT_FALSE(layout.AddSeparator("x", true));
  SizeFor(3);
  EXPECT_FALSE(layout.TooSmall());
  EXPECT_EQ(RowTexts(), (std::vector<std::string>{Pad("al") + "hello"}));
}

TEST_F(LayoutTest, ClearDropsEverything) {
  AddNumbered(30, "aaaa bbbb cccc");
  layout.SelectWordAt(TranscriptPoint{29, 0, 20});
  layout.Clear();
  EXPECT_EQ(layout.LineCount(), 0u);
  EXPECT_TRUE(layout.KeptRows().empty());
  EXPECT_EQ(layout.ScrollPosition(), 0);
  EXPECT_FALSE(layout.HasSelection());
  EXPECT_EQ(layout.SaveText(), "");
}

}  // namespace
