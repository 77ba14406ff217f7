// Which browser versions the client works with, and which view it picks.
#include <gtest/gtest.h>

#include "BrowserChoice.h"

TEST(BrowserChoice, VersionRules) {
  struct Case {
    BrowserVersion version;
    bool embedded;
    bool navigator;
  };
  const Case cases[] = {
      {{2, 0, 19}, false, false},  // an old 2.0 build
      {{2, 0, 20}, false, true},   // 2.0 from build 20 on
      {{2, 1, 40}, false, false},  // only 2.0 below the minimum
      {{3, 0, 0}, true, true},     // the minimum itself
      {{3, 1, 0}, true, true},
      {{4, 0, 0}, true, false},    // 4.0 and 4.01 are refused
      {{4, 1, 0}, true, false},
      {{4, 2, 0}, true, true},
      {{8, 0, 0}, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.version.major << "." << c.version.minor << "." << c.version.least);
    EXPECT_EQ(IsUsableEmbedded(c.version), c.embedded);
    EXPECT_EQ(IsUsableNavigator(c.version), c.navigator);
  }
}

TEST(BrowserChoice, ViewChoice) {
  struct Case {
    bool prefer;
    bool navigator;
    bool embedded;
    BrowserView view;
  };
  const Case cases[] = {
      {false, false, false, BrowserView::kNone},     {false, true, false, BrowserView::kNavigator},
      {false, false, true, BrowserView::kEmbedded},  {false, true, true, BrowserView::kEmbedded},
      {true, true, true, BrowserView::kNavigator},   {true, false, true, BrowserView::kEmbedded},
      {true, true, false, BrowserView::kNavigator},  {true, false, false, BrowserView::kNone},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.prefer << c.navigator << c.embedded);
    EXPECT_EQ(ChooseBrowserView(c.prefer, c.navigator, c.embedded), c.view);
  }
}
