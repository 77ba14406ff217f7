// The tip states as one settings text.
#include <gtest/gtest.h>

#include "TipStateText.h"

namespace {

std::string Describe(const std::vector<TipState>& states) {
  std::string text;
  for (const TipState& s : states) {
    text += std::to_string(s.category) + (s.show ? "+" : "-") + std::to_string(s.lastRow) + " ";
  }
  return text;
}

TEST(TipStateText, FormatsEveryStateInOrder) {
  EXPECT_EQ(FormatTipStates({}), "");
  EXPECT_EQ(FormatTipStates({{1, true, 5}}), "1,Y5;");
  EXPECT_EQ(FormatTipStates({{1, false, 3}, {2, true, 16}, {5, true, 21}}), "1,N3;2,Y16;5,Y21;");
}

TEST(TipStateText, ParsesItemsUntilOneIsOutOfRange) {
  struct Case {
    const char* text;
    const char* states;
  };
  const Case cases[] = {
      {"", ""},
      {"1,N3;2,Y16;", "1-3 2+16 "},
      {"1,Y5", "1+5 "},                        // the last item needs no ";"
      {"1,Y3;9,Y2;2,Y16;", "1+3 "},            // category 9 ends the reading
      {"2,Y16;1,Y22;3,Y18;", "2+16 "},         // so does a row past the table
      {"-1,Y1;1,Y1;", ""},
      {"99999999999,Y1;1,Y1;", ""},            // a number past every range
      {"1,;2,Y16;", "2+16 "},                  // too short after the comma: skipped
      {"garbage;1,N3;", "1-3 "},               // no comma: skipped
      {"1,y3;", "1-3 "},                       // only "Y" means show
      {" 5,Y20 ; 3,N19;", "5+20 3-19 "},
      {"4,Y-1;2,Y16;", "4+-1 2+16 "},          // what a category without rows is saved as
  };
  for (const Case& c : cases) {
    std::vector<TipState> states;
    ParseTipStates(c.text, states);
    EXPECT_EQ(Describe(states), c.states) << '"' << c.text << '"';
  }
}

TEST(TipStateText, ParsingAppendsAndRoundTrips) {
  std::vector<TipState> states{{3, false, 18}};
  ParseTipStates("1,Y5;", states);
  EXPECT_EQ(FormatTipStates(states), "3,N18;1,Y5;");
  std::vector<TipState> again;
  ParseTipStates(FormatTipStates(states), again);
  EXPECT_EQ(Describe(again), Describe(states));
}

}  // namespace
