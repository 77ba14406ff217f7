#include "CTabWnd.h"

#include <algorithm>

#include "CDC.h"
#include "CFrameWnd.h"
#include "ControlResources.h"
#include "IAppUi.h"
#include "MessageMap.h"
#include "ModuleState.h"
#include "Picture.h"

BEGIN_MESSAGE_MAP(CTabWnd, CBarWnd)
  ON_WM_SETCURSOR()
END_MESSAGE_MAP()

namespace {

// The product string that names the service's page.
constexpr uint32_t kServicePageIndex = 8;

}  // namespace

CTabWnd::~CTabWnd() {
  if (m_ownsLinkCursor) ::DestroyCursor(m_linkCursor);
}

bool CTabWnd::Create(CWnd* parent) {
  if (!CBarWnd::Create(parent)) return false;
  SetStyleFlags(kDefaultStyle);
  m_buttonHeight = 0;
  if (!m_linkCursor) LoadLinkCursor();
  return true;
}

void CTabWnd::LoadLinkCursor() {
  m_linkCursor = ::LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(kLinkCursor));
  m_ownsLinkCursor = m_linkCursor != nullptr;
  if (!m_linkCursor) m_linkCursor = ::LoadCursorA(nullptr, IDC_ARROW);
}

CBitmapTab* CTabWnd::ButtonByKey(int mode, UINT key) const {
  return static_cast<CBitmapTab*>(ItemByKey(mode, key));
}

void CTabWnd::GrowButtonHeight(int height) {
  if (height <= m_buttonHeight) return;
  m_buttonHeight = height;
  for (int i = 0; i < GetItemCount(); ++i) GetTab(i)->SetHeight(m_buttonHeight);
}

bool CTabWnd::AddTab(UINT id, UINT hotId, UINT normalId, UINT disabledId, UINT pressedId) {
  if (FindItemById(id) >= 0) return false;
  auto button = std::make_unique<CBitmapTab>();
  if (!button->Init(id, hotId, normalId, disabledId, pressedId)) return false;
  if (id == kBrandButton && !ResourceProductString(kServicePageIndex).empty()) {
    button->SetLink(true);
  }
  GrowButtonHeight(button->GetSize().cy);
  const int x = GetItemCount() > 0 ? GetTab(GetItemCount() - 1)->GetRect().right : 0;
  button->SetRect(x, 0, x, m_buttonHeight);
  AddItem(std::move(button));
  return true;
}

bool CTabWnd::AddSpacer(UINT id) {
  if (FindItemById(id) >= 0) return false;
  auto spacer = std::make_unique<CBitmapTab>();
  spacer->InitSpacer(id);
  const int x = GetItemCount() > 0 ? GetTab(GetItemCount() - 1)->GetRect().right : 0;
  spacer->SetRect(x, 0, x, m_buttonHeight);
  AddItem(std::move(spacer));
  return true;
}

void CTabWnd::SetButtonWidth(int mode, UINT key, int width, int height) {
  GrowButtonHeight(height);
  CBitmapTab* button = ButtonByKey(mode, key);
  if (!button) return;
  const RECT old = button->GetRect();
  if (old.right - old.left == width) return;
  button->SetRect(old.left, old.top, old.left + width, old.bottom);
  const int difference = button->GetRect().right - old.right;
  const int index = mode == kById ? FindItemById(key) : static_cast<int>(key);
  ShiftItems(index + 1, difference, 1);
  if (m_hWnd) Invalidate(FALSE);
}

void CTabWnd::EnableButton(int mode, UINT key, bool enable) {
  CBitmapTab* button = ButtonByKey(mode, key);
  if (!button || !button->SetEnabled(enable)) return;
  if (!enable && m_hot == button) m_hot = nullptr;
  Repaint(button);
}

void CTabWnd::SetButtonBitmaps(int mode, UINT key, UINT hotId, UINT normalId, UINT disabledId) {
  CBitmapTab* button = ButtonByKey(mode, key);
  if (!button || !button->SetHotFace(hotId)) return;
  if (normalId) button->SetNormalFace(normalId);
  if (disabledId) button->SetDisabledFace(disabledId);
  Repaint(button);
}

RECT CTabWnd::GetButtonRect(int mode, UINT key) const {
  const CBitmapTab* button = ButtonByKey(mode, key);
  return button ? button->GetRect() : RECT{0, 0, 0, 0};
}

void CTabWnd::Repaint(CBitmapTab* button) {
  if (!m_hWnd || !button) return;
  const RECT rect = button->GetRect();
  ::InvalidateRect(m_hWnd, &rect, FALSE);
  ::UpdateWindow(m_hWnd);
}

int CTabWnd::GetHeight() const {
  if (!IsShown()) return 0;
  return m_buttonHeight + 2 * GetFrameSize().cy + 2;
}

int CTabWnd::GetWidth() const {
  const int right = GetItemCount() > 0 ? GetTab(GetItemCount() - 1)->GetRect().right : 0;
  return right + 2 * GetFrameSize().cx;
}

void CTabWnd::ClearHot() {
  if (!m_hot) return;
  CBitmapTab* old = m_hot;
  m_hot = nullptr;
  old->SetHot(false);
  Repaint(old);
}

void CTabWnd::Show(bool show) {
  if (!show) ClearHot();
  CBarWnd::Show(show);
}

// ---- Mouse -------------------------------------------------------------------

void CTabWnd::OnItemMouseMove(CBarItem* item) {
  auto* button = static_cast<CBitmapTab*>(item);
  m_overLink = button && button->IsLink();
  if (m_overLink) ::SetCursor(m_linkCursor);
  if (button == m_hot) return;
  ClearHot();
  if (button && button->SetHot(true)) {
    m_hot = button;
    Repaint(button);
  }
  if (m_hot) {
    if (!m_pressing) ShowItemTip(true, m_hot);
    Capture();
  } else {
    ShowItemTip(false, nullptr);
    if (!m_pressing) ReleaseCapture();
  }
}

void CTabWnd::OnItemLButtonDown(CBarItem* item) {
  auto* button = static_cast<CBitmapTab*>(item);
  if (m_hot && m_hot != button) ClearHot();
  if (!button || !(button->IsHot() || button->SetHot(true))) return;
  if (!button->SetPressed(true)) return;
  Repaint(button);
  ShowItemTip(false, nullptr);
  if (button->GetData() & CBitmapTab::kFireOnPress) {
    SetCurrentItem(nullptr);
    m_pressing = false;
    ReleaseCapture();
    if (CFrameWnd* frame = GetNotifyFrame()) frame->SendMessage(WM_COMMAND, button->GetId());
    button->SetPressed(false);
    button->SetHot(false);
    if (m_hot == button) m_hot = nullptr;
    Repaint(button);
    return;
  }
  SetCurrentItem(button);
  m_hot = button;
  m_pressing = true;
  Capture();
}

// Only a release over the pressed button fires it, and only while the
// button is still enabled: the frame may have disabled it during the press.
void CTabWnd::OnItemLButtonUp(CBarItem* item) {
  auto* pressed = static_cast<CBitmapTab*>(GetCurrentItem());
  EndPress();
  if (!item) ReleaseCapture();
  if (pressed && item == pressed && pressed->IsEnabled()) {
    if (CFrameWnd* frame = GetNotifyFrame()) frame->PostMessage(WM_COMMAND, pressed->GetId());
  }
}

void CTabWnd::EndPress() {
  auto* pressed = static_cast<CBitmapTab*>(GetCurrentItem());
  if (pressed) {
    pressed->SetPressed(false);
    Repaint(pressed);
  }
  m_pressing = false;
  SetCurrentItem(nullptr);
}

// A cancelled press ends too, so that a later release cannot fire it.
void CTabWnd::CancelTracking() {
  ClearHot();
  EndPress();
  ShowItemTip(false, nullptr);
  ReleaseCapture();
}

// Keeps the link cursor that the last mouse move set from being replaced
// by the class cursor.
BOOL CTabWnd::OnSetCursor(CWnd*, UINT hitTest, UINT) {
  if (m_overLink && hitTest == HTCLIENT) {
    ::SetCursor(m_linkCursor);
    return TRUE;
  }
  return static_cast<BOOL>(Default());
}

// ---- Painting and command UI -------------------------------------------------

void CTabWnd::DrawBackground(CDC* dc, const RECT& rect) {
  CPicture* background = AppUi().GetBackgroundPicture();
  RECT client{};
  GetClientRect(&client);
  if (!background || !background->DrawTiled(dc, client)) CBarWnd::DrawBackground(dc, rect);
}

void CTabWnd::OnUpdateCmdUI(CFrameWnd* frame, bool disableIfNoHandler) {
  if (!(GetStyleFlags() & kUpdatesItems)) return;
  if (m_hot && !HasCapture()) CancelTracking();
  UpdateItemsCmdUI(frame, disableIfNoHandler,
                   [this](UINT index, bool on) { EnableButton(kByIndex, index, on); });
}
