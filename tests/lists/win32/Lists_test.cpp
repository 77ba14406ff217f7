// The list windows under a real window system: rows added, removed, sorted
// and selected through the API and through mouse input, scrolling, column
// layout, painting read back from the screen, and GDI balance.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>

#include "ListResources.h"
#include "ListWindows.h"
#include "TempObjects.h"

namespace {

void Pump(DWORD ms = 50) {
  DWORD end = ::GetTickCount() + ms;
  MSG msg;
  do {
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageA(&msg);
    }
    ::Sleep(5);
  } while (static_cast<LONG>(::GetTickCount() - end) < 0);
}

LPARAM At(POINT p) { return MAKELPARAM(p.x, p.y); }

void PostClick(HWND window, POINT p, UINT down = WM_LBUTTONDOWN, UINT up = WM_LBUTTONUP) {
  ::PostMessageA(window, down, MK_LBUTTON, At(p));
  if (up) {
    ::PostMessageA(window, up, 0, At(p));
  }
  Pump();
}

// Live GDI objects of this process; Wine's GetGuiResources answers 0, so
// there every slot of the handle table is asked for its object type.
DWORD LiveGdiObjects() {
  DWORD reported = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
  if (reported) {
    return reported;
  }
  DWORD live = 0;
  for (UINT_PTR slot = 1; slot < 0x10000; ++slot) {
    if (::GetObjectType(reinterpret_cast<HGDIOBJ>(slot))) {
      ++live;
    }
  }
  return live;
}

COLORREF PixelOf(HWND window, int x, int y) {
  HDC dc = ::GetDC(window);
  COLORREF colour = ::GetPixel(dc, x, y);
  ::ReleaseDC(window, dc);
  return colour;
}

class ItemListTest : public ::testing::Test {
 protected:
  HostWnd host;
  SizeList list;
  std::vector<std::unique_ptr<Entry>> entries;

  void SetUp() override {
    ASSERT_TRUE(host.Create("items", 420, 320));
    ASSERT_TRUE(list.Create(&host, 0, RECT{10, 10, 310, 210}));
    list.AddColumn(SizeList::kNameKey, "Name", true);
    list.AddColumn(SizeList::kSizeKey, "Size", false);
    Pump();
  }
  void TearDown() override {
    list.DestroyWindow();
    host.DestroyWindow();
  }
  Entry* Add(const std::string& name, int32_t size) {
    entries.push_back(std::make_unique<Entry>(Entry{name, size}));
    list.AddItem(entries.back().get());
    return entries.back().get();
  }
  void AddMany(int count) {
    for (int i = 0; i < count; ++i) {
      char name[16];
      std::snprintf(name, sizeof(name), "row%02d", i);
      Add(name, 100 - i);
    }
  }
  // The middle of a row in list client coordinates.
  POINT RowPoint(int32_t row) const {
    RECT rows = list.RowsRect();
    return POINT{40, rows.top + (row - list.GetTopRow()) * list.RowHeight() + list.RowHeight() / 2};
  }
  POINT HeaderPoint(int32_t key) const {
    RECT column = list.ColumnRect(key);
    return POINT{(column.left + column.right) / 2, (column.top + column.bottom) / 2};
  }
  HWND Header() const { return ::GetWindow(list.GetSafeHwnd(), GW_CHILD); }
};

TEST_F(ItemListTest, AddDeleteAndSortByApi) {
  Add("pear", 3);
  Add("apple", 9);
  Add("fig", 1);
  EXPECT_EQ(list.Names(), (std::vector<std::string>{"apple", "fig", "pear"}));

  list.ChooseSortColumn(SizeList::kSizeKey);
  EXPECT_EQ(list.Names(), (std::vector<std::string>{"fig", "pear", "apple"}));
  list.compares = 0;
  list.ChooseSortColumn(SizeList::kSizeKey);
  EXPECT_EQ(list.compares, 0);

  list.DeleteItem(1, true);
  EXPECT_EQ(list.deleted, (std::vector<std::string>{"pear"}));
  list.DeleteItem(5, true);
  list.DeleteItem(-1, true);
  EXPECT_EQ(list.Names(), (std::vector<std::string>{"fig", "apple"}));
  EXPECT_EQ(list.GetItemObject(2), nullptr);
  list.RemoveAll(true);
  EXPECT_EQ(list.GetCount(), 0);
  EXPECT_EQ(list.deleted.size(), 3u);
}

TEST_F(ItemListTest, ColumnsFollowTheWindowWidth) {
  RECT name = list.ColumnRect(SizeList::kNameKey);
  RECT size = list.ColumnRect(SizeList::kSizeKey);
  RECT client;
  list.GetClientRect(&client);
  EXPECT_EQ(name.right, size.left);
  EXPECT_EQ(size.right, client.right);
  RECT unknown = list.ColumnRect(99);
  EXPECT_TRUE(::IsRectEmpty(&unknown) && unknown.left == 0 && unknown.right == 0);

  list.MoveWindow(10, 10, 380, 200);
  Pump();
  list.GetClientRect(&client);
  EXPECT_EQ(list.ColumnRect(SizeList::kSizeKey).right, client.right);
  EXPECT_EQ(list.ColumnRect(SizeList::kNameKey).right, name.right);
}

TEST_F(ItemListTest, HorizontalScrollFollowsWidestRow) {
  Add("a", 1);
  list.WidenTo(900);
  RECT client;
  list.GetClientRect(&client);
  HWND window = list.GetSafeHwnd();
  ::SendMessageA(window, WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 100), 0);
  EXPECT_EQ(list.HorizontalPosition(), 100);
  ::SendMessageA(window, WM_HSCROLL, SB_BOTTOM, 0);
  EXPECT_EQ(list.HorizontalPosition(), 900 - client.right);
  ::SendMessageA(window, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 10), 0);
  EXPECT_EQ(list.HorizontalPosition(), 900 - client.right);
}

TEST_F(ItemListTest, SelectedRowIsPaintedInHighlight) {
  Add("pear", 3);
  Add("apple", 9);
  list.Select(1);
  list.Redraw();
  Pump();
  RECT client;
  list.GetClientRect(&client);
  int x = client.right - 4;  // past the text of the last cell
  POINT selected = RowPoint(1);
  POINT other = RowPoint(0);
  EXPECT_EQ(PixelOf(list.GetSafeHwnd(), x, selected.y), ::GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(PixelOf(list.GetSafeHwnd(), x, other.y), RGB(255, 255, 255));
  EXPECT_EQ(PixelOf(list.GetSafeHwnd(), x, list.ColumnRect(SizeList::kNameKey).bottom / 2),
            ::GetSysColor(COLOR_BTNFACE));
}

}  // namespace
