// The main window's layout record: the ratios' text form, the pane sizes of
// every layout mode, capture from window measures, and reset.
#include "ZrLayoutRecord.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

struct ParseCase {
  const char* text;
  bool accepted;
  int32_t side, top, bottom, top3;
};

TEST(LayoutRecordParse, AcceptsExactlyFourNumbers) {
  const std::vector<ParseCase> cases = {
      {"75,60,150,20", true, 75, 60, 150, 20},
      {" 10, -5,+3,4", true, 10, -5, 3, 4},
      {"-2147483648,2147483647,0,0", true, INT32_MIN, INT32_MAX, 0, 0},
      {"1,2,3,4,5", true, 1, 2, 3, 4},
      {"1,2,3", false, 0, 0, 0, 0},
      {"", false, 0, 0, 0, 0},
      {"a,b,c,d", false, 0, 0, 0, 0},
      {"1,,3,4", false, 0, 0, 0, 0},
      {"1;2;3;4", false, 0, 0, 0, 0},
      {"2147483648,1,2,3", false, 0, 0, 0, 0},
      {"1,2,3,-2147483649", false, 0, 0, 0, 0},
      {"99999999999999999999999,1,2,3", false, 0, 0, 0, 0},
  };
  for (const ParseCase& c : cases) {
    SCOPED_TRACE(c.text);
    CZrLayoutRecord record;
    EXPECT_EQ(record.ParseWindowRect(c.text), c.accepted);
    EXPECT_EQ(record.m_loaded, c.accepted);
    EXPECT_EQ(record.m_valid, c.accepted);
    EXPECT_EQ(record.m_sideRatio, c.side);
    EXPECT_EQ(record.m_topRatio, c.top);
    EXPECT_EQ(record.m_bottomHeight, c.bottom);
    EXPECT_EQ(record.m_topRatio3, c.top3);
  }
}

TEST(LayoutRecordParse, RejectedTextKeepsAnEarlierLayout) {
  CZrLayoutRecord record;
  ASSERT_TRUE(record.ParseWindowRect("70,50,120,30"));
  EXPECT_FALSE(record.ParseWindowRect("1,2,3"));
  EXPECT_EQ(record.FormatWindowRect(), "70,50,120,30");
  EXPECT_TRUE(record.m_loaded);
}

TEST(LayoutRecordFormat, RoundTripsThroughParse) {
  CZrLayoutRecord record;
  record.m_sideRatio = -4;
  record.m_topRatio = 61;
  record.m_bottomHeight = 2000000000;
  record.m_topRatio3 = 0;
  CZrLayoutRecord copy;
  ASSERT_TRUE(copy.ParseWindowRect(record.FormatWindowRect()));
  EXPECT_EQ(copy.FormatWindowRect(), "-4,61,2000000000,0");
}

struct PaneCase {
  const char* name;
  const char* layout;  // parsed first unless null
  CZrLayoutRecord::PaneRequest request;
  bool apply;
  bool splitters;
  int32_t width, height, side, upper;
};

CZrLayoutRecord::PaneRequest Request(int32_t mode, int32_t width, int32_t height,
                                     int32_t sizeType = CZrLayoutRecord::kRestored) {
  CZrLayoutRecord::PaneRequest request;
  request.sizeType = sizeType;
  request.width = width;
  request.height = height;
  request.clientWidth = 1200;
  request.clientHeight = 900;
  request.toolBarHeight = 30;
  request.statusBarHeight = 20;
  request.mode = mode;
  request.defaultBottomHeight = 100;
  return request;
}

TEST(LayoutMainPanes, SizesPerModeAndSizeType) {
  using R = CZrLayoutRecord;
  const std::vector<PaneCase> cases = {
      // Defaults: side 75 %, upper 60 % of the height below the bars.
      {"classic defaults", nullptr, Request(R::kClassic, 1000, 650), true, true, 1000, 600, 750, 360},
      {"classic loaded", "50,25,0,0", Request(R::kClassic, 1000, 650), true, true, 1000, 600, 500, 150},
      {"browser only", "50,25,0,0", Request(R::kBrowserOnly, 1000, 650), true, true, 1000, 600, 835, 600},
      {"avatars default bottom", nullptr, Request(R::kAvatarsOnly, 1000, 650), true, true, 1000, 600, 750, 493},
      {"avatars loaded bottom", "50,25,300,0", Request(R::kAvatarsOnly, 1000, 650), true, true, 1000, 600, 500, 293},
      {"avatars bottom too tall", "50,25,900,0", Request(R::kAvatarsOnly, 1000, 650), true, true, 1000, 600, 500, 0},
      {"hvn classic", "50,25,0,0", Request(R::kHvnClassic, 1000, 650), true, true, 1000, 600, 500, 0},
      {"unknown mode", nullptr, Request(7, 1000, 650), true, true, 1000, 600, 835, 1000},
      // The people column keeps 165 pixels.
      {"people column kept", "95,60,0,0", Request(R::kClassic, 1000, 650), true, true, 1000, 600, 835, 360},
      {"narrow window", nullptr, Request(R::kClassic, 100, 650), true, false, 100, 600, -65, 360},
      {"bars taller than window", nullptr, Request(R::kClassic, 1000, 40), true, true, 1000, 0, 750, 0},
      {"minimised", nullptr, Request(R::kClassic, 1000, 650, R::kMinimized), false, false, 0, 0, 0, 0},
      {"maximised uses client", nullptr, Request(R::kClassic, 10, 10, R::kMaximized), true, true, 1200, 850, 900, 510},
      // Ratios from the file are not range-checked: no overflow.
      {"huge ratio", "2147483647,2147483647,0,0", Request(R::kClassic, 100000, 100050), true, true, 100000, 100000, 99835, INT32_MAX},
  };
  for (const PaneCase& c : cases) {
    SCOPED_TRACE(c.name);
    CZrLayoutRecord record;
    if (c.layout) {
      ASSERT_TRUE(record.ParseWindowRect(c.layout));
    }
    const CZrLayoutRecord::PaneSizes sizes = record.LayoutMainPanes(c.request);
    EXPECT_EQ(sizes.apply, c.apply);
    EXPECT_EQ(sizes.setSplitters, c.splitters);
    EXPECT_EQ(sizes.width, c.width);
    EXPECT_EQ(sizes.height, c.height);
    EXPECT_EQ(sizes.side, c.side);
    EXPECT_EQ(sizes.upper, c.upper);
    if (c.apply) {
      EXPECT_EQ(sizes.sideWindowWidth, c.side - CZrLayoutRecord::kSideWindowInset);
    }
    EXPECT_EQ(sizes.sizeSideWindow, c.apply && c.request.mode != R::kBrowserOnly);
  }
}

CZrLayoutRecord::Capture Measures(int32_t mode, int32_t clientWidth, int32_t clientHeight,
                                  int32_t pageWidth, int32_t pageHeight) {
  CZrLayoutRecord::Capture capture;
  capture.window = ZrRect{10, 20, 1010, 720};
  capture.page = ZrRect{0, 0, pageWidth, pageHeight};
  capture.chat = ZrRect{0, pageHeight, pageWidth, clientHeight};
  capture.people = ZrRect{pageWidth, 0, clientWidth, clientHeight};
  capture.sideWidth = pageWidth;
  capture.upperHeight = pageHeight;
  capture.clientWidth = clientWidth;
  capture.clientHeight = clientHeight;
  capture.toolBarHeight = 30;
  capture.statusBarHeight = 20;
  capture.mode = mode;
  capture.defaultBottomHeight = 140;
  return capture;
}

struct CaptureCase {
  const char* name;
  CZrLayoutRecord::Capture first;
  int32_t side, top, bottom, top3;
};

TEST(LayoutCapture, RatiosAndFirstCaptureDefaults) {
  using R = CZrLayoutRecord;
  const std::vector<CaptureCase> cases = {
      {"classic", Measures(R::kClassic, 1000, 650, 700, 300), 70, 50, 140, 20},
      // The lower pane's height leaves out the splitter bar's room.
      {"avatars", Measures(R::kAvatarsOnly, 1000, 650, 700, 450), 70, 60, 143, 20},
      // Ratios round to the nearest percent.
      {"rounded up", Measures(R::kClassic, 992, 650, 744 - 2, 359), 75, 60, 140, 20},
      {"avatars page taller than free height", Measures(R::kAvatarsOnly, 1000, 650, 700, 640), 70, 60, 0, 20},
      {"hvn classic", Measures(R::kHvnClassic, 1000, 650, 700, 150), 70, -1, 140, 25},
      {"browser only", Measures(R::kBrowserOnly, 1000, 650, 1000, 600), 100, -1, -1, -1},
      // Degenerate windows keep the ratios they cannot measure.
      {"zero client width", Measures(R::kClassic, 0, 650, 0, 300), -1, 50, 140, 20},
      {"no free height", Measures(R::kClassic, 1000, 50, 700, 0), 70, -1, 140, 20},
  };
  for (const CaptureCase& c : cases) {
    SCOPED_TRACE(c.name);
    CZrLayoutRecord record;
    record.m_sideRatio = record.m_topRatio = record.m_bottomHeight = record.m_topRatio3 = -1;
    record.CaptureFrom(c.first);
    EXPECT_TRUE(record.m_captured);
    EXPECT_TRUE(record.m_valid);
    EXPECT_EQ(record.m_sideRatio, c.side);
    EXPECT_EQ(record.m_topRatio, c.top);
    EXPECT_EQ(record.m_bottomHeight, c.bottom);
    EXPECT_EQ(record.m_topRatio3, c.top3);
    EXPECT_EQ(record.m_x, 10);
    EXPECT_EQ(record.m_y, 20);
    EXPECT_EQ(record.m_width, 1000);
    EXPECT_EQ(record.m_height, 700);
  }
}

TEST(LayoutCapture, LaterCaptureKeepsTheOtherModesValues) {
  CZrLayoutRecord record;
  record.CaptureFrom(Measures(CZrLayoutRecord::kClassic, 1000, 650, 700, 300));
  record.m_bottomHeight = 90;
  record.m_topRatio3 = 33;
  record.CaptureFrom(Measures(CZrLayoutRecord::kClassic, 1000, 650, 500, 150));
  EXPECT_EQ(record.m_sideRatio, 50);
  EXPECT_EQ(record.m_topRatio, 25);
  EXPECT_EQ(record.m_bottomHeight, 90);
  EXPECT_EQ(record.m_topRatio3, 33);
}

TEST(LayoutCapture, CapturedLayoutSurvivesSaveAndLoad) {
  CZrLayoutRecord saved;
  saved.CaptureFrom(Measures(CZrLayoutRecord::kClassic, 1000, 650, 700, 300));
  CZrLayoutRecord loaded;
  ASSERT_TRUE(loaded.ParseWindowRect(saved.FormatWindowRect()));
  const auto sizes = loaded.LayoutMainPanes(Request(CZrLayoutRecord::kClassic, 1000, 650));
  EXPECT_EQ(sizes.side, 700);
  EXPECT_EQ(sizes.upper, 300);
}

// Saving the layout and starting again must give the panes the user left:
// a capture of laid-out panes lays them out the same, in every mode that can
// be saved and at every window size, however often it is repeated.
TEST(LayoutCapture, LayingOutWhatWasCapturedGivesTheSamePanes) {
  using R = CZrLayoutRecord;
  for (const int32_t mode : {R::kClassic, R::kAvatarsOnly, R::kHvnClassic}) {
    for (int32_t width = 400; width <= 2000; width += 37) {
      for (int32_t height = 300; height <= 1200; height += 53) {
        CZrLayoutRecord record;
        ASSERT_TRUE(record.ParseWindowRect("63,41,170,20"));
        R::PaneRequest request = Request(mode, width, height);
        const R::PaneSizes first = record.LayoutMainPanes(request);
        // A side held back by the people column's minimum does not say the
        // ratio it came from.
        if (first.side == width - R::kMinPeopleWidth) continue;
        R::PaneSizes sizes = first;
        for (int round = 0; round < 3; ++round) {
          R::Capture capture = Measures(mode, width, height, sizes.side - 2, sizes.upper - 2);
          capture.sideWidth = sizes.side;
          capture.upperHeight = sizes.upper;
          CZrLayoutRecord loaded;
          ASSERT_TRUE(loaded.ParseWindowRect(record.FormatWindowRect()));
          loaded.CaptureFrom(capture);
          record = loaded;
          sizes = record.LayoutMainPanes(request);
        }
        SCOPED_TRACE(testing::Message() << "mode " << mode << " at " << width << "x" << height);
        EXPECT_EQ(sizes.side, first.side);
        EXPECT_EQ(sizes.upper, first.upper);
      }
    }
  }
}

struct ResetCase {
  int32_t mode;
  int32_t top, bottom, top3;
};

TEST(LayoutReset, AppliesDefaultsThenPutsTheRecordBack) {
  const std::vector<ResetCase> cases = {
      {CZrLayoutRecord::kClassic, 60, 2, 3},
      {CZrLayoutRecord::kBrowserOnly, 1, 2, 3},
      {CZrLayoutRecord::kAvatarsOnly, 1, 140, 3},
      {CZrLayoutRecord::kHvnClassic, 1, 2, 20},
  };
  for (const ResetCase& c : cases) {
    SCOPED_TRACE(c.mode);
    CZrLayoutRecord record;
    ASSERT_TRUE(record.ParseWindowRect("40,1,2,3"));
    record.SetWindowRect(5, 6, 700, 500);
    int calls = 0;
    record.Reset(c.mode, 0, 0, 140, [&](const CZrLayoutRecord& applied) {
      ++calls;
      EXPECT_EQ(applied.m_x, 0);
      EXPECT_EQ(applied.m_y, 0);
      EXPECT_EQ(applied.m_sideRatio, CZrLayoutRecord::kDefaultSideRatio);
      EXPECT_EQ(applied.m_topRatio, c.top);
      EXPECT_EQ(applied.m_bottomHeight, c.bottom);
      EXPECT_EQ(applied.m_topRatio3, c.top3);
    });
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(record.FormatWindowRect(), "40,1,2,3");
    EXPECT_EQ(record.m_x, 5);
    EXPECT_EQ(record.m_y, 6);
    EXPECT_FALSE(record.m_valid);
    EXPECT_TRUE(record.m_loaded);
  }
}

TEST(LayoutClear, DropsRectanglesAndFlagsOnly) {
  CZrLayoutRecord record;
  ASSERT_TRUE(record.ParseWindowRect("40,1,2,3"));
  record.m_page = ZrRect{1, 2, 3, 4};
  record.SetWindowRect(5, 6, 7, 8);
  record.Clear();
  EXPECT_FALSE(record.m_loaded);
  EXPECT_FALSE(record.m_valid);
  EXPECT_EQ(record.m_page.Width(), 0);
  EXPECT_EQ(record.m_page.right, 0);
  EXPECT_EQ(record.FormatWindowRect(), "40,1,2,3");
  EXPECT_EQ(record.m_width, 7);
}

}  // namespace
