// The captioned picture window: its size from the picture and the two
// texts, the caption lines under the picture, no caption at all when the
// first text is empty, white on blue while highlighted.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "CaptionedPictureWnd.h"
#include "CWnd.h"
#include "Fixtures.h"

namespace {

void Pump(DWORD ms) {
    const DWORD end = ::GetTickCount() + ms;
    MSG msg;
    do {
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
        ::Sleep(5);
    } while (static_cast<LONG>(::GetTickCount() - end) < 0);
}

SIZE TextSize(const std::string& text) {
    HDC screen = ::GetDC(nullptr);
    HGDIOBJ old = ::SelectObject(screen, ::GetStockObject(ANSI_VAR_FONT));
    SIZE size{};
    ::GetTextExtentPoint32A(screen, text.c_str(), static_cast<int>(text.size()), &size);
    ::SelectObject(screen, old);
    ::ReleaseDC(nullptr, screen);
    return size;
}

// Pixels of a window's client rectangle that are of `colour`, and all.
int Count(HWND window, const RECT& rect, COLORREF colour, int* all = nullptr) {
    HDC dc = ::GetDC(window);
    int count = 0;
    int total = 0;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x) {
            count += ::GetPixel(dc, x, y) == colour ? 1 : 0;
            ++total;
        }
    ::ReleaseDC(window, dc);
    if (all) *all = total;
    return count;
}

class CaptionedPictureTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::vector<uint8_t> gif = ReadFixture("g16.gif");
        ASSERT_TRUE(m_picture.LoadMemory(gif.data(), gif.size()));
        ASSERT_TRUE(m_parent.CreateEx(0, CWnd::RegisterWndClass(0, nullptr, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH))),
                                      "parent", WS_POPUP | WS_VISIBLE, RECT{50, 50, 450, 350}, nullptr, 0));
    }
    void TearDown() override { m_parent.DestroyWindow(); }
    CPicture m_picture;
    CWnd m_parent;
};

TEST_F(CaptionedPictureTest, SizeIsThePictureAndBothTextLines) {
    auto* window = new CCaptionedPictureWnd();
    const std::string first = "A rather long first caption";
    ASSERT_TRUE(window->Create(&m_parent, 10, 20, m_picture, true, first, "Two"));
    const SIZE firstSize = TextSize(first);
    const SIZE secondSize = TextSize("Two");
    RECT rect{};
    window->GetWindowRect(&rect);
    ::MapWindowPoints(nullptr, m_parent.m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_EQ(rect.left, 10);
    EXPECT_EQ(rect.top, 20);
    EXPECT_EQ(rect.right - rect.left, std::max<LONG>(37, firstSize.cx));
    EXPECT_EQ(rect.bottom - rect.top, 23 + firstSize.cy + secondSize.cy);
    EXPECT_EQ(window->PictureWidth(), 37);
    EXPECT_EQ(window->FirstLine().top, 23);
    EXPECT_EQ(window->SecondLine().top, 23 + firstSize.cy);
    window->SafeDelete();

    auto* sized = new CCaptionedPictureWnd(60, 50);
    ASSERT_TRUE(sized->Create(&m_parent, 0, 0, m_picture, false, "x", ""));
    sized->GetWindowRect(&rect);
    EXPECT_EQ(rect.right - rect.left, 60);
    EXPECT_EQ(rect.bottom - rect.top, 50 + TextSize("x").cy + TextSize("").cy);
    sized->SafeDelete();
}

TEST_F(CaptionedPictureTest, CaptionsAreDrawnOnlyWithAFirstTextAndTurnBlueWhenHighlighted) {
    auto* captioned = new CCaptionedPictureWnd();
    ASSERT_TRUE(captioned->Create(&m_parent, 10, 10, m_picture, true, "WWWWWW", "MMMMMM"));
    auto* blank = new CCaptionedPictureWnd();
    ASSERT_TRUE(blank->Create(&m_parent, 200, 10, m_picture, true, "", "MMMMMM"));
    Pump(200);
    captioned->UpdateWindow();
    blank->UpdateWindow();
    int all = 0;
    const int whiteFirst = Count(captioned->m_hWnd, captioned->FirstLine(), RGB(255, 255, 255), &all);
    EXPECT_LT(whiteFirst, all) << "no text drawn in the first line";
    EXPECT_LT(Count(captioned->m_hWnd, captioned->SecondLine(), RGB(255, 255, 255), &all), all);
    // No first text: the second line stays empty too.
    EXPECT_EQ(Count(blank->m_hWnd, blank->SecondLine(), RGB(255, 255, 255), &all), all);

    captioned->SetHighlight(true);
    captioned->Invalidate();
    captioned->UpdateWindow();
    Pump(100);
    const int blue = Count(captioned->m_hWnd, captioned->FirstLine(), RGB(0, 0, 255), &all);
    EXPECT_GT(blue, all / 2);
    EXPECT_GT(Count(captioned->m_hWnd, captioned->FirstLine(), RGB(255, 255, 255)), 0);
    captioned->SafeDelete();
    blank->SafeDelete();
}

}  // namespace
