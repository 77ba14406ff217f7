#include "CServiceLinks.h"

#include <vector>

namespace {

constexpr char kNoList[] = "http://no";
constexpr char kHttp[] = "http://";
constexpr char kMissing[] = "ERROR";
constexpr char kTempItem[] = "TEMP_ITEM";

struct FixedLink {
  const char* title;
  const char* address;
};

// The service's own pages, for a community that gives no list.
constexpr FixedLink kFixedLinks[] = {
    {"Lumora Chat Home", "http://www.lumorachat.com/"},
    {"What's New", "http://www.lumorachat.com/news.html"},
    {"Events Calendar", "http://www.lumorachat.com/events.html"},
    {"Community Guidelines", "http://www.lumorachat.com/guidelines.html"},
    {"Avatar Gallery", "http://www.lumorachat.com/avatars.html"},
    {"Help and Support", "http://www.lumorachat.com/support.html"},
    {"Download", "http://www.lumorachat.com/download.html"},
};

std::string Bounded(const std::string& text, size_t size) {
  return text.substr(0, size - 1);
}

std::string ReadKey(const std::string& file, const std::string& section, const char* key) {
  char buffer[CServiceLinks::kAddressSize] = {};
  ::GetPrivateProfileStringA(section.c_str(), key, kMissing, buffer, sizeof buffer, file.c_str());
  return buffer;
}

std::vector<std::string> SectionNames(const std::string& file) {
  std::vector<char> buffer(32768);
  const DWORD length = ::GetPrivateProfileSectionNamesA(buffer.data(), static_cast<DWORD>(buffer.size()),
                                                        file.c_str());
  std::vector<std::string> names;
  for (DWORD at = 0; at < length && buffer[at];) {
    names.emplace_back(&buffer[at]);
    at += static_cast<DWORD>(names.back().size()) + 1;
  }
  return names;
}

}  // namespace

void CServiceLinks::Clear() {
  m_titles.fill(std::string());
  m_addresses.fill(std::string());
  m_titleCount = 0;
  m_addressCount = 0;
}

CServiceLinks::Result CServiceLinks::Load(const std::string& listAddress, HMENU menuBar) {
  Clear();
  if (listAddress.empty() || listAddress.find(kNoList) != std::string::npos) return kNoList;
  std::string address = listAddress;
  if (address.find(kHttp) == std::string::npos) address = kHttp + address;
  HMENU submenu = FindSubmenu(menuBar);
  if (!submenu) return kNoList;
  std::string file;
  if (!Download(address, file)) return kNoList;
  ReadList(file, submenu);
  if (CountPlainSlots() > 0) return kPages;
  ::AppendMenuA(submenu, MF_STRING, kFirstCommand, kTempItem);
  return kNoPages;
}

// The submenu is the last popup of the menu bar, searched from its end, whose
// first item is the first link command.
HMENU CServiceLinks::FindSubmenu(HMENU menuBar) {
  if (!menuBar) return nullptr;
  std::vector<HMENU> pending;
  for (int i = ::GetMenuItemCount(menuBar) - 1; i >= 0; --i) pending.push_back(::GetSubMenu(menuBar, i));
  while (!pending.empty()) {
    HMENU menu = pending.front();
    pending.erase(pending.begin());
    if (!menu) continue;
    if (::GetMenuItemID(menu, 0) == kFirstCommand) return menu;
    for (int i = ::GetMenuItemCount(menu) - 1; i >= 0; --i) pending.push_back(::GetSubMenu(menu, i));
  }
  return nullptr;
}

// Into the cache, when the system's download library is there.
bool CServiceLinks::Download(const std::string& address, std::string& file) {
  HMODULE urlmon = ::LoadLibraryA("urlmon.dll");
  if (!urlmon) return false;
  using DownloadFn = HRESULT(WINAPI*)(void*, const char*, char*, DWORD, DWORD, void*);
  auto download = reinterpret_cast<DownloadFn>(
      reinterpret_cast<void*>(::GetProcAddress(urlmon, "URLDownloadToCacheFileA")));
  char path[MAX_PATH] = {};
  const bool fetched = download && download(nullptr, address.c_str(), path, MAX_PATH, 0, nullptr) == S_OK;
  ::FreeLibrary(urlmon);
  if (fetched) file = path;
  return fetched;
}

void CServiceLinks::ReadList(const std::string& file, HMENU submenu) {
  while (::GetMenuItemCount(submenu) > 0) ::DeleteMenu(submenu, 0, MF_BYPOSITION);
  for (const std::string& section : SectionNames(file)) {
    if (m_titleCount >= kSlotCount || m_addressCount >= kSlotCount) break;
    const std::string url = ReadKey(file, section, "url");
    if (url != kMissing) {
      AddEntry(section, url, submenu);
      continue;
    }
    const std::string bullet = ReadKey(file, section, "bul");
    if (bullet == kMissing) continue;
    // The bullet is cut so that it keeps its mark within the slot.
    const size_t room = kAddressSize - 1 - (sizeof kBulletMark - 1);
    m_titles[static_cast<size_t>(m_titleCount++)] = Bounded(section, kTitleSize);
    m_addresses[static_cast<size_t>(m_addressCount++)] = bullet.substr(0, room) + kBulletMark;
  }
}

bool CServiceLinks::AddEntry(const std::string& title, const std::string& address, HMENU submenu) {
  m_titles[static_cast<size_t>(m_titleCount++)] = Bounded(title, kTitleSize);
  const int slot = m_addressCount++;
  m_addresses[static_cast<size_t>(slot)] = Bounded(address, kAddressSize);
  const UINT command = kFirstCommand + static_cast<UINT>(slot);
  if (command > kLastCommand) return false;
  return ::AppendMenuA(submenu, MF_STRING, command, m_titles[static_cast<size_t>(slot)].c_str()) != 0;
}

void CServiceLinks::BuildFixedMenu(HMENU menuBar) {
  HMENU submenu = FindSubmenu(menuBar);
  if (!submenu) return;
  Clear();
  while (::GetMenuItemCount(submenu) > 0) ::DeleteMenu(submenu, 0, MF_BYPOSITION);
  for (const FixedLink& link : kFixedLinks) AddEntry(link.title, link.address, submenu);
}

std::string CServiceLinks::AddressOf(UINT command) const {
  if (command < kFirstCommand || command > kLastCommand) return std::string();
  return m_addresses[command - kFirstCommand];
}

int CServiceLinks::CountBulletSlots() const {
  int count = 0;
  for (const std::string& address : m_addresses)
    if (address.find(kBulletMark) != std::string::npos) ++count;
  return count;
}

std::vector<std::string> CServiceLinks::BulletTitles() const {
  std::vector<std::string> titles;
  for (size_t slot = 0; slot < m_addresses.size(); ++slot)
    if (m_addresses[slot].find(kBulletMark) != std::string::npos) titles.push_back(m_titles[slot]);
  return titles;
}

int CServiceLinks::CountPlainSlots() const {
  int count = 0;
  for (const std::string& address : m_addresses)
    if (!address.empty() && address.find(kBulletMark) == std::string::npos) ++count;
  return count;
}
