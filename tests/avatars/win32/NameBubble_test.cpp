// The name bubble as a window: hidden for an empty text, the first-show
// delay and its timer, Hide against Dismiss, the size from the text lines,
// centring on a negative x, no activation, and the painted text.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>

#include "CWnd.h"
#include "NameBubble.h"

namespace {

// The bubble's window class is registered once per program with the first
// colour given, so every test of this program uses the same one.
constexpr COLORREF kBackground = RGB(255, 255, 225);

void Pump(DWORD ms = 30) {
    const DWORD end = ::GetTickCount() + ms;
    MSG msg;
    do {
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        ::Sleep(5);
    } while (static_cast<LONG>(::GetTickCount() - end) < 0);
}

bool PumpUntil(const std::function<bool()>& done, DWORD ms = 10000) {
    const DWORD end = ::GetTickCount() + ms;
    while (!done()) {
        if (static_cast<LONG>(::GetTickCount() - end) >= 0) {
            return false;
        }
        Pump(10);
    }
    return true;
}

class NameBubbleTest : public ::testing::Test {
protected:
    CWnd owner;
    CNameBubble bubble;

    void SetUp() override {
        const char* cls = CWnd::RegisterWndClass(0, ::LoadCursorA(nullptr, IDC_ARROW),
                                                 static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH)));
        ASSERT_TRUE(owner.CreateEx(0, cls, "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                   RECT{40, 40, 500, 400}, nullptr, 0));
        ASSERT_TRUE(bubble.Create(&owner, kBackground));
        ::SetForegroundWindow(owner.GetSafeHwnd());
        Pump();
    }
    void TearDown() override {
        bubble.DestroyWindow();
        owner.DestroyWindow();
    }
    bool Visible() const { return ::IsWindowVisible(bubble.GetSafeHwnd()) != FALSE; }
    RECT Frame() const {
        RECT rect{};
        ::GetWindowRect(bubble.GetSafeHwnd(), &rect);
        return rect;
    }
    // Shows a text and ends the first-show delay by hand.
    void ShowNow(int32_t x, int32_t y, const char* text) {
        bubble.ShowText(x, y, text);
        if (bubble.IsTimerRunning()) {
            bubble.SendMessage(WM_TIMER, CNameBubble::kDelayTimer);
        }
        ASSERT_TRUE(Visible());
    }
};

TEST_F(NameBubbleTest, IsAnUnactivatedToolWindowOfItsOwner) {
    HWND window = bubble.GetSafeHwnd();
    EXPECT_EQ(::GetWindow(window, GW_OWNER), owner.GetSafeHwnd());
    EXPECT_TRUE(bubble.GetExStyle() & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(bubble.GetStyle() & WS_POPUP);
    EXPECT_TRUE(bubble.GetStyle() & WS_BORDER);
    EXPECT_FALSE(Visible());
    ShowNow(100, 100, "Ann");
    // Other test programs may take the foreground meanwhile; what matters is
    // that the bubble never becomes the active or foreground window.
    EXPECT_TRUE(Visible());
    EXPECT_NE(::GetActiveWindow(), bubble.GetSafeHwnd());
    EXPECT_NE(::GetForegroundWindow(), bubble.GetSafeHwnd());
}

TEST_F(NameBubbleTest, EmptyTextHidesTheBubbleAndStartsNoTimer) {
    bubble.ShowText(100, 100, "");
    EXPECT_FALSE(Visible());
    EXPECT_FALSE(bubble.IsTimerRunning());

    ShowNow(100, 100, "Ann");
    bubble.ShowText(100, 100, "");
    EXPECT_FALSE(Visible());
    EXPECT_FALSE(bubble.IsTimerRunning());
    EXPECT_EQ(bubble.GetWindowText(), "");
}

TEST_F(NameBubbleTest, FirstTextWaitsForTheTimerLaterTextsShowAtOnce) {
    bubble.ShowText(100, 100, "Ann", 7);
    EXPECT_FALSE(Visible());
    EXPECT_TRUE(bubble.IsTimerRunning());
    EXPECT_EQ(bubble.LastDelay(), 7);
    // The real timer, with a generous wait.
    ASSERT_TRUE(PumpUntil([&] { return Visible(); }));
    EXPECT_TRUE(bubble.IsShownFlagSet());
    EXPECT_FALSE(bubble.IsTimerRunning());

    bubble.ShowText(120, 100, "Bob");
    EXPECT_TRUE(Visible());
    EXPECT_FALSE(bubble.IsTimerRunning());

    // Hide keeps the shown state: the next text shows at once.
    bubble.Hide();
    EXPECT_FALSE(Visible());
    bubble.ShowText(140, 100, "Cy");
    EXPECT_TRUE(Visible());

    // Dismiss forgets it: the next text waits again.
    bubble.Dismiss();
    EXPECT_FALSE(Visible());
    bubble.ShowText(160, 100, "Dee");
    EXPECT_FALSE(Visible());
    EXPECT_TRUE(bubble.IsTimerRunning());
    // A second text while waiting keeps waiting and shows the newer text.
    bubble.ShowText(170, 100, "Eve");
    EXPECT_FALSE(Visible());
    EXPECT_TRUE(bubble.IsTimerRunning());
    bubble.SendMessage(WM_TIMER, CNameBubble::kDelayTimer);
    EXPECT_TRUE(Visible());
    EXPECT_EQ(bubble.GetWindowText(), "Eve");
    EXPECT_EQ(Frame().left, 170);
}

TEST_F(NameBubbleTest, SizeFollowsTheLinesOfTheText) {
    const int32_t border = ::GetSystemMetrics(SM_CXBORDER);
    const int32_t line = CNameBubble::LineHeight();
    ASSERT_GT(line, 6 * border);

    ShowNow(50, 60, "Ann");
    const RECT one = Frame();
    EXPECT_EQ(one.bottom - one.top, line + 6 * border);

    ShowNow(50, 60, "Ann\nA much longer name");
    const RECT two = Frame();
    EXPECT_EQ(two.bottom - two.top, 2 * line + 6 * border);

    ShowNow(50, 60, "A much longer name");
    const RECT widest = Frame();
    EXPECT_EQ(two.right - two.left, widest.right - widest.left);
    EXPECT_GT(widest.right - widest.left, one.right - one.left);

    ShowNow(50, 60, "Ann\r\nA much longer name\n");
    const RECT three = Frame();
    EXPECT_EQ(three.bottom - three.top, 3 * line + 6 * border);
    EXPECT_EQ(three.right - three.left, widest.right - widest.left);
}

TEST_F(NameBubbleTest, NegativeXCentresTheBubbleOnItsAbsoluteValue) {
    struct Case {
        int32_t x;
        int32_t y;
    };
    const Case cases[] = {{-200, 40}, {-301, 90}, {30, 40}};
    for (const Case& c : cases) {
        ShowNow(c.x, c.y, "Centred name");
        const RECT frame = Frame();
        const LONG width = frame.right - frame.left;
        const LONG expected = c.x < 0 ? -c.x - width / 2 : c.x;
        EXPECT_EQ(frame.left, expected) << c.x;
        EXPECT_EQ(frame.top, c.y) << c.x;
    }
}

TEST_F(NameBubbleTest, PaintsDarkTextOnItsBackground) {
    ShowNow(120, 140, "WWWW");
    bubble.UpdateWindow();
    Pump();
    RECT client{};
    bubble.GetClientRect(&client);
    HDC dc = ::GetDC(bubble.GetSafeHwnd());
    int dark = 0;
    for (LONG y = client.top; y < client.bottom; ++y) {
        for (LONG x = client.left; x < client.right; ++x) {
            const COLORREF c = ::GetPixel(dc, x, y);
            if (GetRValue(c) < 80 && GetGValue(c) < 80 && GetBValue(c) < 80) {
                ++dark;
            }
        }
    }
    const COLORREF corner = ::GetPixel(dc, 0, 0);
    ::ReleaseDC(bubble.GetSafeHwnd(), dc);
    EXPECT_GT(dark, 10);
    EXPECT_EQ(corner, kBackground);
}

}  // namespace
