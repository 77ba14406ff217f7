// Filled-in lists for the tests and the demo: an item list of named sizes
// and an outline of groups whose members appear when a group is expanded.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "CItemListWnd.h"
#include "COutlineCtrl.h"

struct Entry {
  std::string name;
  int32_t size = 0;
};

class SizeList : public CItemListWnd {
 public:
  static constexpr int32_t kNameKey = 1;
  static constexpr int32_t kSizeKey = 2;

  ~SizeList() override;
  int compares = 0;
  std::vector<std::string> clicked;
  std::vector<std::string> doubleClicked;
  std::vector<std::string> rightClicked;
  std::vector<std::string> deleted;
  std::vector<std::string> Names() const;

 protected:
  int32_t Compare(int32_t key, void* a, void* b) override;
  void OnItemAdded(ItemRecord* record) override;
  void DrawCell(CDC* dc, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t key,
                ItemRecord* record) override;
  void OnItemDeleted(void* object) override;
  void OnClicked(void* object, int32_t x, int32_t y) override;
  void OnDoubleClicked(void* object, int32_t x, int32_t y) override;
  void OnRightButtonDown(void* object, int32_t x, int32_t y) override;
};

// Groups are items at level 1 with the expand image; expanding one adds its
// members (kept in the group's entries), collapsing removes them.
class GroupOutline : public COutlineCtrl {
 public:
  ~GroupOutline() override;
  std::vector<Entry*> groups;
  std::vector<std::vector<Entry*>> members;
  std::vector<std::string> events;

  COutlineNode* AddGroup(Entry* group, std::vector<Entry*> groupMembers);

 protected:
  int32_t CompareItems(void* a, void* b, int32_t insert) override;
  void DrawRowContent(CDC* dc, const RECT& rect, COutlineNode* node) override;
  void OnItemDeleted(void* item) override;
  void OnExpanded(COutlineNode* node) override;
  void OnCollapsed(COutlineNode* node) override;
  void OnClicked(COutlineNode* node, int32_t x, int32_t y) override;
  void OnDoubleClicked(COutlineNode* node, int32_t x, int32_t y) override;
  void OnRightButtonDown(COutlineNode* node, int32_t x, int32_t y) override;
  // Readers get the name and, as flags, the level and 100 when expanded.
  std::string RowText(COutlineNode* node) override;
  uint32_t RowFlags(COutlineNode* node) override;
};

// A plain top-level window to hold the lists.
class HostWnd : public CWnd {
 public:
  bool Create(const char* title, int width, int height);
};
