// The tab row of the chat tab container: one tab a page, in tab order,
// each with a tab identifier taken from a byte map that reuses freed
// identifiers. The row's mouse notices become page notices: a click chooses
// the page, a double click tears it off or docks it, a right click asks for
// its tab menu.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "CPaneDlg.h"
#include "CZrTabRow.h"
#include "ChatTabModel.h"

class CPageTabRow : public CZrTabRow {
 public:
  // Tab items' ids are this base plus the tab identifier.
  static constexpr UINT kFirstTabCommand = 0x7E00;

  int GetPageCount() const { return static_cast<int>(m_entries.size()); }
  // Null for an index out of range.
  CPaneDlg* GetPage(int index) const;
  // Index of the page, or -1.
  int FindPage(const CPaneDlg* page) const;

  bool OnTabClicked(UINT id) override;
  void OnItemDoubleClick(CBarItem* item) override;
  void OnItemRButtonDown(CBarItem* item) override;

 protected:
  struct Entry {
    uint32_t tabId;
    std::unique_ptr<CPaneDlg> page;
  };

  virtual void OnPageChosen(CPaneDlg* page) = 0;
  virtual void OnToggleFloat(int index) = 0;
  virtual void OnTabMenu(int index) = 0;
  virtual void ClosePageWindow(CPaneDlg* page) = 0;

  // Appends the page's entry and returns its index.
  int AddEntry(std::unique_ptr<CPaneDlg> page);
  // Removes the entry: the page window is closed, the identifier freed.
  void RemoveEntry(int index);
  UINT TabCommand(int index) const { return kFirstTabCommand + m_entries[static_cast<size_t>(index)].tabId; }
  // Index of the entry of a tab item id, or -1.
  int IndexOfCommand(UINT id) const;

  std::vector<Entry> m_entries;

 private:
  ChatTabIds m_ids;
};
