#include "CChatTextView.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "CDC.h"
#include "CFileDialog.h"
#include "CPaintDC.h"
#include "ModuleState.h"
#include "ZrMessageBox.h"
#include "resource.h"

namespace {

// String numbers of the save error: a single blank, then the message with
// the path.
constexpr UINT kBlankString = 199;
constexpr UINT kSaveErrorString = 61232;
// Colour table entries of the resource library for separator rows.
constexpr uint32_t kEmptySeparatorColour = 3;
constexpr uint32_t kPrivateSeparatorColour = 4;

const char* ViewClass() {
  return CWnd::RegisterWndClass(CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS,
                                ::LoadCursorA(nullptr, IDC_ARROW),
                                static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
}

}  // namespace

BEGIN_MESSAGE_MAP(CChatTextView, CWnd)
  ON_WM_SIZE()
  ON_WM_PAINT()
  ON_WM_VSCROLL()
  ON_WM_LBUTTONDOWN()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONUP()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_RBUTTONDOWN()
  ON_WM_KEYDOWN()
  ON_MESSAGE(WM_KEYUP, OnKeyUp)
  ON_WM_KILLFOCUS()
  ON_WM_DESTROY()
END_MESSAGE_MAP()

CChatTextView::CChatTextView() : m_layout(m_measurer) {}

CChatTextView::~CChatTextView() {
  if (m_hWnd) {
    DestroyWindow();
  }
}

bool CChatTextView::Create(CWnd* dialog, UINT placeholderId) {
  HWND placeholder = ::GetDlgItem(dialog->GetSafeHwnd(), static_cast<int>(placeholderId));
  if (!placeholder) {
    return false;
  }
  m_font = reinterpret_cast<HFONT>(::SendMessageA(placeholder, WM_GETFONT, 0, 0));
  if (!m_font) {
    m_font = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
  }
  TEXTMETRICA metrics{};
  if (!m_measurer.SetFont(m_font) || !m_measurer.GetMetrics(metrics)) {
    return false;
  }
  m_layout.SetFontMetrics(metrics.tmAveCharWidth, metrics.tmHeight + metrics.tmExternalLeading);
  TakeResourceColours();

  RECT place{};
  ::GetWindowRect(placeholder, &place);
  ::MapWindowPoints(nullptr, dialog->GetSafeHwnd(), reinterpret_cast<POINT*>(&place), 2);
  CreateFrames(dialog);
  ::DestroyWindow(placeholder);
  if (!CreateEx(WS_EX_NOPARENTNOTIFY, ViewClass(), "", WS_CHILD | WS_VISIBLE | WS_VSCROLL, place,
                dialog, placeholderId)) {
    return false;
  }
  RECT client;
  GetClientRect(&client);
  OnSize(SIZE_RESTORED, client.right, client.bottom);
  return true;
}

void CChatTextView::TakeResourceColours() {
  using GetColorFn = uint32_t (*)(uint32_t);
  HINSTANCE resources = AfxGetResourceHandle();
  auto getColor = reinterpret_cast<GetColorFn>(
      reinterpret_cast<void*>(::GetProcAddress(resources, "GetColor")));
  if (getColor) {
    m_layout.SetSeparatorColours(getColor(kEmptySeparatorColour), getColor(kPrivateSeparatorColour));
  }
}

void CChatTextView::CreateFrames(CWnd* dialog) {
  auto frame = [&](DWORD kind) {
    return ::CreateWindowExA(0, "Static", "", WS_CHILD | WS_VISIBLE | kind, 0, 0, 10, 10,
                             dialog->GetSafeHwnd(), nullptr, ::GetModuleHandleA(nullptr), nullptr);
  };
  m_whiteFrame = frame(SS_WHITEFRAME);
  m_blackFrame = frame(SS_BLACKFRAME);
}

void CChatTextView::PlaceFrames() {
  HWND parent = ::GetParent(m_hWnd);
  if (!parent) {
    return;
  }
  RECT rect;
  GetWindowRect(&rect);
  ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
  const UINT flags = SWP_NOACTIVATE;
  if (m_blackFrame) {
    ::SetWindowPos(m_blackFrame, m_hWnd, rect.left - 1, rect.top - 1, rect.right - rect.left + 1,
                   rect.bottom - rect.top + 1, flags);
  }
  if (m_whiteFrame) {
    ::SetWindowPos(m_whiteFrame, m_blackFrame ? m_blackFrame : m_hWnd, rect.left - 2, rect.top - 2,
                   rect.right - rect.left + 3, rect.bottom - rect.top + 3, flags);
  }
}

void CChatTextView::AddLine(const std::string& name, const std::string& text, COLORREF colour) {
  if (m_layout.AddLine(name, text, colour) == TranscriptLayout::AddResult::Ignored) {
    return;
  }
  UpdateScrollBar();
  Invalidate();
}

void CChatTextView::AddSeparator(const std::string& text, bool attachToLastLine) {
  RefreshPrivateRoom();
  if (m_layout.AddSeparator(text, attachToLastLine)) {
    UpdateScrollBar();
    Invalidate();
  }
}

void CChatTextView::ReplaceSeparator(const std::string& text) {
  RefreshPrivateRoom();
  m_layout.ReplaceSeparator(text);
  UpdateScrollBar();
  Invalidate();
}

void CChatTextView::RefreshPrivateRoom() {
  m_layout.SetPrivateRoom(m_isPrivateRoom && m_isPrivateRoom());
}

void CChatTextView::Clear() {
  m_layout.Clear();
  UpdateScrollBar();
  Invalidate();
}

void CChatTextView::CopySelection() {
  if (!m_layout.HasSelection()) {
    return;
  }
  std::string text = m_layout.SelectionText();
  HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  if (!memory) {
    return;
  }
  char* bytes = static_cast<char*>(::GlobalLock(memory));
  std::memcpy(bytes, text.c_str(), text.size() + 1);
  ::GlobalUnlock(memory);
  if (!::OpenClipboard(m_hWnd)) {
    ::GlobalFree(memory);
    return;
  }
  ::EmptyClipboard();
  if (!::SetClipboardData(CF_TEXT, memory)) {
    ::GlobalFree(memory);
  }
  ::CloseClipboard();
}

bool CChatTextView::Save(const std::string& path) {
  if (m_layout.LineCount() == 0) {
    return true;
  }
  std::string text = m_layout.SaveText();
  std::FILE* file = std::fopen(path.c_str(), "wb");
  bool written = file && std::fwrite(text.data(), 1, text.size(), file) == text.size();
  if (file && std::fclose(file) != 0) {
    written = false;
  }
  if (!written) {
    MessageBoxIds2Async(kBlankString, kSaveErrorString, path.c_str());
  }
  return written;
}

void CChatTextView::SaveAs() {
  CFileDialog dialog(false, "txt", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                     "Text Files (*.txt)|*.txt|All Files (*.*)|*.*||", this);
  if (dialog.DoModal() == IDOK) {
    Save(dialog.GetPathName());
  }
}

bool CChatTextView::IsCommandEnabled(UINT command) const {
  switch (command) {
    case ID_EDIT_COPY:
      return m_layout.HasSelection();
    case ID_EDIT_CLEAR_ALL:
    case ID_PANE_SAVE_AS:
    case ID_SAVE_TRANSCRIPT:
      return m_layout.LineCount() > 0;
    default:
      return false;
  }
}

bool CChatTextView::DoCommand(UINT command) {
  switch (command) {
    case ID_EDIT_COPY:
      CopySelection();
      return true;
    case ID_EDIT_CLEAR_ALL:
      Clear();
      return true;
    case ID_PANE_SAVE_AS:
    case ID_SAVE_TRANSCRIPT:
      SaveAs();
      return true;
    default:
      return false;
  }
}

void CChatTextView::Draw(CDC* dc, const RECT& update) {
  if (m_layout.TooSmall() || m_layout.LineCount() == 0) {
    return;
  }
  const int32_t margin = m_layout.Margin();
  const int32_t height = m_layout.LineHeight();
  int32_t first = std::max<int32_t>((update.top - margin) / height, 0);
  int32_t last = std::min<int32_t>((update.bottom - margin) / height, m_layout.VisibleRowCount());
  HGDIOBJ oldFont = ::SelectObject(*dc, m_font);
  int oldMode = ::SetBkMode(*dc, TRANSPARENT);
  COLORREF oldColour = ::GetTextColor(*dc);
  for (int32_t screenRow = first; screenRow <= last; ++screenRow) {
    const TranscriptRow* row = m_layout.VisibleRow(screenRow);
    if (!row) {
      break;
    }
    int32_t y = margin + screenRow * height;
    RECT clip{margin, y, margin + m_layout.TextWidth(), y + height};
    ::SetTextColor(*dc, row->colour);
    ::ExtTextOutA(*dc, margin, y, ETO_CLIPPED, &clip, row->text.data(),
                  static_cast<UINT>(row->text.size()), nullptr);
    int32_t start = 0;
    int32_t end = 0;
    if (m_layout.SelectedRange(*row, start, end)) {
      int32_t left = margin + m_measurer.Width(row->text, static_cast<size_t>(start));
      int32_t right = margin + m_measurer.Width(row->text, static_cast<size_t>(end));
      ::PatBlt(*dc, left, y, right - left, height, DSTINVERT);
    }
  }
  ::SetTextColor(*dc, oldColour);
  ::SetBkMode(*dc, oldMode);
  ::SelectObject(*dc, oldFont);
}

void CChatTextView::OnPaint() {
  CPaintDC dc(this);
  Draw(&dc, dc.m_ps.rcPaint);
}

void CChatTextView::OnSize(UINT /*type*/, int cx, int cy) {
  if (cx > 0 && cy > 0 && !IsWindowVisible()) {
    ShowWindow(SW_SHOW);
  }
  PlaceFrames();
  m_layout.Resize(cx, cy);
  UpdateScrollBar();
  Invalidate();
}

void CChatTextView::UpdateScrollBar() {
  if (!m_hWnd) {
    return;
  }
  SCROLLINFO info{sizeof(info), SIF_RANGE | SIF_POS, 0, std::max<int32_t>(m_layout.ScrollMaximum(), 1),
                  0, m_layout.ScrollPosition(), 0};
  ::SetScrollInfo(m_hWnd, SB_VERT, &info, TRUE);
}

void CChatTextView::Scroll(int32_t target) {
  int32_t moved = m_layout.ScrollTo(target);
  if (moved == 0) {
    return;
  }
  const int32_t visible = m_layout.VisibleRowCount();
  if (moved < visible && -moved < visible) {
    RECT client;
    GetClientRect(&client);
    ::ScrollWindowEx(m_hWnd, 0, -moved * m_layout.LineHeight(), &client, &client, nullptr, nullptr,
                     SW_INVALIDATE | SW_ERASE);
  } else {
    Invalidate();
  }
  UpdateScrollBar();
}

void CChatTextView::OnVScroll(UINT code, UINT /*position*/, CWnd* /*bar*/) {
  const int32_t now = m_layout.ScrollPosition();
  const int32_t page = m_layout.VisibleRowCount();
  switch (code) {
    case SB_LINEUP: Scroll(now - 1); break;
    case SB_LINEDOWN: Scroll(now + 1); break;
    case SB_PAGEUP: Scroll(now - page); break;
    case SB_PAGEDOWN: Scroll(now + page); break;
    case SB_TOP: Scroll(0); break;
    case SB_BOTTOM: Scroll(m_layout.ScrollMaximum()); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      // The 32-bit tracking position; the message carries only 16 bits.
      SCROLLINFO info{sizeof(info), SIF_TRACKPOS, 0, 0, 0, 0, 0};
      ::GetScrollInfo(m_hWnd, SB_VERT, &info);
      Scroll(info.nTrackPos);
      break;
    }
    default:
      break;
  }
}

bool CChatTextView::PointAt(POINT point, TranscriptPoint& at) const {
  const int32_t margin = m_layout.Margin();
  if (m_layout.TooSmall() || point.y < margin) {
    return false;
  }
  int32_t screenRow = (point.y - margin) / m_layout.LineHeight();
  if (screenRow >= m_layout.VisibleRowCount()) {
    return false;
  }
  return m_layout.HitTest(screenRow, point.x - margin, at);
}

// Below the last row a drag reaches the end of the last row shown.
bool CChatTextView::PointPastText(POINT point, TranscriptPoint& at) const {
  const int32_t margin = m_layout.Margin();
  if (m_layout.TooSmall() || point.y < margin) {
    return false;
  }
  const int32_t screenRow =
      std::min(static_cast<int32_t>((point.y - margin) / m_layout.LineHeight()), m_layout.VisibleRowCount());
  for (int32_t row = screenRow - 1; row >= 0; --row) {
    if (const TranscriptRow* last = m_layout.VisibleRow(row)) {
      at = TranscriptPoint{last->line, last->part, static_cast<int32_t>(last->text.size())};
      return true;
    }
  }
  return false;
}

void CChatTextView::OnLButtonDown(UINT /*flags*/, POINT point) {
  SetFocus();
  bool hadSelection = m_layout.HasSelection() || m_layout.Dragging();
  m_layout.ClearSelection();
  TranscriptPoint at;
  if (PointAt(point, at)) {
    m_layout.BeginSelection(at);
    SetCapture();
  }
  if (hadSelection) {
    Invalidate();
  }
}

void CChatTextView::OnMouseMove(UINT /*flags*/, POINT point) {
  if (!m_layout.Dragging()) {
    return;
  }
  RECT client;
  GetClientRect(&client);
  TranscriptPoint at;
  if (::PtInRect(&client, point) && (PointAt(point, at) || PointPastText(point, at))) {
    m_layout.ExtendSelection(at);
    Invalidate();
  }
}

void CChatTextView::OnLButtonUp(UINT /*flags*/, POINT /*point*/) {
  if (!m_layout.Dragging()) {
    return;
  }
  m_layout.EndSelection();
  if (::GetCapture() == m_hWnd) {
    ::ReleaseCapture();
  }
  Invalidate();
}

void CChatTextView::OnLButtonDblClk(UINT /*flags*/, POINT point) {
  TranscriptPoint at;
  if (PointAt(point, at) && m_layout.SelectWordAt(at)) {
    Invalidate();
  }
}

void CChatTextView::OnRButtonDown(UINT /*flags*/, POINT point) {
  HMENU menu = ::LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDM_TRANSCRIPT));
  HMENU popup = menu ? ::GetSubMenu(menu, 0) : nullptr;
  if (popup) {
    for (UINT command : {ID_EDIT_COPY, ID_EDIT_CLEAR_ALL, ID_PANE_SAVE_AS, ID_SAVE_TRANSCRIPT}) {
      ::EnableMenuItem(popup, command, MF_BYCOMMAND | (IsCommandEnabled(command) ? MF_ENABLED : MF_GRAYED));
    }
    ClientToScreen(&point);
    UINT command = static_cast<UINT>(::TrackPopupMenu(
        popup, TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, point.x, point.y, 0, m_hWnd, nullptr));
    if (command) {
      DoCommand(command);
    }
  }
  if (menu) {
    ::DestroyMenu(menu);
  }
  if (m_onMenuClosed) {
    m_onMenuClosed();
  }
}

void CChatTextView::DropPendingChar() {
  MSG message;
  ::PeekMessageA(&message, m_hWnd, WM_CHAR, WM_CHAR, PM_REMOVE);
}

void CChatTextView::OnKeyDown(UINT key, UINT /*repeat*/, UINT /*flags*/) {
  if (key == VK_CONTROL) {
    m_ctrlDown = true;
    return;
  }
  if (!m_ctrlDown) {
    return;
  }
  if (key == 'C' || key == VK_INSERT) {
    CopySelection();
    if (key == 'C') {
      DropPendingChar();
    }
  } else if (key == 'I') {
    if (m_onInstantMessage) {
      m_onInstantMessage();
    }
    DropPendingChar();
  }
}

LRESULT CChatTextView::OnKeyUp(WPARAM key, LPARAM /*flags*/) {
  if (key == VK_CONTROL) {
    m_ctrlDown = false;
  }
  return 0;
}

void CChatTextView::OnKillFocus(CWnd* /*next*/) {
  m_ctrlDown = false;
}

void CChatTextView::OnDestroy() {
  for (HWND* frame : {&m_blackFrame, &m_whiteFrame}) {
    if (*frame) {
      ::DestroyWindow(*frame);
      *frame = nullptr;
    }
  }
}
