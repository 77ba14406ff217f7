// The Links submenu of the Help menu: pages of the service, read from a list
// file whose address the community gives. Each section of the file is one
// entry: its name is the menu text, key "url" the page and key "bul" a
// bullet text shown instead of a page. Up to 25 entries are kept; the first
// eleven addresses get the menu commands of the submenu.
#pragma once
#include <windows.h>

#include <array>
#include <string>
#include <vector>

class CServiceLinks {
 public:
  static constexpr int kSlotCount = 25;
  static constexpr size_t kTitleSize = 255;
  static constexpr size_t kAddressSize = 512;
  // Commands of the submenu's entries; its first item marks the submenu.
  static constexpr UINT kFirstCommand = 32882;
  static constexpr UINT kLastCommand = 32892;
  // What marks an address slot as a bullet text.
  static constexpr char kBulletMark[] = "EXBULLET";

  enum Result {
    kNoList,   // no address, no submenu, or nothing could be fetched
    kPages,    // the submenu lists the pages of the list
    kNoPages,  // the list named no page: a "TEMP_ITEM" waits for the fixed pages
  };
  // Fetches the list at address and fills the submenu of menuBar.
  Result Load(const std::string& address, HMENU menuBar);
  // Fills the submenu with the service's own pages after a "TEMP_ITEM".
  void BuildFixedMenu(HMENU menuBar);
  // Address of the entry of a submenu command; empty when none.
  std::string AddressOf(UINT command) const;

  int CountBulletSlots() const;
  // Titles of the bullet entries, in list order.
  std::vector<std::string> BulletTitles() const;
  int CountPlainSlots() const;

 private:
  void Clear();
  static HMENU FindSubmenu(HMENU menuBar);
  static bool Download(const std::string& address, std::string& file);
  void ReadList(const std::string& file, HMENU submenu);
  bool AddEntry(const std::string& title, const std::string& address, HMENU submenu);

  std::array<std::string, kSlotCount> m_titles;
  std::array<std::string, kSlotCount> m_addresses;
  int m_titleCount = 0;
  int m_addressCount = 0;
};
