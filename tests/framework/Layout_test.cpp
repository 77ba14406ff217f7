// Frame layout: bars take their space through WM_SIZEPARENT, the status bar
// sits at the bottom with its stretching pane, and static splitters (one
// nested in a pane of another) share the rest, after every resize.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "CCmdUI.h"
#include "CFrameWnd.h"
#include "CSplitterWnd.h"
#include "CStatusBar.h"
#include "CView.h"
#include "TestResources.h"
#include "TestSupport.h"

namespace {

constexpr int kTopBarHeight = 30;
constexpr int kKeepRight = 165;
constexpr UINT kTopBarId = 100;

RECT RectIn(HWND child, HWND parent) {
  RECT rect{};
  ::GetWindowRect(child, &rect);
  ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

// A bar that takes a fixed height off the top of the layout.
class TopBar : public CWnd {
 protected:
  LRESULT OnSizeParent(WPARAM, LPARAM lParam) {
    auto* layout = reinterpret_cast<SizeParentParams*>(lParam);
    RECT place{layout->rect.left, layout->rect.top, layout->rect.right,
               std::min(layout->rect.bottom, layout->rect.top + kTopBarHeight)};
    RepositionWindow(layout, m_hWnd, place);
    layout->rect.top = place.bottom;
    return 0;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TopBar, CWnd)
  ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
END_MESSAGE_MAP()

class PaneView : public CView {
  DECLARE_DYNCREATE(PaneView)
};
IMPLEMENT_DYNCREATE(PaneView, CView)

class PaneFrame : public CFrameWnd {
  DECLARE_DYNCREATE(PaneFrame)
};
IMPLEMENT_DYNCREATE(PaneFrame, CFrameWnd)

// Keeps the right pane at least kKeepRight wide while a bar is dragged.
class KeepRightSplitter : public CSplitterWnd {
 protected:
  void OnMouseMove(UINT flags, POINT point) override {
    RECT client{};
    GetClientRect(&client);
    if ((flags & MK_LBUTTON) && client.right - point.x < kKeepRight) {
      return;
    }
    CSplitterWnd::OnMouseMove(flags, point);
  }
};

class LayoutFrame : public CFrameWnd {
 public:
  TopBar topBar;
  KeepRightSplitter mainSplitter;
  CSplitterWnd nestedSplitter;
  CStatusBar statusBar;

 protected:
  bool OnCreateClient(LPCREATESTRUCT, CCreateContext* context) override {
    RECT none{0, 0, 0, 0};
    return topBar.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, none, this, kTopBarId) &&
           mainSplitter.CreateStatic(this, 1, 2) &&
           nestedSplitter.CreateStatic(&mainSplitter, 2, 1, WS_CHILD | WS_VISIBLE | WS_BORDER,
                                       static_cast<UINT>(mainSplitter.IdFromRowCol(0, 0))) &&
           nestedSplitter.CreateView(0, 0, RUNTIME_CLASS(PaneView), SIZE{0, 100}, context) &&
           nestedSplitter.CreateView(1, 0, RUNTIME_CLASS(PaneFrame), SIZE{0, 0}, context) &&
           mainSplitter.CreateView(0, 1, RUNTIME_CLASS(PaneView), SIZE{0, 0}, context) &&
           (mainSplitter.SetColumnInfo(0, 200, 0), true);
  }

  int OnCreate(LPCREATESTRUCT cs) {
    if (CFrameWnd::OnCreate(cs) == -1) {
      return -1;
    }
    static const UINT indicators[] = {0, ID_INDICATOR_MODE, ID_UNHANDLED};
    if (!statusBar.Create(this) || !statusBar.SetIndicators(indicators, 3)) {
      return -1;
    }
    RecalcLayout();
    return 0;
  }

  void OnUpdateMode(CCmdUI* ui) { ui->Enable(true); }

  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(LayoutFrame, CFrameWnd)
  ON_WM_CREATE()
  ON_UPDATE_COMMAND_UI(ID_INDICATOR_MODE, OnUpdateMode)
END_MESSAGE_MAP()

class FrameLayout : public testing::Test {
 protected:
  void SetUp() override {
    frame = new LayoutFrame;
    ASSERT_TRUE(frame->LoadFrame(IDR_TESTFRAME, WS_OVERLAPPEDWINDOW));
  }
  void TearDown() override { frame->DestroyWindow(); }

  void ResizeClient(int width, int height) {
    RECT outer{0, 0, width, height};
    ::AdjustWindowRectEx(&outer, frame->GetStyle(), TRUE, frame->GetExStyle());
    frame->SetWindowPos(nullptr, 0, 0, Width(outer), Height(outer), SWP_NOZORDER | SWP_NOMOVE);
  }

  LayoutFrame* frame = nullptr;
};

TEST_F(FrameLayout, BarsStatusBarAndSplittersShareTheClientAfterResizes) {
  const SIZE sizes[] = {{640, 480}, {300, 200}, {150, 120}, {800, 90}, {640, 480}};
  for (SIZE size : sizes) {
    ResizeClient(size.cx, size.cy);
    RECT client{};
    frame->GetClientRect(&client);
    SCOPED_TRACE(testing::Message() << "client " << client.right << "x" << client.bottom);
    int statusHeight = frame->statusBar.GetHeight();
    ASSERT_GT(statusHeight, 0);

    RECT top = RectIn(frame->topBar, *frame);
    EXPECT_EQ(top.top, 0);
    EXPECT_EQ(Height(top), kTopBarHeight);
    EXPECT_EQ(Width(top), client.right);

    RECT status = RectIn(frame->statusBar, *frame);
    EXPECT_EQ(status.bottom, client.bottom);
    EXPECT_EQ(Height(status), statusHeight);
    EXPECT_EQ(Width(status), client.right);

    RECT main = RectIn(frame->mainSplitter, *frame);
    EXPECT_EQ(main.top, kTopBarHeight);
    EXPECT_EQ(main.bottom, client.bottom - statusHeight);
    EXPECT_EQ(Width(main), client.right);

    int left = 0;
    int min = 0;
    frame->mainSplitter.GetColumnInfo(0, left, min);
    EXPECT_EQ(left, std::min(200, std::max(0, Width(main) - CSplitterWnd::kBarSize)));
    RECT nested = RectIn(frame->nestedSplitter, frame->mainSplitter);
    EXPECT_EQ(nested.left, 0);
    EXPECT_EQ(nested.top, 0);
    EXPECT_EQ(Width(nested), left);
    EXPECT_EQ(Height(nested), Height(main));

    RECT right = RectIn(*frame->mainSplitter.GetPane(0, 1), frame->mainSplitter);
    EXPECT_EQ(right.left, left + CSplitterWnd::kBarSize);
    EXPECT_EQ(right.right, Width(main));

    RECT nestedClient{};
    frame->nestedSplitter.GetClientRect(&nestedClient);
    RECT upper = RectIn(*frame->nestedSplitter.GetPane(0, 0), frame->nestedSplitter);
    RECT lower = RectIn(*frame->nestedSplitter.GetPane(1, 0), frame->nestedSplitter);
    EXPECT_EQ(upper.top, 0);
    EXPECT_EQ(Height(upper), std::min(100, std::max(0, static_cast<int>(nestedClient.bottom) -
                                                           CSplitterWnd::kBarSize)));
    EXPECT_EQ(lower.top, upper.bottom + CSplitterWnd::kBarSize);
    EXPECT_EQ(lower.bottom, nestedClient.bottom);
    EXPECT_EQ(Width(lower), nestedClient.right);

    int edges[3] = {};
    frame->statusBar.SendMessage(SB_GETPARTS, 3, reinterpret_cast<LPARAM>(edges));
    UINT id = 0;
    UINT style = 0;
    int modeWidth = 0;
    int unhandledWidth = 0;
    frame->statusBar.GetPaneInfo(1, id, style, modeWidth);
    frame->statusBar.GetPaneInfo(2, id, style, unhandledWidth);
    EXPECT_EQ(edges[0], std::max(0, static_cast<int>(client.right) - modeWidth - unhandledWidth));
    EXPECT_EQ(edges[2], edges[0] + modeWidth + unhandledWidth);
  }
}

TEST_F(FrameLayout, ZeroNegativeAndTooSmallColumnsCollapse) {
  ResizeClient(640, 480);
  struct Case {
    int ideal;
    int min;
    int expected;
  };
  const Case cases[] = {{-50, 0, 0}, {0, 0, 0}, {5, 10, 0}, {300, 10, 300}, {5000, 0, -1}};
  for (const Case& c : cases) {
    frame->mainSplitter.SetColumnInfo(0, c.ideal, c.min);
    frame->mainSplitter.RecalcLayout();
    RECT main{};
    frame->mainSplitter.GetClientRect(&main);
    int expected = c.expected >= 0 ? c.expected : main.right - CSplitterWnd::kBarSize;
    int current = 0;
    int min = 0;
    frame->mainSplitter.GetColumnInfo(0, current, min);
    EXPECT_EQ(current, expected) << "ideal " << c.ideal << " min " << c.min;
    RECT right = RectIn(*frame->mainSplitter.GetPane(0, 1), frame->mainSplitter);
    EXPECT_EQ(right.left, expected + CSplitterWnd::kBarSize);
    EXPECT_GE(Width(right), 0);
  }
}

TEST_F(FrameLayout, DraggedBarMovesUnlessTheSplitterRefuses) {
  ResizeClient(640, 480);
  RECT main{};
  frame->mainSplitter.GetClientRect(&main);
  auto drag = [&](int from, int to) {
    frame->mainSplitter.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from, 10));
    frame->mainSplitter.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to, 10));
    frame->mainSplitter.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(to, 10));
    int current = 0;
    int min = 0;
    frame->mainSplitter.GetColumnInfo(0, current, min);
    return current;
  };
  EXPECT_EQ(drag(202, 302), 300) << "the bar keeps the point where it was grabbed";
  EXPECT_EQ(drag(300, main.right - kKeepRight + 5), 300) << "the right pane keeps its minimum";
  EXPECT_EQ(drag(300, main.right - kKeepRight - 20), main.right - kKeepRight - 20);
  EXPECT_EQ(drag(5, 100), main.right - kKeepRight - 20) << "a press off the bar drags nothing";
}

TEST_F(FrameLayout, StatusLineShowsPromptsAndIdleTextAndIdleUpdatesPanes) {
  PumpFor(50);
  EXPECT_EQ(frame->statusBar.GetPaneText(0), "Ready");
  frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(ID_SAY_HELLO, MF_STRING),
                     reinterpret_cast<LPARAM>(::GetMenu(*frame)));
  EXPECT_EQ(frame->statusBar.GetPaneText(0), "Says hello");
  frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
  EXPECT_EQ(frame->statusBar.GetPaneText(0), "Ready");

  frame->statusBar.SetPaneText(1, "stale");
  frame->statusBar.SetPaneText(2, "stale");
  App().m_pMainWnd = frame;
  App().OnIdle(0);
  App().m_pMainWnd = nullptr;
  EXPECT_EQ(frame->statusBar.GetPaneText(1), "MODE") << "the update handler enables it";
  EXPECT_EQ(frame->statusBar.GetPaneText(2), "") << "no handler: disabled";
  EXPECT_EQ(frame->statusBar.GetPaneText(0), "Ready");
}

}  // namespace
