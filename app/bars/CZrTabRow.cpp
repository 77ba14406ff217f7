#include "CZrTabRow.h"

#include "AppPalette.h"
#include "CClientDC.h"
#include "CDC.h"
#include "CFont.h"
#include "CFrameWnd.h"
#include "ModuleState.h"
#include "Picture.h"

namespace {

// Fonts up to this line height get the standard row height.
constexpr int kSmallLineHeight = 16;
constexpr int kSmallRowHeight = 23;
constexpr int kRowPadding = 7;
// Tips and prompts only: the owner places the row and opts into updates.
constexpr unsigned kRowStyle = CBarWnd::kShowsTips | CBarWnd::kShowsPrompts;
constexpr int kFirstTabLeft = 2;
constexpr int kTabGap = 1;

// A context of the row (or the screen before the row exists) with the
// row's font, for measuring and drawing.
class CRowDC : public CClientDC {
 public:
  CRowDC(CWnd* row, CFont* font) : CClientDC(row) {
    if (font && font->m_hObject) SelectObject(font);
  }
};

// The application palette selected and realized for the life of the scope.
class CPaletteScope {
 public:
  explicit CPaletteScope(CDC* dc) : m_dc(dc) { CAppPalette::Get().Select(dc); }
  ~CPaletteScope() { CAppPalette::Get().Restore(m_dc); }
  CPaletteScope(const CPaletteScope&) = delete;
  CPaletteScope& operator=(const CPaletteScope&) = delete;

 private:
  CDC* m_dc;
};

}  // namespace

CZrTabRow::CZrTabRow()
    : m_unselectedFace(::GetSysColor(COLOR_BTNFACE)),
      m_selectedFace(::GetSysColor(COLOR_BTNFACE)),
      m_band(::GetSysColor(COLOR_BTNFACE)) {}

CZrTabRow::~CZrTabRow() = default;

bool CZrTabRow::Create(CWnd* parent, int orientation, UINT backgroundId) {
  m_orientation = orientation;
  m_background.reset();
  if (backgroundId != 0) {
    auto picture = std::make_unique<CPicture>(true);
    if (picture->LoadResource(AfxGetResourceHandle(), backgroundId)) m_background = std::move(picture);
  }
  if (!CBarWnd::Create(parent)) return false;
  SetStyleFlags(kRowStyle);
  UpdateRowHeight();
  return true;
}

void CZrTabRow::SetFont(CFont* font) {
  CBarWnd::SetFont(font);
  UpdateRowHeight();
}

// The line height is the cell height (character height and internal
// leading) plus the external leading.
void CZrTabRow::UpdateRowHeight() {
  CRowDC dc(this, GetFont());
  TEXTMETRICA metrics{};
  dc.GetTextMetrics(&metrics);
  const int lineHeight = metrics.tmHeight + metrics.tmExternalLeading;
  m_rowHeight = lineHeight <= kSmallLineHeight ? kSmallRowHeight : lineHeight + kRowPadding;
}

void CZrTabRow::SetColors(COLORREF unselectedFace, COLORREF selectedFace, COLORREF band) {
  m_unselectedFace = unselectedFace;
  m_selectedFace = selectedFace;
  m_band = band;
}

// ---- Tabs ----------------------------------------------------------------------

CTabItem* CZrTabRow::TabByKey(int mode, UINT key) const {
  return static_cast<CTabItem*>(ItemByKey(mode, key));
}

void CZrTabRow::AddTab(UINT id, const std::string& text, UINT iconId) {
  auto tab = std::make_unique<CTabItem>();
  {
    CRowDC dc(this, GetFont());
    tab->Init(id, text, iconId, &dc, m_orientation);
  }
  const int count = GetItemCount();
  const int left = count > 0 ? GetTab(count - 1)->GetRect().right + kTabGap : kFirstTabLeft;
  tab->SetRect(left, 0, left, m_rowHeight);
  tab->SetAttentionMode(m_attention);
  if (count == 0) {
    tab->SetSelected(true);
    SetCurrentItem(tab.get());
  }
  AddItem(std::move(tab));
  if (m_hWnd) Invalidate(true);
}

void CZrTabRow::AddTabText(UINT id, UINT stringId, UINT iconId) {
  AddTab(id, AfxLoadString(stringId), iconId);
}

void CZrTabRow::RemoveTab(UINT id) {
  const int index = FindItemById(id);
  CTabItem* tab = GetTab(index);
  if (!tab) return;
  const RECT rect = tab->GetRect();
  if (m_hot == tab) m_hot = nullptr;
  RemoveItem(index);
  ShiftItems(index, rect.right - rect.left, -1);
  RepaintRow();
}

void CZrTabRow::RenameTab(UINT id, const std::string& text, bool repaint) {
  const int index = FindItemById(id);
  CTabItem* tab = GetTab(index);
  if (!tab) return;
  int difference = 0;
  {
    CRowDC dc(this, GetFont());
    difference = tab->SetText(text, &dc);
  }
  ShiftItems(index + 1, difference, 1);
  if (repaint) RepaintRow();
}

void CZrTabRow::SelectTabByKey(UINT id) {
  CTabItem* tab = TabByKey(kById, id);
  if (!tab || tab->IsSelected() || tab->IsGreyed()) return;
  if (CTabItem* old = GetSelectedTab()) old->SetSelected(false);
  tab->ClearAttentionHighlight();
  SetCurrentItem(tab);
  tab->SetSelected(true);
  RepaintRow();
}

void CZrTabRow::SetTabFlagA(int mode, UINT key, bool enabled) {
  CTabItem* tab = TabByKey(mode, key);
  if (tab && tab->SetEnabled(enabled)) RepaintTab(tab);
}

void CZrTabRow::SetTabFlagB(int mode, UINT key, bool highlighted) {
  CTabItem* tab = TabByKey(mode, key);
  if (tab && tab->SetHighlighted(highlighted)) RepaintTab(tab);
}

void CZrTabRow::SetTabGreyed(int mode, UINT key, bool greyed) {
  CTabItem* tab = TabByKey(mode, key);
  if (tab && tab->SetGreyed(greyed)) RepaintTab(tab);
}

void CZrTabRow::SetTabTip(int mode, UINT key, const std::string& text) {
  if (CTabItem* tab = TabByKey(mode, key)) tab->SetTipText(text);
}

RECT CZrTabRow::GetTabScreenRect(int index) const {
  const CTabItem* tab = GetTab(index);
  if (!tab || !m_hWnd) return RECT{0, 0, 0, 0};
  RECT rect = tab->GetRect();
  ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

// ---- Painting ------------------------------------------------------------------

void CZrTabRow::RepaintRow() {
  if (!m_hWnd) return;
  Invalidate(true);
  UpdateWindow();
}

void CZrTabRow::DrawTab(CDC* dc, CTabItem* tab) {
  tab->DrawTab(dc, m_unselectedFace, m_selectedFace, m_band);
}

void CZrTabRow::RepaintTab(CTabItem* tab) {
  if (!m_hWnd || !tab) return;
  CRowDC dc(this, GetFont());
  CPaletteScope palette(&dc);
  DrawTab(&dc, tab);
  CTabItem* selected = GetSelectedTab();
  if (selected && selected != tab) DrawTab(&dc, selected);
}

void CZrTabRow::DrawBackground(CDC* dc, const RECT&) {
  RECT client{};
  GetClientRect(&client);
  if (!m_background || !m_background->DrawTiled(dc, client)) {
    dc->FillSolidRect(client, ::GetSysColor(COLOR_BTNFACE));
  }
  if (m_orientation == kTabsBelow) {
    dc->FillSolidRect(RECT{0, 0, client.right, 1}, ::GetSysColor(COLOR_BTNSHADOW));
    dc->FillSolidRect(RECT{0, 1, client.right, 2}, RGB(0, 0, 0));
  } else {
    dc->FillSolidRect(RECT{0, client.bottom - 1, client.right, client.bottom}, RGB(255, 255, 255));
  }
}

// The selected tab last, so that it overlaps its neighbours.
void CZrTabRow::DrawItems(CDC* dc, const RECT&) {
  for (int i = 0; i < GetItemCount(); ++i) {
    if (!GetTab(i)->IsSelected()) DrawTab(dc, GetTab(i));
  }
  if (CTabItem* selected = GetSelectedTab()) DrawTab(dc, selected);
}

// ---- Mouse ------------------------------------------------------------------------

void CZrTabRow::OnItemLButtonDown(CBarItem* item) {
  auto* tab = static_cast<CTabItem*>(item);
  if (!tab || tab->IsSelected() || !tab->IsEnabled()) return;
  ShowItemTip(false, nullptr);
  ReleaseCapture();
  if (OnTabClicked(tab->GetId())) return;
  if (CFrameWnd* frame = GetNotifyFrame()) frame->PostMessage(WM_COMMAND, tab->GetId(), 0);
}

bool CZrTabRow::OnTabClicked(UINT) { return false; }

// The row holds the mouse while it is over an enabled tab, so that it
// learns when the mouse leaves.
void CZrTabRow::OnItemMouseMove(CBarItem* item) {
  auto* tab = static_cast<CTabItem*>(item);
  if (tab == m_hot) return;
  m_hot = tab;
  if (tab && tab->IsEnabled()) {
    ShowItemTip(true, tab);
    if (!HasCapture()) {
      Capture();
      ::OutputDebugStringA("captured\n");
    }
    return;
  }
  ShowItemTip(false, nullptr);
  ReleaseCapture();
}

void CZrTabRow::CancelTracking() {
  ::OutputDebugStringA("CZrTabRow::KillFocus()\n");
  ShowItemTip(false, nullptr);
  ReleaseCapture();
  m_hot = nullptr;
}

// Enabling a tab sets its enabled flag.
void CZrTabRow::OnUpdateCmdUI(CFrameWnd* frame, bool disableIfNoHandler) {
  if (!(GetStyleFlags() & kUpdatesItems)) return;
  UpdateItemsCmdUI(frame, disableIfNoHandler,
                   [this](UINT index, bool on) { SetTabFlagA(kByIndex, index, on); });
}
