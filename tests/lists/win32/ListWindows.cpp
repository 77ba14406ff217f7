#include "ListWindows.h"

#include "CDC.h"

namespace {
const Entry& EntryOf(void* item) { return *static_cast<Entry*>(item); }
}  // namespace

SizeList::~SizeList() { RemoveAll(false); }

std::vector<std::string> SizeList::Names() const {
  std::vector<std::string> names;
  for (int32_t i = 0; i < GetCount(); ++i) {
    names.push_back(EntryOf(GetItemObject(i)).name);
  }
  return names;
}

int32_t SizeList::Compare(int32_t key, void* a, void* b) {
  ++compares;
  if (key == kSizeKey) {
    return EntryOf(a).size - EntryOf(b).size;
  }
  return EntryOf(a).name.compare(EntryOf(b).name);
}

void SizeList::OnItemAdded(ItemRecord* record) {
  record->width = SetTextExtent(EntryOf(record->object).name) + 120;
}

void SizeList::DrawCell(CDC* dc, int32_t left, int32_t top, int32_t right, int32_t bottom,
                        int32_t key, ItemRecord* record) {
  const Entry& entry = EntryOf(record->object);
  std::string text = key == kSizeKey ? std::to_string(entry.size) : entry.name;
  RECT cell{left, top, right, bottom};
  dc->DrawText(text, &cell, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void SizeList::OnItemDeleted(void* object) { deleted.push_back(EntryOf(object).name); }
void SizeList::OnClicked(void* object, int32_t, int32_t) { clicked.push_back(EntryOf(object).name); }
void SizeList::OnDoubleClicked(void* object, int32_t, int32_t) {
  doubleClicked.push_back(EntryOf(object).name);
}
void SizeList::OnRightButtonDown(void* object, int32_t, int32_t) {
  rightClicked.push_back(EntryOf(object).name);
}

GroupOutline::~GroupOutline() { RemoveAll(false); }

COutlineNode* GroupOutline::AddGroup(Entry* group, std::vector<Entry*> groupMembers) {
  groups.push_back(group);
  members.push_back(std::move(groupMembers));
  COutlineNode* node = AddItem(group, nullptr, false);
  node->SetState(COutlineNode::kToggles);
  return node;
}

int32_t GroupOutline::CompareItems(void* a, void* b, int32_t) {
  return EntryOf(a).name.compare(EntryOf(b).name);
}

void GroupOutline::DrawRowContent(CDC* dc, const RECT& rect, COutlineNode* node) {
  RECT text = rect;
  text.left += (node->level - 1) * 12;
  dc->DrawText(EntryOf(node->item).name, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void GroupOutline::OnItemDeleted(void* item) { events.push_back("deleted " + EntryOf(item).name); }

void GroupOutline::OnExpanded(COutlineNode* node) {
  events.push_back("expanded " + EntryOf(node->item).name);
  for (size_t i = 0; i < groups.size(); ++i) {
    if (groups[i] == node->item) {
      for (Entry* member : members[i]) {
        node->InsertChild(member);
      }
    }
  }
  Refresh();
}

void GroupOutline::OnCollapsed(COutlineNode* node) {
  events.push_back("collapsed " + EntryOf(node->item).name);
  RemoveChildren(node, true);
}

void GroupOutline::OnClicked(COutlineNode* node, int32_t, int32_t) {
  events.push_back("clicked " + EntryOf(node->item).name);
}
void GroupOutline::OnDoubleClicked(COutlineNode* node, int32_t, int32_t) {
  events.push_back("double " + EntryOf(node->item).name);
}
void GroupOutline::OnRightButtonDown(COutlineNode* node, int32_t, int32_t) {
  events.push_back("right " + EntryOf(node->item).name);
}

bool HostWnd::Create(const char* title, int width, int height) {
  const char* className = RegisterWndClass(0, ::LoadCursorA(nullptr, IDC_ARROW),
                                           reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  return CreateEx(0, className, title, WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN,
                  RECT{30, 30, 30 + width, 30 + height}, nullptr, 0);
}

std::string GroupOutline::RowText(COutlineNode* node) { return EntryOf(node->item).name; }

uint32_t GroupOutline::RowFlags(COutlineNode* node) {
  return static_cast<uint32_t>(node->level) + (node->expanded ? 100u : 0u);
}
