// CListEntry: one favourite place or one room of the places manager's lists.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class CListEntry {
 public:
  // Menu texts longer than this are cut.
  static constexpr size_t kMenuTextMax = 40;

  // An empty title takes the address (with TABs as blanks).
  CListEntry(const std::string& title, const std::string& address, int32_t count = 0, int32_t observers = 0,
             int32_t capacity = 0);

  const std::string& GetTitle() const { return m_title; }
  const std::string& GetAddress() const { return m_address; }
  int32_t GetCount() const { return m_count; }
  int32_t GetObservers() const { return m_observers; }
  int32_t GetCapacity() const { return m_capacity; }
  bool IsFull() const { return m_count == m_capacity; }
  void SetCounts(int32_t count, int32_t observers, int32_t capacity);

  // The title as a menu shows it: more than 40 characters are cut to 39
  // followed by "...".
  std::string GetMenuText() const;

 private:
  std::string m_title;
  std::string m_address;
  int32_t m_count;
  int32_t m_observers;
  int32_t m_capacity;
};
