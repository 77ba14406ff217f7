// The zoom effect on the screen: the outlines of every step one tick at a
// time, each erased by the next, clipped to the uncovered part of the main
// window, nothing left behind; the mouse, cursor, desktop lock and the
// running-effect slot given back; one effect at a time; a temporary effect
// that frees itself; an explicit set-up that keeps the avatar zoom back.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <vector>

#include "ZoomRectEffect.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

bool SameRect(const RECT& a, const RECT& b) { return ::EqualRect(&a, &b) != 0; }

const char* WhiteClass() {
    static const char* name = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = ::DefWindowProcA;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
        wc.lpszClassName = "ZoomTestWhite";
        ::RegisterClassA(&wc);
        return wc.lpszClassName;
    }();
    return name;
}

HWND MakeWindow(const RECT& rect, bool topmost = false) {
    HWND window = ::CreateWindowExA(topmost ? WS_EX_TOPMOST : 0, WhiteClass(), "", WS_POPUP | WS_VISIBLE,
                                    rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                                    nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
    ::UpdateWindow(window);
    return window;
}

void PumpOnce() {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

void Pump(DWORD ms) {
    const DWORD end = ::GetTickCount() + ms;
    do {
        PumpOnce();
        ::Sleep(5);
    } while (static_cast<LONG>(::GetTickCount() - end) < 0);
}

// Pumps until done, calling seen after every round.
bool PumpUntil(const std::function<bool()>& done, const std::function<void()>& seen = {}, DWORD ms = 10000) {
    const DWORD end = ::GetTickCount() + ms;
    while (!done()) {
        if (static_cast<LONG>(::GetTickCount() - end) >= 0) return false;
        PumpOnce();
        if (seen) seen();
        ::Sleep(1);
    }
    return true;
}

// Pixels of the screen along a row from x to x + count.
std::vector<COLORREF> Row(int x, int y, int count) {
    HDC screen = ::GetDC(nullptr);
    std::vector<COLORREF> pixels;
    for (int i = 0; i < count; ++i) pixels.push_back(::GetPixel(screen, x + i, y));
    ::ReleaseDC(nullptr, screen);
    return pixels;
}

int NonWhite(const std::vector<COLORREF>& pixels) {
    int count = 0;
    for (COLORREF pixel : pixels) count += pixel != kWhite ? 1 : 0;
    return count;
}

class ZoomRectEffectTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_main = MakeWindow(kMain);
        Pump(100);
    }
    void TearDown() override {
        ::DestroyWindow(m_main);
        Pump(30);
    }
    const RECT kMain{100, 100, 500, 400};
    HWND m_main = nullptr;
};

TEST_F(ZoomRectEffectTest, TenPixelsApartDrawStartOneBetweenAndEndThenGiveEverythingBack) {
    int finished = 0;
    CZoomRectEffect effect(m_main, [&finished] { ++finished; });
    const RECT start{150, 150, 200, 200};
    const RECT end{160, 150, 230, 240};
    effect.Setup(start, end, 1, 60, false);
    ASSERT_TRUE(effect.Start(true));
    EXPECT_TRUE(effect.IsRunning());
    EXPECT_EQ(CZoomRectEffect::Running(), &effect);
    EXPECT_EQ(::GetCapture(), m_main);
    // A second start changes nothing.
    EXPECT_FALSE(effect.Start(true));

    std::vector<RECT> outlines;
    ASSERT_TRUE(PumpUntil([&] { return finished > 0; }, [&] {
        const auto shown = effect.CurrentOutline();
        if (shown && (outlines.empty() || !SameRect(outlines.back(), *shown))) outlines.push_back(*shown);
    }));
    ASSERT_EQ(outlines.size(), 3u);
    EXPECT_TRUE(SameRect(outlines[0], start));
    EXPECT_TRUE(SameRect(outlines[1], (RECT{153, 150, 153 + 50 + 6, 150 + 50 + 13})));
    EXPECT_TRUE(SameRect(outlines[2], end));
    EXPECT_EQ(finished, 1);
    EXPECT_FALSE(effect.IsRunning());
    EXPECT_FALSE(effect.CurrentOutline().has_value());
    EXPECT_EQ(CZoomRectEffect::Running(), nullptr);
    EXPECT_NE(::GetCapture(), m_main);
    // The desktop is no longer locked.
    EXPECT_TRUE(::LockWindowUpdate(::GetDesktopWindow()));
    ::LockWindowUpdate(nullptr);
}

TEST_F(ZoomRectEffectTest, OutlineShowsOnlyOverTheUncoveredMainWindowAndLeavesNothing) {
    // A window above the right half of the main window.
    HWND above = MakeWindow({300, 100, 500, 400}, true);
    Pump(100);
    const int y = 200;
    const std::vector<COLORREF> before = Row(120, y, 360);
    ASSERT_EQ(NonWhite(before), 0);

    CZoomRectEffect effect(m_main);
    // A wide outline whose top edge runs across both windows, standing still.
    const RECT wide{120, y, 480, 260};
    effect.Setup(wide, wide, 1, 60, false);
    ASSERT_TRUE(effect.Start(true));
    ASSERT_TRUE(PumpUntil([&] { return effect.CurrentOutline().has_value(); }));
    const std::vector<COLORREF> during = Row(120, y, 360);
    effect.Reset();
    Pump(30);
    const std::vector<COLORREF> after = Row(120, y, 360);
    ::DestroyWindow(above);

    const std::vector<COLORREF> uncovered(during.begin(), during.begin() + 170);
    const std::vector<COLORREF> covered(during.begin() + 190, during.end());
    EXPECT_GT(NonWhite(uncovered), 40);
    EXPECT_EQ(NonWhite(covered), 0);
    EXPECT_EQ(NonWhite(after), 0);
}

TEST_F(ZoomRectEffectTest, TemporaryEffectFreesItselfAfterItsLastStep) {
    const int live = CZoomRectEffect::LiveCount();
    auto* temporary = new CZoomRectEffect(m_main);
    temporary->Setup({150, 150, 250, 250}, {300, 300, 320, 320}, -1, 20, true);
    ASSERT_TRUE(temporary->Start(false));
    EXPECT_EQ(CZoomRectEffect::LiveCount(), live + 1);
    ASSERT_TRUE(PumpUntil([&] { return CZoomRectEffect::LiveCount() == live; }));
    EXPECT_EQ(CZoomRectEffect::Running(), nullptr);
}

TEST_F(ZoomRectEffectTest, ExplicitSetUpKeepsTheAvatarZoomBackUntilItStops) {
    const RECT avatar{300, 300, 336, 348};
    const RECT indicator{110, 110, 130, 130};
    CZoomRectEffect promotion(m_main);
    promotion.Setup({200, 200, 260, 260}, indicator, -1, 20, true);
    CZoomRectEffect avatarZoom(m_main);
    EXPECT_EQ(avatarZoom.PrepareBetween(avatar, indicator, true, nullptr), CZoomRectEffect::kExplicitPending);
    EXPECT_FALSE(avatarZoom.IsPrepared());
    ASSERT_TRUE(promotion.Start(true));
    // Only one effect runs at a time.
    CZoomRectEffect other(m_main);
    other.Setup(avatar, indicator, -1, 0, false);
    EXPECT_FALSE(other.Start(true));
    promotion.Stop();
    EXPECT_EQ(avatarZoom.PrepareBetween(avatar, indicator, true, nullptr), CZoomRectEffect::kPrepared);
    ASSERT_TRUE(avatarZoom.Start(true));
    // Towards the avatar: from the indicator, growing.
    ASSERT_TRUE(PumpUntil([&] { return avatarZoom.CurrentOutline().has_value(); }));
    EXPECT_TRUE(SameRect(*avatarZoom.CurrentOutline(), indicator));
    avatarZoom.Reset();
    EXPECT_FALSE(avatarZoom.IsRunning());
}

}  // namespace
