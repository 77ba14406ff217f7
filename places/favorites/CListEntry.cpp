#include "CListEntry.h"

#include <algorithm>

namespace {

// A title made from an address: TABs, which the address may hold, would
// split the title from the address in the file.
std::string TitleFromAddress(std::string address) {
  std::replace(address.begin(), address.end(), '\t', ' ');
  return address;
}

}  // namespace

CListEntry::CListEntry(const std::string& title, const std::string& address, int32_t count, int32_t observers,
                       int32_t capacity)
    : m_title(title.empty() ? TitleFromAddress(address) : title),
      m_address(address),
      m_count(count),
      m_observers(observers),
      m_capacity(capacity) {}

void CListEntry::SetCounts(int32_t count, int32_t observers, int32_t capacity) {
  m_count = count;
  m_observers = observers;
  m_capacity = capacity;
}

std::string CListEntry::GetMenuText() const {
  if (m_title.size() <= kMenuTextMax) return m_title;
  return m_title.substr(0, kMenuTextMax - 1) + "...";
}
