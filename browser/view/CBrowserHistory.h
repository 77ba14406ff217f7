// The navigation history of a browser view: the URLs in the order visited,
// oldest first, and how many steps the user has gone back from the newest.
// A page reached by stepping back or forward is not recorded again.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class CBrowserHistory {
 public:
  // Records a newly shown page. Right after a step back or forward nothing
  // is recorded; a page equal to the one shown now is not recorded again;
  // otherwise the entries newer than the one shown are dropped and url
  // becomes the newest.
  void Add(const std::string& url);
  // The root place's back link lets the user go back past the oldest entry.
  bool CanGoBack(bool hasBackLink) const;
  bool CanGoForward() const { return m_position != 0; }
  // Steps back (with a back link the position stays and the page shown now
  // is given again). Gives in url the entry to open and returns true.
  // Returns false when there is no entry to open; without a back link the
  // history is then left as it was.
  bool GoBack(bool hasBackLink, std::string& url);
  // Steps forward; false and nothing changed when at the newest entry.
  bool GoForward(std::string& url);
  void Clear();
  // 0: the next page reported is not recorded (for navigations of the
  // client's own that are not the user's visits).
  void SetRecordNext(int32_t value) { m_recordNext = value; }

  int32_t GetPosition() const { return m_position; }
  const std::vector<std::string>& GetEntries() const { return m_entries; }
  int32_t GetCount() const { return static_cast<int32_t>(m_entries.size()); }

 private:
  // The index of the entry shown now; -1 when there is none.
  int32_t CurrentIndex() const { return GetCount() - m_position - 1; }

  int32_t m_position = 0;
  std::vector<std::string> m_entries;
  int32_t m_recordNext = 1;
};
