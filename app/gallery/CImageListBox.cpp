#include "CImageListBox.h"

#include <algorithm>

#include "CDC.h"

CImageListBox::CImageListBox(const ImageCell& cell, const CPicture* reference, bool avatarFilesOnly,
                             COLORREF background)
    : m_cell(cell), m_reference(reference), m_avatarFilesOnly(avatarFilesOnly), m_background(background) {}

int CImageListBox::Columns() const {
  RECT client{};
  ::GetClientRect(m_hWnd, &client);
  return std::max<int>(kMinColumns, (client.right - client.left) / (m_cell.width + kCellPadding));
}

void CImageListBox::SetUpGrid() {
  SendMessage(LB_SETITEMHEIGHT, 0, m_cell.height + kCellPadding);
  RECT client{};
  ::GetClientRect(m_hWnd, &client);
  SendMessage(LB_SETCOLUMNWIDTH, std::max<LONG>(1, (client.right - client.left) / Columns()));
}

SIZE CImageListBox::WantedSize() const {
  return {(m_cell.width + kCellPadding) * Columns(),
          (m_cell.height + kCellPadding) * kRows + ::GetSystemMetrics(SM_CYHSCROLL) + 4};
}

void CImageListBox::Clear() {
  SendMessage(LB_RESETCONTENT);
  m_entries.clear();
}

int CImageListBox::ListFolder(const std::string& folder) {
  Clear();
  for (const std::string& pattern : ImagePatterns(m_avatarFilesOnly)) ListPattern(folder, pattern);
  for (size_t i = 0; i < m_entries.size(); ++i) {
    const int row = AddString(m_entries[i].name);
    if (row >= 0) SetItemData(row, i);
  }
  if (!m_entries.empty()) SetCurSel(0);
  return static_cast<int>(m_entries.size());
}

void CImageListBox::ListPattern(const std::string& folder, const std::string& pattern) {
  WIN32_FIND_DATAA found{};
  HANDLE search = ::FindFirstFileA((folder + "\\" + pattern).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    const uint64_t size = (uint64_t(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
    if (!MayOpenImageFile(found.cFileName, size, m_cell, m_avatarFilesOnly)) continue;
    const std::string path = folder + "\\" + found.cFileName;
    const SIZE imageSize = CPicture::GetFileImageSize(path);
    const bool reference = m_reference && !m_reference->IsEmpty();
    if (!ImageFitsCell(imageSize.cx, imageSize.cy, m_cell, reference, reference ? m_reference->Width() : 0,
                       reference ? m_reference->Height() : 0))
      continue;
    auto picture = std::make_unique<CPicture>();
    if (!picture->LoadFile(path) || picture->IsEmpty()) continue;
    m_entries.push_back({found.cFileName, std::move(picture)});
  } while (::FindNextFileA(search, &found));
  ::FindClose(search);
}

std::string CImageListBox::SelectedName() const {
  const int row = GetCurSel();
  if (row < 0) return std::string();
  const size_t index = GetItemData(row);
  return index < m_entries.size() ? m_entries[index].name : std::string();
}

void CImageListBox::MeasureItem(LPMEASUREITEMSTRUCT item) { item->itemHeight = m_cell.height + kCellPadding; }

void CImageListBox::DrawItem(LPDRAWITEMSTRUCT item) {
  HDC dc = item->hDC;
  HBRUSH background = ::CreateSolidBrush(m_background);
  ::FillRect(dc, &item->rcItem, background);
  ::DeleteObject(background);
  if (item->itemID == static_cast<UINT>(-1)) return;
  const size_t index = static_cast<size_t>(::SendMessageA(m_hWnd, LB_GETITEMDATA, item->itemID, 0));
  if (index >= m_entries.size()) return;
  CPicture& picture = *m_entries[index].picture;
  RECT cell = item->rcItem;
  ::InflateRect(&cell, -2, -2);
  RECT place{cell.left, cell.top, cell.left + std::min<LONG>(picture.Width(), cell.right - cell.left),
             cell.top + std::min<LONG>(picture.Height(), cell.bottom - cell.top)};
  picture.Draw(CDC::FromHandle(dc), place);
  if (item->itemState & ODS_SELECTED) {
    HBRUSH highlight = ::GetSysColorBrush(COLOR_HIGHLIGHT);
    RECT frame = item->rcItem;
    for (int i = 0; i < 2; ++i) {
      ::FrameRect(dc, &frame, highlight);
      ::InflateRect(&frame, -1, -1);
    }
  }
  if (item->itemState & ODS_FOCUS) ::DrawFocusRect(dc, &item->rcItem);
}
