// The status line: lasting, timed and scrolling texts in its one pane.
#include <windows.h>

#include <commctrl.h>

#include <memory>

#include "CFrameWnd.h"
#include "CZrStatusBar.h"
#include "StatusTestSupport.h"

namespace {

constexpr UINT kShortPeriod = 300;
constexpr COLORREF kMessageColour = RGB(255, 0, 0);

class StatusBarTest : public StatusTest {
 protected:
  std::unique_ptr<CZrStatusBar> bar = std::make_unique<CZrStatusBar>();

  void SetUp() override {
    StatusTest::SetUp();
    ASSERT_TRUE(bar->Create(MainFrame()));
    MainFrame()->RecalcLayout();
    Pump();
  }
  void TearDown() override {
    bar.reset();
    StatusTest::TearDown();
  }

  // What the control itself shows in pane 0.
  std::string Shown() const {
    char text[256] = {};
    bar->SendMessage(SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
    return text;
  }
  // Columns of the scroll area that hold a pixel of the message colour.
  std::vector<int> MessageColumns() const {
    RECT area{};
    bar->GetItemRect(0, &area);
    ::InflateRect(&area, -1, -1);
    Pixels pixels = ScreenPixels(bar->m_hWnd);
    std::vector<int> columns;
    for (int x = area.left; x < area.right; ++x) {
      for (int y = area.top; y < area.bottom; ++y) {
        if (pixels.At(x, y) == kMessageColour) {
          columns.push_back(x);
          break;
        }
      }
    }
    return columns;
  }
  int AreaRight() const {
    RECT area{};
    bar->GetItemRect(0, &area);
    return area.right - 1;
  }
  // Width of text in the bar's font (the application has no font here).
  int TextWidth(const std::string& text) const {
    HDC dc = ::GetDC(bar->m_hWnd);
    HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HFONT>(bar->SendMessage(WM_GETFONT)));
    SIZE size{};
    ::GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    ::SelectObject(dc, old);
    ::ReleaseDC(bar->m_hWnd, dc);
    return size.cx;
  }
  void Step() { bar->SendMessage(WM_TIMER, CZrStatusBar::kTimerId); }
};

TEST_F(StatusBarTest, CreatesOneStretchingPaneAtTheBottomOfItsFrame) {
  EXPECT_EQ(bar->GetDlgCtrlID(), 59393);
  EXPECT_EQ(bar->GetCount(), 1);
  UINT id = 1, style = 0;
  int width = 0;
  bar->GetPaneInfo(0, id, style, width);
  EXPECT_EQ(style, SBPS_STRETCH);
  RECT frame{}, shown{};
  MainFrame()->GetClientRect(&frame);
  bar->GetWindowRect(&shown);
  MainFrame()->ScreenToClient(&shown);
  EXPECT_EQ(shown.bottom, frame.bottom);
  EXPECT_EQ(shown.right - shown.left, frame.right);
  EXPECT_TRUE(bar->IsWindowVisible());
}

TEST_F(StatusBarTest, DefaultPeriodIsElevenSeconds) {
  EXPECT_EQ(bar->GetTimedPeriod(), 11000u);
  bar->SetTimedText("Connecting", false, "");
  EXPECT_EQ(bar->GetTimerId(), CZrStatusBar::kTimerId);
  Pump(500);
  EXPECT_EQ(Shown(), "Connecting");
}

TEST_F(StatusBarTest, TimedTextFallsBackToTheLastingTextAfterThePeriod) {
  bar->SetTimedPeriod(kShortPeriod);
  bar->SetTimedText("Welcome", true, "");
  bar->SetTimedText("Alice arrived", false, "");
  EXPECT_EQ(Shown(), "Alice arrived");
  EXPECT_EQ(bar->GetTimerId(), CZrStatusBar::kTimerId);
  DWORD start = ::GetTickCount();
  ASSERT_TRUE(PumpUntil([&] { return Shown() == "Welcome"; }));
  EXPECT_GE(::GetTickCount() - start, kShortPeriod - 50);
  EXPECT_EQ(bar->GetTimerId(), 0u);
  EXPECT_EQ(bar->GetCurrentText(), "Welcome");
}

TEST_F(StatusBarTest, LastingArgumentReplacesTheLastingTextAfterThePeriod) {
  bar->SetTimedPeriod(kShortPeriod);
  bar->SetTimedText("Old", true, "");
  bar->SetTimedText("Entering", false, "In the room");
  EXPECT_EQ(Shown(), "Entering");
  EXPECT_TRUE(PumpUntil([&] { return Shown() == "In the room"; }));
}

TEST_F(StatusBarTest, SecondTimedTextRestartsThePeriod) {
  const UINT period = 400;
  bar->SetTimedPeriod(period);
  bar->SetTimedText("Base", true, "");
  bar->SetTimedText("First", false, "");
  Pump(250);
  ASSERT_EQ(Shown(), "First");
  bar->SetTimedText("Second", false, "");
  DWORD second = ::GetTickCount();
  // Past the first text's end the second one still shows.
  Pump(250);
  EXPECT_EQ(Shown(), "Second");
  ASSERT_TRUE(PumpUntil([&] { return Shown() == "Base"; }));
  EXPECT_GE(::GetTickCount() - second, period - 50);
}

TEST_F(StatusBarTest, KeepMakesTheTextLastingWithNoTimer) {
  bar->SetTimedPeriod(kShortPeriod);
  bar->SetTimedText("Participating", true, "ignored");
  EXPECT_EQ(bar->GetLastingText(), "Participating");
  EXPECT_EQ(bar->GetTimerId(), 0u);
  Pump(kShortPeriod + 200);
  EXPECT_EQ(Shown(), "Participating");
}

TEST_F(StatusBarTest, EmptyTimedTextShowsTheLastingTextWithNoTimer) {
  bar->SetTimedText("Lasting", true, "");
  bar->SetTimedText("", false, "Other");
  EXPECT_EQ(Shown(), "Lasting");
  EXPECT_EQ(bar->GetLastingText(), "Lasting");
  EXPECT_EQ(bar->GetTimerId(), 0u);
}

TEST_F(StatusBarTest, EmptyOrReadyTextShowsTheLastingText) {
  struct Case {
    const char* text;
    const char* shown;
  };
  const Case cases[] = {{"", "Lasting"}, {"Ready", "Lasting"}, {"Ready ", "Ready "},
                        {"Busy", "Busy"}};
  bar->SetTimedText("Lasting", true, "");
  for (const Case& c : cases) {
    bar->SetText(c.text);
    EXPECT_EQ(Shown(), c.shown) << '"' << c.text << '"';
  }
}

TEST_F(StatusBarTest, SetTextMessageGoesThroughSetText) {
  bar->SetTimedText("Lasting", true, "");
  EXPECT_EQ(bar->SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Open a place")), 0);
  EXPECT_EQ(Shown(), "Open a place");
  EXPECT_EQ(bar->GetCurrentText(), "Open a place");
  // The frame's idle prompt arrives the same way.
  MainFrame()->SetMessageText(AFX_IDS_IDLEMESSAGE);
  EXPECT_EQ(Shown(), "Lasting");
  MainFrame()->SetMessageText("Menu prompt");
  EXPECT_EQ(Shown(), "Menu prompt");
}

TEST_F(StatusBarTest, StringMessagesComeFromTheResourceLibrary) {
  bar->SetTimedPeriod(kShortPeriod);
  bar->SetTimedText("Lasting", true, "");
  bar->ShowStringMessage(395, false);
  EXPECT_EQ(Shown(), "&Enter Room");
  EXPECT_EQ(bar->GetTimerId(), CZrStatusBar::kTimerId);
  bar->ShowStringMessage(394, true);
  EXPECT_EQ(bar->GetLastingText(), "L&eave Room");
  // A missing string is an empty text: the lasting text, no timer.
  bar->ShowStringMessage(64999, false);
  EXPECT_EQ(Shown(), "L&eave Room");
  EXPECT_EQ(bar->GetTimerId(), 0u);
}

TEST_F(StatusBarTest, IdleUpdatePutsTheCurrentTextBackIntoPaneZeroOnly) {
  static const UINT kTwoPanes[] = {0, 0};
  ASSERT_TRUE(bar->SetIndicators(kTwoPanes, 2));
  bar->SetTimedText("Current", true, "");
  bar->SetPaneText(0, "Overwritten");
  bar->SetPaneText(1, "Indicator");
  bar->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
  EXPECT_EQ(Shown(), "Current");
  EXPECT_EQ(bar->GetPaneText(1), "Indicator");
}

TEST_F(StatusBarTest, TextsWithoutAWindowAreIgnored) {
  CZrStatusBar unmade;
  unmade.SetTimedText("Text", false, "");
  unmade.SetMessage("Scroll", kMessageColour);
  EXPECT_EQ(unmade.GetCurrentText(), "");
  EXPECT_EQ(unmade.GetTimerId(), 0u);
  EXPECT_FALSE(unmade.IsScrolling());
}

TEST_F(StatusBarTest, DestroyingTheBarStopsItsTimer) {
  bar->SetTimedText("Timed", false, "");
  ASSERT_NE(bar->GetTimerId(), 0u);
  bar->DestroyWindow();
  EXPECT_EQ(bar->GetTimerId(), 0u);
}

TEST_F(StatusBarTest, MessageStartsScrollingInAnEmptyPane) {
  bar->SetTimedText("Lasting", true, "");
  bar->SetMessage("", kMessageColour);
  EXPECT_FALSE(bar->IsScrolling());
  EXPECT_EQ(Shown(), "Lasting");
  bar->SetMessage("News", kMessageColour);
  EXPECT_TRUE(bar->IsScrolling());
  EXPECT_EQ(Shown(), "");
  EXPECT_EQ(bar->GetLastingText(), "");
  EXPECT_EQ(bar->GetTimerId(), CZrStatusBar::kTimerId);
  EXPECT_EQ(bar->GetScrollOffset(), 0);
  // The 1 ms timer moves it on by itself.
  EXPECT_TRUE(PumpUntil([&] { return bar->GetScrollOffset() >= 10; }));
}

TEST_F(StatusBarTest, ScrollingMessageEntersAtTheRightAndReentersAfterLeaving) {
  std::string message;
  while (message.size() < 120) message += "Scrolling news ";
  bar->SetMessage(message, kMessageColour);
  bar->UpdateWindow();
  for (int i = 0; i < 15; ++i) Step();
  ASSERT_EQ(bar->GetScrollOffset(), 30);
  std::vector<int> columns = MessageColumns();
  ASSERT_FALSE(columns.empty());
  EXPECT_GE(columns.front(), AreaRight() - 30);
  // It moves left two pixels a step until it has left the pane.
  int previous = 30, steps = 0;
  while (bar->GetScrollOffset() != 0 && steps < 5000) {
    previous = bar->GetScrollOffset();
    Step();
    ++steps;
    if (bar->GetScrollOffset() != 0) {
      ASSERT_EQ(bar->GetScrollOffset(), previous + 2);
    }
  }
  ASSERT_EQ(bar->GetScrollOffset(), 0);
  RECT area{};
  bar->GetItemRect(0, &area);
  ASSERT_GT(TextWidth(message), area.right - area.left);
  int travel = TextWidth(message) + (area.right - area.left - 2);
  EXPECT_GE(previous, travel);
  EXPECT_LT(previous - 2, travel);
  EXPECT_TRUE(MessageColumns().empty());
  Step();
  Step();
  columns = MessageColumns();
  ASSERT_FALSE(columns.empty());
  EXPECT_GE(columns.front(), AreaRight() - 4);
}

TEST_F(StatusBarTest, NewTextEndsScrolling) {
  bar->SetTimedPeriod(kShortPeriod);
  bar->SetMessage("Scrolling", kMessageColour);
  bar->SetTimedText("Timed", false, "");
  EXPECT_FALSE(bar->IsScrolling());
  EXPECT_EQ(Shown(), "Timed");
  bar->SetMessage("Scrolling", kMessageColour);
  ::SetWindowTextA(bar->m_hWnd, "Prompt");
  EXPECT_FALSE(bar->IsScrolling());
  EXPECT_EQ(bar->GetTimerId(), 0u);
  EXPECT_EQ(Shown(), "Prompt");
}

}  // namespace
