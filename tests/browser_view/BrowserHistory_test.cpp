#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "CBrowserHistory.h"

namespace {

// Runs a script of steps on a history: "+X" reports page X, "<" goes back,
// ">" goes forward; each step taken hands its URL to `opened`, and a
// refused step writes "-" there. With a back link the root place can take
// the user back.
struct Script {
  const char* steps;
  bool backLink;
  std::vector<std::string> entries;
  int32_t position;
  const char* opened;
};

std::string Play(CBrowserHistory& history, const char* script, bool backLink) {
  std::istringstream steps(script);
  std::string step;
  std::string opened;
  while (steps >> step) {
    std::string url;
    bool taken = true;
    if (step[0] == '+') {
      history.Add(step.substr(1));
      continue;
    }
    if (step == "<") taken = history.GoBack(backLink, url);
    if (step == ">") taken = history.GoForward(url);
    opened += taken ? url : "-";
    opened += ' ';
  }
  return opened;
}

TEST(BrowserHistory, ScriptsOfVisitsAndSteps) {
  const Script scripts[] = {
      // Visiting D after two steps back drops B and C.
      {"+A +B +C < < +B +A +D", false, {"A", "D"}, 0, "B A "},
      {"+A +A +B +B", false, {"A", "B"}, 0, ""},
      // The page reached by a step is not recorded, the next one is.
      {"+A +B +C < +B", false, {"A", "B", "C"}, 1, "B "},
      {"+A +B +C < +B > +C", false, {"A", "B", "C"}, 0, "B C "},
      {"+A +B < +A +C", false, {"A", "C"}, 0, "A "},
      // Steps past either end are refused and change nothing.
      {"+A +B < < < +A", false, {"A", "B"}, 1, "A - - "},
      {"+A +B > > +C", false, {"A", "B", "C"}, 0, "- - "},
      {"< > +A", false, {"A"}, 0, "- - "},
      // With a back link the position stays and the page shown is given.
      {"+A +B < +B +C", true, {"A", "B", "C"}, 0, "B "},
      {"< +X +Y", true, {"Y"}, 0, "- "},
      // The same page again while stepped back keeps the newer entries.
      {"+A +B +C < +B +B", false, {"A", "B", "C"}, 1, "B "},
  };
  for (const Script& script : scripts) {
    CBrowserHistory history;
    const std::string opened = Play(history, script.steps, script.backLink);
    EXPECT_EQ(history.GetEntries(), script.entries) << script.steps;
    EXPECT_EQ(history.GetPosition(), script.position) << script.steps;
    EXPECT_EQ(opened, script.opened) << script.steps;
  }
}

TEST(BrowserHistory, BackAndForwardAreOfferedOnlyWhereAStepExists) {
  struct Case {
    const char* steps;
    bool backLink;
    bool canGoBack;
    bool canGoForward;
  };
  const Case cases[] = {
      {"", false, false, false},       {"", true, true, false},        {"+A", false, false, false},
      {"+A", true, true, false},       {"+A +B", false, true, false},  {"+A +B <", false, false, true},
      {"+A +B <", true, true, false},  {"+A +B +C < <", false, false, true}, {"+A +B +C < < >", false, true, true},
  };
  for (const Case& c : cases) {
    CBrowserHistory history;
    Play(history, c.steps, c.backLink);
    EXPECT_EQ(history.CanGoBack(c.backLink), c.canGoBack) << c.steps << " back link " << c.backLink;
    EXPECT_EQ(history.CanGoForward(), c.canGoForward) << c.steps << " back link " << c.backLink;
  }
}

TEST(BrowserHistory, ClearEmptiesAndRecordsTheNextPage) {
  CBrowserHistory history;
  std::string url;
  history.Add("A");
  history.Add("B");
  ASSERT_TRUE(history.GoBack(false, url));
  history.Clear();
  EXPECT_EQ(history.GetCount(), 0);
  EXPECT_EQ(history.GetPosition(), 0);
  history.Add("C");
  EXPECT_EQ(history.GetEntries(), std::vector<std::string>{"C"});
}

}  // namespace
