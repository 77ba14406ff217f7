// The main window's layout record: where the window stands and how its
// client area is divided between the page pane, the chat pane and the
// people pane, kept as four ratios in the settings (Windows/Layout) and
// applied whenever the main window is sized. Only arithmetic lives here; the
// main window supplies the measures of its live windows.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

struct ZrRect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;

  int32_t Width() const { return right - left; }
  int32_t Height() const { return bottom - top; }
};

class CZrLayoutRecord {
 public:
  enum Mode : int32_t { kClassic = 0, kBrowserOnly = 1, kAvatarsOnly = 2, kHvnClassic = 3 };
  enum SizeType : int32_t { kRestored = 0, kMinimized = 1, kMaximized = 2 };

  static constexpr int32_t kDefaultSideRatio = 75;
  static constexpr int32_t kDefaultTopRatio = 60;
  static constexpr int32_t kDefaultTopRatio3 = 20;
  // The people column never gets narrower than this.
  static constexpr int32_t kMinPeopleWidth = 165;
  // Room of the splitter bar above the lower pane in mode 2.
  static constexpr int32_t kSplitterRoom = 7;
  // The chat container's side window is this much narrower than its column.
  static constexpr int32_t kSideWindowInset = 8;

  // What a capture reads from the live windows.
  struct Capture {
    ZrRect window;  // the main window, screen coordinates
    ZrRect page;
    ZrRect chat;
    ZrRect people;
    // The page column's width and the upper row's height as the splitters
    // hold them: the ratios are taken from these, so that laying out what
    // was captured gives the same panes again (the page window itself is
    // smaller than its column by the frame around it).
    int32_t sideWidth = 0;
    int32_t upperHeight = 0;
    int32_t clientWidth = 0;
    int32_t clientHeight = 0;
    int32_t toolBarHeight = 0;
    int32_t statusBarHeight = 0;
    int32_t mode = kClassic;
    int32_t defaultBottomHeight = 0;  // the settings' default
  };

  // What LayoutMainPanes is called with.
  struct PaneRequest {
    int32_t sizeType = kRestored;
    int32_t width = 0;
    int32_t height = 0;
    // The main window's client size, used when it is maximised.
    int32_t clientWidth = 0;
    int32_t clientHeight = 0;
    int32_t toolBarHeight = 0;
    int32_t statusBarHeight = 0;
    int32_t mode = kClassic;
    int32_t defaultBottomHeight = 0;
  };

  // The pane sizes to apply. Nothing is applied unless `apply`; the
  // splitters are set only when `setSplitters` (side not negative).
  struct PaneSizes {
    bool apply = false;
    bool setSplitters = false;
    bool sizeSideWindow = false;
    int32_t width = 0;   // full client width
    int32_t height = 0;  // below the tool bar and above the status bar
    int32_t side = 0;    // column 0; column 1 is width - side
    int32_t upper = 0;   // row 0; row 1 is height - upper
    int32_t sideWindowWidth = 0;
  };

  // Exactly four numbers "%d,%d,%d,%d" mark the record loaded and valid and
  // return true; anything else changes nothing.
  bool ParseWindowRect(const std::string& text);
  std::string FormatWindowRect() const;
  void SetWindowRect(int32_t x, int32_t y, int32_t width, int32_t height);
  // Zeroes the three rectangles, loaded and valid.
  void Clear();
  void CaptureFrom(const Capture& capture);
  PaneSizes LayoutMainPanes(const PaneRequest& request) const;
  // Sets the reset position and the default ratios of the mode, runs
  // `applyMaximized` with the record so changed, then puts every changed
  // field back and clears valid.
  void Reset(int32_t mode, int32_t resetX, int32_t resetY, int32_t defaultBottomHeight,
             const std::function<void(const CZrLayoutRecord&)>& applyMaximized);

  ZrRect m_page;
  ZrRect m_chat;
  ZrRect m_people;
  bool m_loaded = false;
  bool m_valid = false;
  int32_t m_sideRatio = 0;
  int32_t m_topRatio = 0;
  int32_t m_bottomHeight = 0;
  int32_t m_topRatio3 = 0;
  int32_t m_x = 0;
  int32_t m_y = 0;
  int32_t m_width = 0;
  int32_t m_height = 0;
  bool m_captured = false;
};
