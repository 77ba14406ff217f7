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
  // The entries outlive the list, which reports each deleted row by name.
  std::vector<std::unique_ptr<Entry>> entries;
  HostWnd host;
  SizeList list;

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

TEST_F(ItemListTest, HeaderClickSortsOnceAndKeepsSelection) {
  Add("pear", 3);
  Add("apple", 9);
  Add("fig", 1);
  list.Select(0);  // apple
  PostClick(Header(), HeaderPoint(SizeList::kSizeKey));
  EXPECT_EQ(list.SortKey(), SizeList::kSizeKey);
  EXPECT_EQ(list.Names(), (std::vector<std::string>{"fig", "pear", "apple"}));
  EXPECT_EQ(list.GetSelected(), 2);

  list.compares = 0;
  PostClick(Header(), HeaderPoint(SizeList::kSizeKey));
  EXPECT_EQ(list.compares, 0);

  // Pressed on one column, released over another: no sort.
  ::PostMessageA(Header(), WM_LBUTTONDOWN, MK_LBUTTON, At(HeaderPoint(SizeList::kNameKey)));
  ::PostMessageA(Header(), WM_MOUSEMOVE, MK_LBUTTON, At(HeaderPoint(SizeList::kSizeKey)));
  ::PostMessageA(Header(), WM_LBUTTONUP, 0, At(HeaderPoint(SizeList::kSizeKey)));
  Pump();
  EXPECT_EQ(list.SortKey(), SizeList::kSizeKey);
  EXPECT_EQ(::GetCapture(), nullptr);
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

TEST_F(ItemListTest, MouseSelectsAndReportsClickableRows) {
  Add("pear", 3);
  Add("apple", 9);
  Add("fig", 1);
  list.GetItemRecord(1)->flags |= ItemListModel::kFlagInert;  // fig

  PostClick(list.GetSafeHwnd(), RowPoint(2));
  EXPECT_EQ(list.GetSelected(), 2);
  EXPECT_EQ(list.clicked, (std::vector<std::string>{"pear"}));

  PostClick(list.GetSafeHwnd(), RowPoint(1));
  PostClick(list.GetSafeHwnd(), RowPoint(1), WM_LBUTTONDBLCLK, 0);
  PostClick(list.GetSafeHwnd(), RowPoint(1), WM_RBUTTONDOWN, 0);
  EXPECT_EQ(list.GetSelected(), 2);
  EXPECT_EQ(list.clicked.size(), 1u);
  EXPECT_TRUE(list.doubleClicked.empty());
  EXPECT_TRUE(list.rightClicked.empty());

  // Dragging from row 0 over row 2: the selection tracks, no click on release
  // away from the pressed row.
  ::PostMessageA(list.GetSafeHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(RowPoint(0)));
  ::PostMessageA(list.GetSafeHwnd(), WM_MOUSEMOVE, MK_LBUTTON, At(RowPoint(2)));
  ::PostMessageA(list.GetSafeHwnd(), WM_LBUTTONUP, 0, At(RowPoint(2)));
  Pump();
  EXPECT_EQ(list.GetSelected(), 2);
  EXPECT_EQ(list.clicked.size(), 1u);
  EXPECT_EQ(::GetCapture(), nullptr);

  PostClick(list.GetSafeHwnd(), RowPoint(0), WM_RBUTTONDOWN, 0);
  PostClick(list.GetSafeHwnd(), RowPoint(0), WM_LBUTTONDBLCLK, 0);
  EXPECT_EQ(list.rightClicked, (std::vector<std::string>{"apple"}));
  EXPECT_EQ(list.doubleClicked, (std::vector<std::string>{"apple"}));
}

TEST_F(ItemListTest, RealMouseClickThroughTheInputQueue) {
  Add("pear", 3);
  Add("apple", 9);
  ::SetForegroundWindow(host.GetSafeHwnd());
  Pump();
  POINT p = RowPoint(1);
  list.ClientToScreen(&p);
  ::SetCursorPos(p.x, p.y);
  INPUT input[2] = {};
  input[0].type = input[1].type = INPUT_MOUSE;
  input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  ASSERT_EQ(::SendInput(2, input, sizeof(INPUT)), 2u);
  Pump(300);
  EXPECT_EQ(list.GetSelected(), 1);
  EXPECT_EQ(list.clicked, (std::vector<std::string>{"pear"}));
}

TEST_F(ItemListTest, SelectByApi) {
  AddMany(40);
  EXPECT_EQ(list.Select(50), -1);
  EXPECT_EQ(list.Select(-1), -1);
  EXPECT_EQ(list.Select(3), -1);
  EXPECT_EQ(list.Select(3), 3);
  EXPECT_EQ(list.Select(30), 3);
  EXPECT_EQ(list.GetTopRow(), std::min(30, 40 - list.VisibleRows()));
  EXPECT_EQ(list.GetSelected(), 30);
}

TEST_F(ItemListTest, ScrollsByRowsAndIgnoresThumbPosition) {
  AddMany(40);
  int32_t maximum = 40 - list.VisibleRows();
  ASSERT_GT(maximum, 5);
  HWND window = list.GetSafeHwnd();
  ::SendMessageA(window, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 7), 0);
  EXPECT_EQ(list.GetTopRow(), 0);
  ::SendMessageA(window, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 7), 0);
  EXPECT_EQ(list.GetTopRow(), 7);
  EXPECT_EQ(::GetScrollPos(window, SB_VERT), 7);
  ::SendMessageA(window, WM_VSCROLL, SB_LINEUP, 0);
  EXPECT_EQ(list.GetTopRow(), 6);
  ::SendMessageA(window, WM_VSCROLL, SB_PAGEDOWN, 0);
  EXPECT_EQ(list.GetTopRow(), 6 + list.VisibleRows());
  ::SendMessageA(window, WM_VSCROLL, SB_BOTTOM, 0);
  EXPECT_EQ(list.GetTopRow(), maximum);
  ::SendMessageA(window, WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(list.GetTopRow(), maximum);
  list.SetTopRow(1000);
  EXPECT_EQ(list.GetTopRow(), maximum);
  list.SetTopRow(-5);
  EXPECT_EQ(list.GetTopRow(), 0);

  // A click after scrolling hits the row shown there.
  list.SetTopRow(10);
  PostClick(window, RowPoint(12));
  EXPECT_EQ(list.GetSelected(), 12);

  // Removing rows shrinks the range and pulls the position back.
  list.SetTopRow(maximum);
  while (list.GetCount() > 3) {
    list.DeleteItem(0, false);
  }
  EXPECT_EQ(list.GetTopRow(), 0);
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

TEST_F(ItemListTest, RepaintsLeaveNoGdiObjects) {
  AddMany(30);
  list.Select(2);
  for (int i = 0; i < 20; ++i) {
    ::RedrawWindow(list.GetSafeHwnd(), nullptr, nullptr,
                   RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
  }
  zr::DeleteTempObjects();
  DWORD before = LiveGdiObjects();
  for (int i = 0; i < 300; ++i) {
    ::RedrawWindow(list.GetSafeHwnd(), nullptr, nullptr,
                   RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    ::SendMessageA(list.GetSafeHwnd(), WM_VSCROLL, i % 2 ? SB_LINEUP : SB_LINEDOWN, 0);
  }
  zr::DeleteTempObjects();
  EXPECT_LE(LiveGdiObjects(), before);
}

class OutlineTest : public ::testing::Test {
 protected:
  std::vector<std::unique_ptr<Entry>> entries;
  HostWnd host;
  GroupOutline outline;
  COutlineNode* guides = nullptr;
  COutlineNode* visitors = nullptr;

  void SetUp() override {
    ASSERT_TRUE(host.Create("outline", 360, 320));
    ASSERT_TRUE(outline.Create(&host, 0, false, 0, RECT{10, 10, 260, 200}));
    ASSERT_TRUE(outline.List().LoadRowBitmap(IDB_EXPAND));
    outline.List().SetImagePlace(2, 0, 11);
    guides = outline.AddGroup(Make("Guides"), {Make("Ada"), Make("Bo")});
    visitors = outline.AddGroup(Make("Visitors"), {Make("Cleo"), Make("Dev"), Make("Eun")});
    outline.Refresh();
    Pump();
  }
  void TearDown() override {
    outline.List().DestroyWindow();
    host.DestroyWindow();
  }
  Entry* Make(const std::string& name) {
    entries.push_back(std::make_unique<Entry>(Entry{name, 0}));
    return entries.back().get();
  }
  HWND Window() { return outline.List().GetSafeHwnd(); }
  POINT RowPoint(int32_t row, int32_t x) {
    RECT rect = outline.List().RowRect(row);
    return POINT{rect.left + x, (rect.top + rect.bottom) / 2};
  }
  POINT ImagePoint(int32_t row) { return RowPoint(row, outline.List().ImageLeft() + 3); }
  POINT TextPoint(int32_t row) { return RowPoint(row, outline.List().TextIndent() + 20); }
  std::vector<std::string> Rows() {
    std::vector<std::string> names;
    for (int32_t row = 0; row < outline.List().Rows().Count(); ++row) {
      names.push_back(static_cast<Entry*>(outline.GetItemAt(row))->name);
    }
    return names;
  }
};

TEST_F(OutlineTest, ImageClickExpandsAndCollapses) {
  PostClick(Window(), ImagePoint(1));
  EXPECT_EQ(Rows(), (std::vector<std::string>{"Guides", "Visitors", "Cleo", "Dev", "Eun"}));
  EXPECT_EQ(outline.events, (std::vector<std::string>{"expanded Visitors"}));
  EXPECT_EQ(outline.List().GetSelectedRow(), -1);

  PostClick(Window(), ImagePoint(1));
  EXPECT_EQ(Rows(), (std::vector<std::string>{"Guides", "Visitors"}));
  EXPECT_EQ(outline.events[1], "collapsed Visitors");

  guides->SetState(COutlineNode::kToggles | COutlineNode::kAlwaysExpanded);
  outline.events.clear();
  PostClick(Window(), ImagePoint(0));
  EXPECT_TRUE(outline.events.empty());
  EXPECT_EQ(outline.List().GetSelectedRow(), -1);
  EXPECT_EQ(outline.GetItemAt(7), nullptr);
}

// What a reader outside the program sees: the shown rows through the list
// box queries, in the program's code page and in UTF-16.
TEST_F(OutlineTest, ListBoxQueriesReadTheShownRows) {
  EXPECT_EQ(::SendMessageA(Window(), LB_GETCOUNT, 0, 0), 2);
  PostClick(Window(), ImagePoint(1));
  ASSERT_EQ(::SendMessageA(Window(), LB_GETCOUNT, 0, 0), 5);
  const std::vector<std::string> shown = {"Guides", "Visitors", "Cleo", "Dev", "Eun"};
  for (size_t row = 0; row < shown.size(); ++row) {
    EXPECT_EQ(::SendMessageA(Window(), LB_GETTEXTLEN, row, 0), static_cast<LRESULT>(shown[row].size()));
    char text[32] = {};
    EXPECT_EQ(::SendMessageA(Window(), LB_GETTEXT, row, reinterpret_cast<LPARAM>(text)),
              static_cast<LRESULT>(shown[row].size()));
    EXPECT_EQ(std::string(text), shown[row]);
  }
  wchar_t wide[32] = {};
  EXPECT_EQ(::SendMessageW(Window(), LB_GETTEXT, 3, reinterpret_cast<LPARAM>(wide)), 3);
  EXPECT_EQ(std::wstring(wide), L"Dev");
  EXPECT_EQ(::SendMessageA(Window(), LB_GETITEMDATA, 1, 0), 101);
  EXPECT_EQ(::SendMessageA(Window(), LB_GETITEMDATA, 2, 0), 2);
  // Rows that are not shown are errors, as in a list box.
  EXPECT_EQ(::SendMessageA(Window(), LB_GETTEXTLEN, 5, 0), LB_ERR);
  EXPECT_EQ(::SendMessageA(Window(), LB_GETTEXT, 9, reinterpret_cast<LPARAM>(wide)), LB_ERR);
  EXPECT_EQ(::SendMessageA(Window(), LB_GETITEMDATA, static_cast<WPARAM>(-1), 0), LB_ERR);
  EXPECT_EQ(::SendMessageA(Window(), LB_GETCURSEL, 0, 0), LB_ERR);
  outline.List().SelectRow(3);
  EXPECT_EQ(::SendMessageA(Window(), LB_GETCURSEL, 0, 0), 3);
  EXPECT_EQ(::SendMessageA(Window(), LB_GETITEMHEIGHT, 0, 0), outline.List().RowHeight());
  EXPECT_EQ(::SendMessageA(Window(), LB_GETTOPINDEX, 0, 0), 0);
}

TEST_F(OutlineTest, ClicksSelectAndReport) {
  PostClick(Window(), ImagePoint(1));
  PostClick(Window(), TextPoint(3));
  EXPECT_EQ(outline.List().GetSelectedRow(), 3);
  EXPECT_EQ(outline.events.back(), "clicked Dev");
  PostClick(Window(), TextPoint(2), WM_RBUTTONDOWN, 0);
  PostClick(Window(), TextPoint(2), WM_LBUTTONDBLCLK, 0);
  EXPECT_EQ(outline.events[outline.events.size() - 2], "right Cleo");
  EXPECT_EQ(outline.events.back(), "double Cleo");

  // A click on the border above the first row selects nothing.
  PostClick(Window(), POINT{40, 1});
  EXPECT_EQ(outline.List().GetSelectedRow(), 3);

  outline.FindNode(outline.members[1][2])->SetState(COutlineNode::kDisabled);
  PostClick(Window(), TextPoint(4));
  EXPECT_EQ(outline.List().GetSelectedRow(), 3);
  EXPECT_EQ(outline.events.back(), "clicked Eun");

  outline.FindNode(outline.members[1][2])->SetState(COutlineNode::kFullWidth);
  outline.events.clear();
  PostClick(Window(), TextPoint(4));
  PostClick(Window(), TextPoint(4), WM_RBUTTONDOWN, 0);
  EXPECT_TRUE(outline.events.empty());
}

TEST_F(OutlineTest, RefreshKeepsSelectionAndDeletionClearsIt) {
  PostClick(Window(), ImagePoint(1));
  EXPECT_EQ(outline.List().SelectRow(3), -1);
  outline.AddItem(Make("Away"), nullptr, true);
  EXPECT_EQ(Rows()[0], "Away");
  EXPECT_EQ(outline.List().GetSelectedRow(), 4);
  EXPECT_EQ(outline.GetItemAt(4), outline.members[1][1]);

  // Deleting without a refresh still takes the node off the rows.
  outline.DeleteItem(outline.members[1][1], false);
  EXPECT_EQ(outline.List().GetSelectedRow(), -1);
  EXPECT_EQ(outline.List().Rows().Count(), 5);
  outline.List().Redraw();
  Pump();
}

TEST_F(OutlineTest, ScrollsByRowsAndSelectionScrollsIntoView) {
  for (int i = 0; i < 30; ++i) {
    outline.AddItem(Make("m" + std::to_string(100 + i)), nullptr, false);
  }
  outline.Refresh();
  int32_t count = outline.List().Rows().Count();
  int32_t visible = outline.List().VisibleRows();
  ASSERT_GT(count, visible);
  ::SendMessageA(Window(), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 5), 0);
  EXPECT_EQ(outline.List().TopRow(), 0);
  ::SendMessageA(Window(), WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 5), 0);
  EXPECT_EQ(outline.List().TopRow(), 5);
  ::SendMessageA(Window(), WM_VSCROLL, SB_BOTTOM, 0);
  EXPECT_EQ(outline.List().TopRow(), count - visible);
  ::SendMessageA(Window(), WM_VSCROLL, SB_TOP, 0);

  outline.List().SelectRow(count - 1);
  EXPECT_EQ(outline.List().TopRow(), count - visible);
  outline.List().SelectRow(0);
  EXPECT_EQ(outline.List().TopRow(), 0);
}

TEST_F(OutlineTest, SelectedRowIsInvertedAndImagesShowState) {
  PostClick(Window(), ImagePoint(1));
  outline.List().SelectRow(2);
  outline.List().Redraw();
  Pump();
  RECT client;
  outline.List().GetClientRect(&client);
  int x = client.right - outline.List().BorderInset() - 3;
  EXPECT_EQ(PixelOf(Window(), x, RowPoint(2, 0).y), RGB(0, 0, 0));
  EXPECT_EQ(PixelOf(Window(), x, RowPoint(3, 0).y), RGB(255, 255, 255));

  // The expand image: the collapsed picture has a vertical bar in its
  // middle, the expanded one does not.
  RECT row = outline.List().RowRect(0);
  int imageX = row.left + outline.List().ImageLeft() + 5;
  int barY = row.bottom - 11 + 3;
  EXPECT_EQ(PixelOf(Window(), imageX, barY), RGB(0, 0, 0));
  row = outline.List().RowRect(1);
  EXPECT_EQ(PixelOf(Window(), imageX, row.bottom - 11 + 3), RGB(255, 255, 255));
}

TEST_F(OutlineTest, RepaintsLeaveNoGdiObjects) {
  PostClick(Window(), ImagePoint(1));
  outline.List().SelectRow(2);
  for (int i = 0; i < 20; ++i) {
    ::RedrawWindow(Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  }
  zr::DeleteTempObjects();
  DWORD before = LiveGdiObjects();
  for (int i = 0; i < 300; ++i) {
    ::RedrawWindow(Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    outline.List().DrawVisibleRows(i, nullptr);
  }
  zr::DeleteTempObjects();
  EXPECT_LE(LiveGdiObjects(), before);
}

}  // namespace
