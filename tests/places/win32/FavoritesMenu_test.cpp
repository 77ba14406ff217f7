#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "CFavoritesMenu.h"
#include "CTextListFile.h"

namespace {

constexpr UINT kAddFavorite = 32855;
constexpr UINT kOrganizeFavorites = 32856;

struct Item {
  UINT id;
  UINT type;
  ULONG_PTR data;
};

std::vector<Item> ItemsOf(HMENU menu) {
  std::vector<Item> items;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_ID | MIIM_FTYPE | MIIM_DATA;
    EXPECT_TRUE(GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info));
    items.push_back({info.wID, info.fType, info.dwItemData});
  }
  return items;
}

class FavoritesMenuTest : public ::testing::Test {
 protected:
  FavoritesMenuTest() : m_list("", "") {
    m_list.Add("Zoo", "http://z/");
    m_list.Add("Apple", "http://a/");
    m_list.Add(std::string(41, 'L'), "http://m/");
  }
  ~FavoritesMenuTest() override { m_list.Clear(); }

  CTextListFile m_list;
};

void ExpectFavorites(const std::vector<Item>& items, size_t first, const CTextListFile& list) {
  ASSERT_EQ(items.size(), first + static_cast<size_t>(list.GetCount()));
  for (int i = 0; i < list.GetCount(); ++i) {
    const Item& item = items[first + static_cast<size_t>(i)];
    EXPECT_EQ(item.id, CFavoritesMenu::kGoToFavorite);
    EXPECT_TRUE(item.type & MFT_OWNERDRAW);
    EXPECT_EQ(item.data, reinterpret_cast<ULONG_PTR>(list.GetAt(i)));
  }
}

TEST_F(FavoritesMenuTest, RebuildReplacesOnlyFavoriteItemsInListOrder) {
  HMENU menu = CreatePopupMenu();
  AppendMenuA(menu, MF_STRING, kAddFavorite, "Add to Favorites");
  AppendMenuA(menu, MF_STRING, kOrganizeFavorites, "Organize Favorites...");
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(menu, MF_OWNERDRAW, CFavoritesMenu::kGoToFavorite, "stale");
  CFavoritesMenu favorites(m_list);
  favorites.Rebuild(menu);
  favorites.Rebuild(menu);
  const std::vector<Item> items = ItemsOf(menu);
  ASSERT_GE(items.size(), 3u);
  EXPECT_EQ(items[0].id, kAddFavorite);
  EXPECT_EQ(items[1].id, kOrganizeFavorites);
  EXPECT_TRUE(items[2].type & MFT_SEPARATOR);
  ExpectFavorites(items, 3, m_list);
  EXPECT_EQ(m_list.GetAt(0)->GetTitle(), "Apple");
  DestroyMenu(menu);
}

#ifdef ZR_RES_PRODUCT_DLL
TEST_F(FavoritesMenuTest, PopupOfTheResourceLibrary) {
  HMODULE resources = LoadLibraryExA(ZR_RES_PRODUCT_DLL, nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(resources, nullptr);
  CFavoritesMenu favorites(m_list);
  HMENU popup = nullptr;
  HMENU bar = favorites.LoadPopup(resources, &popup);
  ASSERT_NE(bar, nullptr);
  char title[64] = {};
  GetMenuStringA(bar, 0, title, sizeof(title), MF_BYPOSITION);
  EXPECT_STREQ(title, "Favorites Places");
  const std::vector<Item> items = ItemsOf(popup);
  ASSERT_GE(items.size(), 3u);
  EXPECT_EQ(items[0].id, kAddFavorite);
  EXPECT_EQ(items[1].id, kOrganizeFavorites);
  ExpectFavorites(items, 3, m_list);
  DestroyMenu(bar);
  EXPECT_EQ(favorites.LoadPopup(GetModuleHandleA(nullptr), &popup), nullptr);
  FreeLibrary(resources);
}

// The items of the popup that the owner is asked to prepare while tracking.
std::vector<Item> g_trackedItems;

LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITMENUPOPUP) {
    g_trackedItems = ItemsOf(reinterpret_cast<HMENU>(wParam));
    // Close the menu once it is up.
    SetTimer(window, 1, 50, nullptr);
  } else if (message == WM_TIMER) {
    KillTimer(window, 1);
    EndMenu();
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

TEST_F(FavoritesMenuTest, TrackShowsThePopupWithTheFavorites) {
  HMODULE resources = LoadLibraryExA(ZR_RES_PRODUCT_DLL, nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(resources, nullptr);
  WNDCLASSA wc = {};
  wc.lpfnWndProc = OwnerProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "ZrFavoritesMenuOwner";
  RegisterClassA(&wc);
  HWND owner = CreateWindowExA(0, wc.lpszClassName, "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200,
                               nullptr, nullptr, wc.hInstance, nullptr);
  ASSERT_NE(owner, nullptr);
  SetForegroundWindow(owner);
  g_trackedItems.clear();
  CFavoritesMenu favorites(m_list);
  EXPECT_TRUE(favorites.Track(resources, owner, 20, 20));
  ASSERT_GE(g_trackedItems.size(), 3u);
  EXPECT_EQ(g_trackedItems[0].id, kAddFavorite);
  ExpectFavorites(g_trackedItems, 3, m_list);
  DestroyWindow(owner);
  FreeLibrary(resources);
}
#endif

TEST_F(FavoritesMenuTest, MeasuresTheCutTitle) {
  CFavoritesMenu favorites(m_list);
  MEASUREITEMSTRUCT measure = {};
  measure.CtlType = ODT_MENU;
  measure.itemID = CFavoritesMenu::kGoToFavorite;
  const CListEntry* longEntry = m_list.GetAt(1);
  ASSERT_EQ(longEntry->GetTitle().size(), 41u);
  measure.itemData = reinterpret_cast<ULONG_PTR>(longEntry);
  ASSERT_TRUE(favorites.MeasureItem(measure));

  HDC dc = GetDC(nullptr);
  SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  SIZE cut = {};
  const std::string text = std::string(39, 'L') + "...";
  GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &cut);
  ReleaseDC(nullptr, dc);
  EXPECT_EQ(measure.itemWidth, static_cast<UINT>(cut.cx + GetSystemMetrics(SM_CXMENUCHECK)));
  EXPECT_EQ(measure.itemHeight, static_cast<UINT>(cut.cy));

  favorites.SetAlternativeLook(true);
  ASSERT_TRUE(favorites.MeasureItem(measure));
  EXPECT_EQ(measure.itemWidth, static_cast<UINT>(cut.cx));

  measure.itemID = kAddFavorite;
  EXPECT_FALSE(favorites.MeasureItem(measure));
}

TEST_F(FavoritesMenuTest, DrawingTheSelectedItemMakesItCurrent) {
  std::vector<std::string> shown;
  CFavoritesMenu favorites(m_list, [&shown](const std::string& address) { shown.push_back(address); });
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 200, 20);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, bitmap);

  DRAWITEMSTRUCT draw = {};
  draw.CtlType = ODT_MENU;
  draw.itemID = CFavoritesMenu::kGoToFavorite;
  draw.hDC = dc;
  draw.rcItem = {0, 0, 200, 20};
  struct Case {
    int entry;
    UINT action;
    UINT state;
    bool selected;
  };
  const std::vector<Case> cases = {
      {2, ODA_DRAWENTIRE, ODS_SELECTED, true},
      {0, ODA_DRAWENTIRE, 0, false},
      {0, ODA_SELECT, ODS_SELECTED, true},
      {2, ODA_FOCUS, ODS_SELECTED, false},
  };
  std::vector<std::string> expected;
  for (const Case& c : cases) {
    draw.itemData = reinterpret_cast<ULONG_PTR>(m_list.GetAt(c.entry));
    draw.itemAction = c.action;
    draw.itemState = c.state;
    ASSERT_TRUE(favorites.DrawItem(draw));
    if (c.selected) expected.push_back(m_list.GetAt(c.entry)->GetAddress());
    if (c.action != ODA_FOCUS) {
      const COLORREF want = GetSysColor(c.selected ? COLOR_HIGHLIGHT : COLOR_MENU);
      EXPECT_EQ(GetPixel(dc, 1, 1), want);
    }
  }
  EXPECT_EQ(shown, expected);
  EXPECT_EQ(favorites.GetCurrentAddress(), "http://a/");

  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
}

}  // namespace
