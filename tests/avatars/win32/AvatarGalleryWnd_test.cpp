// The avatar gallery popup on a folder of real avatar files: the grid its
// file count gives, a file that does not load leaving a gap, titles from
// the files, clicks that select and deselect and tell the target, the
// status line following the mouse, F5 reading the folder again, and the
// popup placed beside its anchor with the mouse captured.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <set>
#include <string>

#include "AvatarFile.h"
#include "AvatarGalleryWnd.h"
#include "Fixtures.h"

namespace {

class RecordingTarget : public IGallerySelectionTarget {
public:
    void OnGallerySelectionChanged(bool selected) override { calls += selected ? 'S' : 'n'; }
    std::string calls;
};

std::string TempFolder() {
    char base[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, base);
    const std::string folder = std::string(base) + "zr_gallery_" + std::to_string(::GetCurrentProcessId());
    ::CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

void WriteAvatar(const std::string& folder, const std::string& name, const std::string& title) {
    CAvatarFile file;
    file.SetName(title);
    file.SetStill(ReadFixture("g16.gif"));
    ASSERT_TRUE(file.Save(folder));
    // Save names the file after the title; the gallery reads it by its file name.
    const std::string saved = CAvatarFile::FileNameOf(folder, title);
    const std::string wanted = folder + "\\" + name + ".zra";
    if (saved != wanted) ASSERT_TRUE(::MoveFileExA(saved.c_str(), wanted.c_str(), MOVEFILE_REPLACE_EXISTING));
}

void ClearFolder(const std::string& folder) {
    WIN32_FIND_DATAA found{};
    HANDLE search = ::FindFirstFileA((folder + "\\*.zra").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do ::DeleteFileA((folder + "\\" + found.cFileName).c_str());
    while (::FindNextFileA(search, &found));
    ::FindClose(search);
}

void Pump(DWORD ms) {
    const DWORD end = ::GetTickCount() + ms;
    MSG msg;
    do {
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
        ::Sleep(5);
    } while (static_cast<LONG>(::GetTickCount() - end) < 0);
}

// Colours inside a client rectangle of the window as painted.
size_t DistinctColours(HWND window, const RECT& rect) {
    HDC dc = ::GetDC(window);
    std::set<COLORREF> colours;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x) colours.insert(::GetPixel(dc, x, y));
    ::ReleaseDC(window, dc);
    return colours.size();
}

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

POINT CellCentre(const CAvatarGalleryWnd& gallery, int item) {
    const GalleryRect cell = gallery.Layout().CellRect(item);
    return {(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
}

class AvatarGalleryWndTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_folder = TempFolder();
        ClearFolder(m_folder);
        ASSERT_TRUE(m_gallery.Create(RGB(255, 0, 255)));
    }
    void TearDown() override { ClearFolder(m_folder); }
    void Click(int item) {
        const POINT centre = CellCentre(m_gallery, item);
        m_gallery.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(centre.x, centre.y));
    }
    std::string m_folder;
    CAvatarGalleryWnd m_gallery;
};

TEST_F(AvatarGalleryWndTest, TenFilesMakeFourColumnsOfThreeRowsWithAGapForABadFile) {
    for (int i = 0; i < 9; ++i) WriteAvatar(m_folder, "g" + std::to_string(i), "Gesture " + std::to_string(i));
    // Not an avatar file.
    std::FILE* bad = std::fopen((m_folder + "\\g4b.zra").c_str(), "wb");
    ASSERT_NE(bad, nullptr);
    std::fputs("not an avatar", bad);
    std::fclose(bad);
    m_gallery.SetFolder(m_folder, false);
    ASSERT_EQ(m_gallery.ItemCount(), 10u);
    EXPECT_EQ(m_gallery.Layout().Columns(), 4);
    EXPECT_EQ(m_gallery.Layout().Rows(), 3);
    // Sorted: g0 g1 g2 g3 g4 g4b g5 ...; g4b's cell (the sixth) is empty.
    EXPECT_EQ(m_gallery.Layout().ItemAt(1, 1), -1);
    EXPECT_EQ(m_gallery.Layout().ItemAt(2, 1), 6);
    std::string title;
    ASSERT_TRUE(m_gallery.GetTitleOfName("G5", title));
    EXPECT_EQ(title, "Gesture 5");
    EXPECT_FALSE(m_gallery.GetTitleOfName("missing", title));
    // The window's size follows the grid.
    RECT window{};
    m_gallery.Popup(RECT{100, 100, 130, 120});
    m_gallery.GetWindowRect(&window);
    EXPECT_EQ(window.right - window.left, 4 * 23 + 8 + 2 * ::GetSystemMetrics(SM_CXBORDER));
    EXPECT_EQ(window.bottom - window.top, 3 * 23 + 31 + 2 * ::GetSystemMetrics(SM_CYBORDER));
    // Below the anchor, left edges together; the popup has the mouse.
    EXPECT_EQ(window.left, 100);
    EXPECT_EQ(window.top, 120);
    EXPECT_EQ(::GetCapture(), m_gallery.m_hWnd);
    // The thumbnails are drawn: the picture's colours in a filled cell, only
    // the button face inside the gap.
    Pump(200);
    m_gallery.UpdateWindow();
    EXPECT_GT(DistinctColours(m_gallery.m_hWnd, {4 + 2, 4 + 2, 4 + 20, 4 + 20}), 1u);
    EXPECT_EQ(DistinctColours(m_gallery.m_hWnd, {4 + 23 + 2, 4 + 23 + 2, 4 + 23 + 20, 4 + 23 + 20}), 1u);
    m_gallery.SendMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_FALSE(m_gallery.IsWindowVisible());
    EXPECT_NE(::GetCapture(), m_gallery.m_hWnd);
}

TEST_F(AvatarGalleryWndTest, AnEmptyFolderShowsFourColumnsAndNoRows) {
    m_gallery.SetFolder(m_folder, true);
    EXPECT_EQ(m_gallery.ItemCount(), 0u);
    EXPECT_EQ(m_gallery.Layout().Columns(), 4);
    EXPECT_EQ(m_gallery.Layout().Rows(), 0);
}

TEST_F(AvatarGalleryWndTest, ClicksSelectAndDeselectAndTellTheTarget) {
    for (const char* name : {"bow", "hug", "wave"}) WriteAvatar(m_folder, name, std::string("Title ") + name);
    m_gallery.SetFolder(m_folder, false);
    RecordingTarget target;
    m_gallery.SetNotifyWindow(&target);
    Click(1);
    std::string name;
    ASSERT_TRUE(m_gallery.GetSelectedName(name));
    EXPECT_EQ(name, "hug");
    Click(2);
    ASSERT_TRUE(m_gallery.GetSelectedTitle(name));
    EXPECT_EQ(name, "Title wave");
    // The selected thumbnail again: nothing is selected.
    Click(2);
    EXPECT_FALSE(m_gallery.GetSelectedName(name));
    // An empty cell changes nothing and tells nobody.
    m_gallery.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(4 + 23 * 3 + 5, 4 + 5));
    EXPECT_EQ(target.calls, "SSn");
    m_gallery.SelectByName("BOW");
    EXPECT_EQ(m_gallery.Selected(), 0);
    m_gallery.ClearSelection();
    EXPECT_EQ(m_gallery.Selected(), -1);
    // Only the transfer target hears of a cleared selection.
    EXPECT_EQ(target.calls, "SSn");
    m_gallery.SetNotifyObjectTransfer(&target);
    m_gallery.ClearSelection();
    EXPECT_EQ(target.calls, "SSnn");
}

TEST_F(AvatarGalleryWndTest, StatusLineNamesTheHoveredItemElseTheSelectedOne) {
    for (const char* name : {"bow", "hug"}) WriteAvatar(m_folder, name, std::string("Title ") + name);
    m_gallery.SetFolder(m_folder, false);
    EXPECT_EQ(m_gallery.StatusText(), "");
    Click(0);
    EXPECT_EQ(m_gallery.StatusText(), "Title bow");
    const POINT over = CellCentre(m_gallery, 1);
    m_gallery.SendMessage(WM_MOUSEMOVE, 0, At(over.x, over.y));
    EXPECT_EQ(m_gallery.StatusText(), "Title hug");
    m_gallery.SendMessage(WM_MOUSEMOVE, 0, At(200, 200));
    EXPECT_EQ(m_gallery.Hovered(), -1);
    EXPECT_EQ(m_gallery.StatusText(), "Title bow");
}

TEST_F(AvatarGalleryWndTest, F5ReadsTheFolderAgain) {
    WriteAvatar(m_folder, "bow", "Bow");
    m_gallery.SetFolder(m_folder, false);
    ASSERT_EQ(m_gallery.ItemCount(), 1u);
    WriteAvatar(m_folder, "hug", "Hug");
    // The same folder is not read again unless forced.
    m_gallery.SetFolder(m_folder, false);
    EXPECT_EQ(m_gallery.ItemCount(), 1u);
    m_gallery.SendMessage(WM_KEYDOWN, VK_F5, 0);
    EXPECT_EQ(m_gallery.ItemCount(), 2u);
}

}  // namespace
