// The folder tree of the image library: the chosen drive's root and, below
// it, the folders that have been opened, ordered by name without regard to
// case. Choosing a row names its folder to the dialog.
#pragma once
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "COutlineCtrl.h"

class CFolderListWnd : public COutlineCtrl {
 public:
  explicit CFolderListWnd(std::function<void(const std::string&)> onSelected);

  // Shows the drive's root with its folders and selects it.
  void SelectDrive(char letter);
  // Opens the tree down to folder (on the shown drive) and selects the
  // deepest folder reached.
  void OpenPath(const std::string& folder);
  // The folder drawn as the current one.
  void SetCurrent(const std::string& folder);
  std::string SelectedPath();

  // COutlineCtrl
  void DrawRowContent(CDC* dc, const RECT& rect, COutlineNode* node) override;
  bool MaySelect(int32_t row) override;
  void OnExpanded(COutlineNode* node) override;
  void OnCollapsed(COutlineNode* node) override;
  std::string RowText(COutlineNode* node) override;
  // OutlineOwner
  int32_t MatchItem(void* item, void* nodeItem) override { return item == nodeItem ? 1 : 0; }
  int32_t CompareItems(void* a, void* b, int32_t insert) override;
  void OnItemDeleted(void* item) override;

 private:
  struct Entry {
    std::string parent;  // empty for a drive's root
    std::string name;
    std::string Path() const { return parent.empty() ? name : parent + "\\" + name; }
  };

  static Entry* EntryOf(COutlineNode* node) { return static_cast<Entry*>(node->item); }
  COutlineNode* AddEntry(const std::string& parent, const std::string& name, Entry* parentEntry);
  void ListSubFolders(COutlineNode* node);
  COutlineNode* ChildNamed(COutlineNode* node, const std::string& name);
  void SelectNode(COutlineNode* node);

  std::function<void(const std::string&)> m_onSelected;
  std::map<Entry*, std::unique_ptr<Entry>> m_entries;
  std::string m_current;
  std::string m_reported;
};
