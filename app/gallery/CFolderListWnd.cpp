#include "CFolderListWnd.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <vector>

#include "CDC.h"
#include "DriveIcons.h"

namespace {

constexpr int kTextGap = 2;

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

int CompareBlind(const std::string& a, const std::string& b) {
  const int order = ::lstrcmpiA(a.c_str(), b.c_str());
  return order < 0 ? -1 : order > 0 ? 1 : 0;
}

std::vector<std::string> SubFolders(const std::string& path) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found{};
  HANDLE search = ::FindFirstFileA((path + "\\*.*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::string name = found.cFileName;
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != "." && name != "..")
      names.push_back(Lower(name));
  } while (::FindNextFileA(search, &found));
  ::FindClose(search);
  return names;
}

}  // namespace

CFolderListWnd::CFolderListWnd(std::function<void(const std::string&)> onSelected)
    : m_onSelected(std::move(onSelected)) {}

COutlineNode* CFolderListWnd::AddEntry(const std::string& parent, const std::string& name, Entry* parentEntry) {
  auto entry = std::make_unique<Entry>(Entry{parent, name});
  Entry* key = entry.get();
  m_entries.emplace(key, std::move(entry));
  COutlineNode* node = AddItem(key, parentEntry, false);
  node->SetState(COutlineNode::kToggles);
  return node;
}

void CFolderListWnd::ListSubFolders(COutlineNode* node) {
  Entry* entry = EntryOf(node);
  const std::string path = entry->Path();
  for (const std::string& name : SubFolders(path)) AddEntry(path, name, entry);
  node->expanded = 1;
}

void CFolderListWnd::SelectDrive(char letter) {
  m_reported.clear();
  RemoveAll(false);
  m_entries.clear();
  COutlineNode* root = AddEntry("", std::string(1, static_cast<char>(std::tolower(letter))) + ":", nullptr);
  ListSubFolders(root);
  Refresh();
  SelectNode(root);
}

COutlineNode* CFolderListWnd::ChildNamed(COutlineNode* node, const std::string& name) {
  for (const auto& child : node->children)
    if (CompareBlind(EntryOf(child.get())->name, name) == 0) return child.get();
  return nullptr;
}

void CFolderListWnd::OpenPath(const std::string& folder) {
  if (Root()->children.empty()) return;
  COutlineNode* node = Root()->children.front().get();
  size_t start = folder.find('\\');
  while (start != std::string::npos && start + 1 < folder.size()) {
    const size_t end = folder.find('\\', start + 1);
    const std::string name = folder.substr(start + 1, end == std::string::npos ? std::string::npos : end - start - 1);
    if (!node->expanded) ListSubFolders(node);
    COutlineNode* child = ChildNamed(node, name);
    if (!child) break;
    node = child;
    start = end;
  }
  Refresh();
  SelectNode(node);
}

void CFolderListWnd::SelectNode(COutlineNode* node) {
  const int32_t row = List().IndexOfNode(node);
  if (row >= 0) List().SelectRow(row);
  // A row that was already selected is named again all the same.
  if (m_reported != EntryOf(node)->Path()) MaySelect(row);
}

void CFolderListWnd::SetCurrent(const std::string& folder) {
  m_current = folder;
  if (List().m_hWnd) List().Invalidate(false);
}

std::string CFolderListWnd::SelectedPath() {
  COutlineNode* node = List().Rows().Node(List().GetSelectedRow());
  return node ? EntryOf(node)->Path() : std::string();
}

bool CFolderListWnd::MaySelect(int32_t row) {
  COutlineNode* node = List().Rows().Node(row);
  if (!node) return true;
  const std::string path = EntryOf(node)->Path();
  if (path == m_reported) return true;
  m_reported = path;
  if (m_onSelected) m_onSelected(path);
  return true;
}

void CFolderListWnd::OnExpanded(COutlineNode* node) {
  RemoveChildren(node, false);
  ListSubFolders(node);
  Refresh();
}

void CFolderListWnd::OnCollapsed(COutlineNode* node) {
  node->expanded = 0;
  RemoveChildren(node, true);
}

std::string CFolderListWnd::RowText(COutlineNode* node) { return EntryOf(node)->name; }

int32_t CFolderListWnd::CompareItems(void* a, void* b, int32_t) {
  const Entry* first = static_cast<Entry*>(a);
  const Entry* second = static_cast<Entry*>(b);
  const int byName = CompareBlind(first->name, second->name);
  return byName != 0 ? byName : CompareBlind(first->parent, second->parent);
}

void CFolderListWnd::OnItemDeleted(void* item) { m_entries.erase(static_cast<Entry*>(item)); }

void CFolderListWnd::DrawRowContent(CDC* dc, const RECT& rect, COutlineNode* node) {
  const Entry* entry = EntryOf(node);
  HDC hdc = dc->GetSafeHdc();
  const int top = rect.top + (rect.bottom - rect.top - drive_icons::kSize) / 2;
  if (entry->parent.empty())
    drive_icons::DrawDrive(hdc, rect.left, top, ::GetDriveTypeA((entry->name + "\\").c_str()));
  else
    drive_icons::DrawFolder(hdc, rect.left, top, CompareBlind(entry->Path(), m_current) == 0);
  RECT text = rect;
  text.left += drive_icons::kSize + kTextGap;
  const std::string shown = " " + entry->name + " ";
  const bool selected = node->selected != 0;
  ::SetBkMode(hdc, selected ? OPAQUE : TRANSPARENT);
  ::SetBkColor(hdc, ::GetSysColor(COLOR_HIGHLIGHT));
  ::SetTextColor(hdc, ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  ::DrawTextA(hdc, shown.c_str(), static_cast<int>(shown.size()), &text,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}
