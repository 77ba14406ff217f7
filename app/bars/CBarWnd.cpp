#include "CBarWnd.h"

#include <algorithm>
#include <utility>

#include "AppPalette.h"
#include "CCmdUI.h"
#include "CFont.h"
#include "CFrameWnd.h"
#include "CPaintDC.h"
#include "FrameworkIds.h"
#include "IAppUi.h"
#include "NameBubble.h"

BEGIN_MESSAGE_MAP(CBarWnd, CWnd)
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_WM_SIZE()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_RBUTTONDOWN()
  ON_WM_MOUSEMOVE()
  ON_WM_CANCELMODE()
  ON_WM_CAPTURECHANGED()
  ON_WM_DESTROY()
  ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
  ON_MESSAGE(WM_INITIALUPDATE, OnInitialUpdate)
  ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
  ON_MESSAGE(CBarWnd::kLayoutMessage, OnBarLayout)
END_MESSAGE_MAP()

COLORREF BarEtchColour() {
  const COLORREF menu = ::GetSysColor(COLOR_MENU);
  return menu == RGB(255, 255, 255) ? RGB(128, 128, 128) : menu;
}

void DrawBarLine(HDC dc, int x1, int y1, int x2, int y2, COLORREF colour) {
  HPEN pen = ::CreatePen(PS_SOLID, 1, colour);
  HGDIOBJ old = ::SelectObject(dc, pen);
  ::MoveToEx(dc, x1, y1, nullptr);
  ::LineTo(dc, x2, y2);
  ::SelectObject(dc, old);
  ::DeleteObject(pen);
}

void DrawBarBottomLines(HDC dc, const RECT& client) {
  DrawBarLine(dc, client.left, client.bottom - 2, client.right, client.bottom - 2, BarEtchColour());
  DrawBarLine(dc, client.left, client.bottom - 1, client.right, client.bottom - 1, RGB(0, 0, 0));
}

// A window still alive here gets its last messages as a bar, with its items.
CBarWnd::~CBarWnd() {
  if (m_hWnd && CWnd::FromHandlePermanent(m_hWnd) == this) DestroyWindow();
}

bool CBarWnd::Create(CWnd* parent, DWORD style) {
  static const char* className = RegisterWndClass(
      CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW),
      static_cast<HBRUSH>(::GetStockObject(LTGRAY_BRUSH)));
  RECT none{0, 0, 0, 0};
  if (!className ||
      !CreateEx(0, className, nullptr, style | WS_CHILD | WS_VISIBLE, none, parent, 0)) {
    return false;
  }
  m_redrawEntry.Add(m_hWnd);
  m_styleFlags = kDefaultStyle;
  return true;
}

void CBarWnd::OnDestroy() {
  m_redrawEntry.Remove();
  m_captured = false;
  Default();
}

// ---- Items -------------------------------------------------------------------

void CBarWnd::AddItem(std::unique_ptr<CBarItem> item) { m_items.push_back(std::move(item)); }

void CBarWnd::RemoveItem(int index) {
  if (index < 0 || index >= GetItemCount()) return;
  if (m_current == m_items[static_cast<size_t>(index)].get()) m_current = nullptr;
  m_items.erase(m_items.begin() + index);
}

void CBarWnd::ShiftItems(int from, int dx, int step) {
  for (int i = std::max(0, from); i < GetItemCount(); ++i) {
    m_items[static_cast<size_t>(i)]->Offset(dx * step);
  }
}

CBarItem* CBarWnd::GetItem(int index) const {
  if (index < 0 || index >= GetItemCount()) return nullptr;
  return m_items[static_cast<size_t>(index)].get();
}

int CBarWnd::FindItemById(UINT id) const {
  for (int i = 0; i < GetItemCount(); ++i) {
    if (m_items[static_cast<size_t>(i)]->GetId() == id) return i;
  }
  return -1;
}

CBarItem* CBarWnd::ItemByKey(int mode, UINT key) const {
  return GetItem(mode == kById ? FindItemById(key) : static_cast<int>(key));
}

int CBarWnd::GetItemData(int mode, UINT key) const {
  const CBarItem* item = ItemByKey(mode, key);
  return item ? static_cast<int>(item->GetData()) : -1;
}

CBarItem* CBarWnd::SetItemData(int mode, UINT key, uint32_t value) {
  CBarItem* item = ItemByKey(mode, key);
  if (item) item->SetData(value);
  return item;
}

// Only a point where the bar itself is the window on top reaches an item.
CBarItem* CBarWnd::ItemFromPoint(int x, int y) const {
  POINT screen{x, y};
  ::ClientToScreen(m_hWnd, &screen);
  if (::WindowFromPoint(screen) != m_hWnd) return nullptr;
  for (const auto& item : m_items) {
    if (item->HitTest(x, y)) return item.get();
  }
  return nullptr;
}

// ---- Sizes and visibility -------------------------------------------------------

SIZE CBarWnd::GetClientSize() const {
  if (!m_hWnd) return SIZE{0, 0};
  RECT client{};
  ::GetClientRect(m_hWnd, &client);
  return SIZE{client.right, client.bottom};
}

SIZE CBarWnd::GetFrameSize() const {
  if (!m_hWnd || (GetStyle() & WS_DLGFRAME) != WS_DLGFRAME) return SIZE{0, 0};
  return SIZE{::GetSystemMetrics(SM_CXDLGFRAME), ::GetSystemMetrics(SM_CYDLGFRAME)};
}

bool CBarWnd::IsShown() const { return m_hWnd && (GetStyle() & WS_VISIBLE) != 0; }

int CBarWnd::GetHeight() const { return GetClientSize().cy; }

int CBarWnd::GetWidth() const { return GetClientSize().cx; }

void CBarWnd::DelayShow(bool show) {
  m_stateFlags &= ~(kHidePending | kShowPending);
  const bool visible = IsShown();
  if (show && !visible) m_stateFlags |= kShowPending;
  if (!show && visible) m_stateFlags |= kHidePending;
}

void CBarWnd::Show(bool show) {
  if (!show && IsShown()) {
    ShowItemTip(false, nullptr);
    ReleaseCapture();
  }
  ShowWindow(show ? SW_SHOW : SW_HIDE);
}

CFrameWnd* CBarWnd::GetNotifyFrame() const {
  HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
  if (!owner) owner = ::GetParent(m_hWnd);
  CWnd* window = owner ? CWnd::FromHandlePermanent(owner) : nullptr;
  if (auto* frame = dynamic_cast<CFrameWnd*>(window)) return frame;
  return GetParentFrame();
}

HWND CBarWnd::GetTopParent(HWND window) const {
  HWND top = window;
  while (HWND parent = ::GetParent(top)) top = parent;
  return top;
}

void CBarWnd::ClipOutside(CDC* dc, const RECT& outer, const RECT& inner) {
  HRGN outerRegion = ::CreateRectRgnIndirect(&outer);
  HRGN innerRegion = ::CreateRectRgnIndirect(&inner);
  ::CombineRgn(outerRegion, outerRegion, innerRegion, RGN_XOR);
  ::SelectClipRgn(dc->m_hDC, outerRegion);
  ::DeleteObject(innerRegion);
  ::DeleteObject(outerRegion);
}

// ---- Tips --------------------------------------------------------------------------

void CBarWnd::ShowItemTip(bool show, const CBarItem* item) {
  if (m_styleFlags & kShowsTips) {
    if (CNameBubble* bubble = AppUi().GetNameBubble()) {
      if (show && item && !item->GetTipText().empty()) {
        POINT point = item->GetTipPoint();
        ::ClientToScreen(m_hWnd, &point);
        bubble->ShowText(point.x, point.y, item->GetTipText(), -1);
      } else {
        bubble->Dismiss();
      }
    }
  }
  if (m_styleFlags & kShowsPrompts) {
    CFrameWnd* frame = GetNotifyFrame();
    const UINT prompt = show && item ? item->GetId() : AFX_IDS_IDLEMESSAGE;
    if (frame) frame->SendMessage(WM_SETMESSAGESTRING, prompt);
  }
}

// ---- Mouse ---------------------------------------------------------------------------

void CBarWnd::Capture() {
  if (m_captured) return;
  ::SetCapture(m_hWnd);
  m_captured = true;
}

void CBarWnd::ReleaseCapture() {
  m_captured = false;
  if (m_hWnd && ::GetCapture() == m_hWnd) ::ReleaseCapture();
}

void CBarWnd::OnLButtonDown(UINT, POINT point) {
  OnItemLButtonDown(ItemFromPoint(point.x, point.y));
}

void CBarWnd::OnLButtonUp(UINT, POINT point) { OnItemLButtonUp(ItemFromPoint(point.x, point.y)); }

void CBarWnd::OnLButtonDblClk(UINT, POINT point) {
  OnItemDoubleClick(ItemFromPoint(point.x, point.y));
}

void CBarWnd::OnRButtonDown(UINT, POINT point) {
  OnItemRButtonDown(ItemFromPoint(point.x, point.y));
}

// Moves count only while the bar lies inside the active window.
void CBarWnd::OnMouseMove(UINT, POINT point) {
  HWND active = ::GetActiveWindow();
  if (!active || (active != m_hWnd && !::IsChild(active, m_hWnd))) return;
  OnItemMouseMove(ItemFromPoint(point.x, point.y));
}

// Another window took the mouse: the bar no longer holds it and may take
// it again later.
void CBarWnd::OnCaptureChanged(CWnd* window) {
  if (!window || window->m_hWnd != m_hWnd) m_captured = false;
}

void CBarWnd::OnCancelMode() {
  Default();
  CancelTracking();
}

void CBarWnd::OnItemLButtonDown(CBarItem*) {}
void CBarWnd::OnItemLButtonUp(CBarItem*) {}
void CBarWnd::OnItemDoubleClick(CBarItem*) {}
void CBarWnd::OnItemRButtonDown(CBarItem*) {}
void CBarWnd::OnItemMouseMove(CBarItem*) {}
void CBarWnd::CancelTracking() {}

// ---- Painting ------------------------------------------------------------------------

BOOL CBarWnd::OnEraseBkgnd(CDC*) { return TRUE; }

void CBarWnd::OnPaint() {
  CPaintDC dc(this);
  CAppPalette::Get().Select(&dc);
  HGDIOBJ oldFont =
      m_font && m_font->m_hObject ? ::SelectObject(dc.m_hDC, m_font->m_hObject) : nullptr;
  const RECT paintRect = dc.m_ps.rcPaint;
  DrawBackground(&dc, paintRect);
  DrawItems(&dc, paintRect);
  if (oldFont) ::SelectObject(dc.m_hDC, oldFont);
  CAppPalette::Get().Restore(&dc);
}

void CBarWnd::DrawBackground(CDC* dc, const RECT& rect) {
  ::FillRect(dc->m_hDC, &rect, static_cast<HBRUSH>(::GetStockObject(LTGRAY_BRUSH)));
}

void CBarWnd::DrawItems(CDC* dc, const RECT& paintRect) {
  for (const auto& item : m_items) {
    RECT overlap{};
    if (::IntersectRect(&overlap, &item->GetRect(), &paintRect)) item->Draw(dc);
  }
  RECT client{};
  GetClientRect(&client);
  DrawBarBottomLines(dc->m_hDC, client);
}

void CBarWnd::OnSize(UINT, int cx, int cy) {
  Default();
  OnSized(cx, cy);
}

void CBarWnd::OnSized(int, int) {}

void CBarWnd::OnUpdateCmdUI(CFrameWnd*, bool) {}

namespace {

// A command-UI item that is one item of a bar: enabling goes to the bar;
// checks and texts have no meaning for bar items.
class CBarItemCmdUI : public CCmdUI {
 public:
  explicit CBarItemCmdUI(std::function<void(UINT, bool)> enable) : m_enable(std::move(enable)) {}
  void Enable(bool on) override {
    m_bEnableChanged = true;
    m_enable(m_nIndex, on);
  }
  void SetCheck(int) override {}
  void SetRadio(bool) override {}
  void SetText(const char*) override {}

 private:
  std::function<void(UINT, bool)> m_enable;
};

}  // namespace

void CBarWnd::UpdateItemsCmdUI(CFrameWnd* frame, bool disableIfNoHandler,
                               std::function<void(UINT index, bool on)> enable) {
  CBarItemCmdUI ui(std::move(enable));
  for (int i = 0; i < GetItemCount(); ++i) {
    ui.m_nID = GetItem(i)->GetId();
    ui.m_nIndex = static_cast<UINT>(i);
    zr::MsgCall call;
    call.message = WM_COMMAND;
    call.cmdUI = &ui;
    if (!OnCmdMsg(ui.m_nID, zr::kCodeUpdateUI, &call)) ui.DoUpdate(frame, disableIfNoHandler);
  }
}

// ---- Idle update and layout -----------------------------------------------------------

LRESULT CBarWnd::OnIdleUpdateCmdUI(WPARAM disableIfNoHandler, LPARAM) {
  if (m_captured && ::GetActiveWindow() != GetTopParent(m_hWnd)) CancelTracking();
  const bool visible = IsShown();
  constexpr UINT kKeep = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
  if ((m_stateFlags & kHidePending) && visible)
    SetWindowPos(nullptr, 0, 0, 0, 0, kKeep | SWP_HIDEWINDOW);
  else if ((m_stateFlags & kShowPending) && !visible)
    SetWindowPos(nullptr, 0, 0, 0, 0, kKeep | SWP_SHOWWINDOW);
  m_stateFlags &= ~(kHidePending | kShowPending);
  CFrameWnd* frame = GetNotifyFrame();
  if (IsShown() && frame) OnUpdateCmdUI(frame, disableIfNoHandler != 0);
  return 0;
}

LRESULT CBarWnd::OnInitialUpdate(WPARAM, LPARAM) { return OnIdleUpdateCmdUI(TRUE, 0); }

// The bar spans the top of its parent; it leaves the space to the others.
LRESULT CBarWnd::OnSizeParent(WPARAM, LPARAM layout) {
  if (!IsShown() || !(m_styleFlags & kSizesItself) || (m_styleFlags & kInHost)) return 0;
  const auto* params = reinterpret_cast<const SizeParentParams*>(layout);
  SetWindowPos(nullptr, 0, 0, params->rect.right - params->rect.left, GetHeight(),
               SWP_NOZORDER | SWP_NOACTIVATE);
  return 0;
}

LRESULT CBarWnd::OnBarLayout(WPARAM, LPARAM layout) {
  auto* record = reinterpret_cast<BarLayout*>(layout);
  if (!IsShown()) return 0;
  const int height = GetHeight();
  int x = record->left;
  int width = 0;
  if (record->rightAligned) {
    width = GetWidth();
    x = record->right - width;
  } else if (record->stretch) {
    width = record->right - record->left;
  } else {
    width = std::min(GetWidth(), static_cast<int>(record->right - record->left));
  }
  SetWindowPos(nullptr, x, record->top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  record->width = width;
  record->height = height;
  return 0;
}
