// CFavoritesMenu: the favourite places as owner-drawn items of a popup menu.
// Every item carries command ID_GO_TO_FAVORITE and its entry as item data;
// the item drawn as selected becomes the current favourite, which the
// command then goes to (so keyboard selection works as well as the mouse).
#pragma once

#include <windows.h>

#include <functional>
#include <string>

class CTextListFile;

class CFavoritesMenu {
 public:
  static constexpr UINT kGoToFavorite = 32857;
  static constexpr UINT kFavoritesMenu = 430;
  // Extra indent of the text with the alternative menu look.
  static constexpr int kAlternativeIndent = 8;

  // Told of the address of each item drawn as selected (status bar).
  using SelectNotice = std::function<void(const std::string& address)>;

  explicit CFavoritesMenu(const CTextListFile& list, SelectNotice onSelect = {});

  void SetAlternativeLook(bool alternative) { m_alternativeLook = alternative; }
  // Removes every favourite item and appends one per entry in list order.
  void Rebuild(HMENU menu) const;
  // The popup of menu 430 from `resources`, rebuilt; the caller destroys
  // the returned menu bar (the popup is its first item). Null when missing.
  HMENU LoadPopup(HINSTANCE resources, HMENU* popup) const;
  // Shows the popup at the screen point, owned by `owner`.
  bool Track(HINSTANCE resources, HWND owner, int x, int y) const;

  // WM_MEASUREITEM and WM_DRAWITEM of a favourite item; false for others.
  bool MeasureItem(MEASUREITEMSTRUCT& item) const;
  bool DrawItem(const DRAWITEMSTRUCT& item);

  const std::string& GetCurrentAddress() const { return m_currentAddress; }

 private:
  int CheckWidth() const;

  const CTextListFile& m_list;
  SelectNotice m_onSelect;
  bool m_alternativeLook = false;
  std::string m_currentAddress;
};
