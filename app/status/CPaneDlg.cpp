#include "CPaneDlg.h"

#include "AppPalette.h"
#include "CDC.h"
#include "CMenu.h"
#include "CWinApp.h"
#include "IAppUi.h"
#include "IPaneContainer.h"
#include "ModuleState.h"

namespace {

constexpr UINT kChatMenu = 256;
constexpr UINT kLeaveRoomText = 394;
constexpr UINT kEnterRoomText = 395;
constexpr UINT kCloseImCommand = 32821;
constexpr UINT kEnterLeaveCommand = 32822;
constexpr UINT kExplodeCommand = 32823;
constexpr UINT kSaveAsCommand = 32824;
constexpr UINT kLeaveTourCommand = 32825;
constexpr UINT kLeaveGameCommand = 32637;
// Resource library colour of docked pages.
constexpr uint32_t kDockedColourIndex = 9;

IPaneContainer* g_container = nullptr;

// The resource library's colour at index; the dialog face when the module
// has no colour table.
COLORREF ResourceColour(uint32_t index) {
  auto getColor = reinterpret_cast<uint32_t (*)(uint32_t)>(
      reinterpret_cast<void*>(::GetProcAddress(AfxGetResourceHandle(), "GetColor")));
  return getColor ? getColor(index) : ::GetSysColor(COLOR_BTNFACE);
}

void EnableItem(CMenu* menu, UINT id, bool enable) {
  menu->EnableMenuItem(id, MF_BYCOMMAND | (enable ? MF_ENABLED : MF_GRAYED));
}

}  // namespace

BEGIN_MESSAGE_MAP(CPaneDlg, CDialog)
  ON_COMMAND(kExplodeCommand, OnToggleFloating)
  ON_COMMAND(kEnterLeaveCommand, OnToggleObserve)
  ON_WM_ERASEBKGND()
  ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CPaneDlg::CPaneDlg(uint32_t kind, UINT templateId, const std::string& title)
    : CDialog(templateId), m_kind(kind), m_title(title), m_floatFrame(this) {}

CPaneDlg::~CPaneDlg() {
  if (m_floatFrame.m_hWnd) m_floatFrame.DestroyWindow();
  m_menu.reset();
  if (m_hWnd) DestroyWindow();
  m_redrawEntry.Remove();
}

void CPaneDlg::SetContainer(IPaneContainer* container) { g_container = container; }

IPaneContainer* CPaneDlg::Container() { return g_container; }

bool CPaneDlg::Create(CWnd* parent, uint32_t targetId, const RECT& rect, bool floating) {
  m_targetId = targetId;
  if (!CDialog::Create(m_nIDTemplate, parent)) return false;
  m_redrawEntry.Add(m_hWnd);
  const RECT& place = floating ? m_floatRect : rect;
  SetWindowPos(nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
               SWP_NOZORDER);
  if (floating) SetFloating(true);
  return true;
}

bool CPaneDlg::IsShown() const {
  if (!m_floating) return IsWindowVisible();
  return m_floatFrame.m_hWnd && ::GetActiveWindow() == m_floatFrame.m_hWnd;
}

void CPaneDlg::SetHighlight(bool highlight) {
  if (highlight && IsShown()) return;
  if (highlight == m_highlighted) return;
  m_highlighted = highlight;
  if (g_container) g_container->RepaintTabs();
}

// A request for the state the pane is already in changes nothing, so that a
// floating pane never gets a second frame window; a pane without a window
// has nothing to move.
void CPaneDlg::SetFloating(bool floating) {
  if (floating == m_floating || !m_hWnd) return;
  m_floating = floating;
  if (floating) {
    m_floatFrame.Create();
    CWnd* main = AfxGetMainWnd();
    if (main && ::IsIconic(main->m_hWnd)) m_floatFrame.ShowWindow(SW_HIDE);
    return;
  }
  HWND frame = m_floatFrame.m_hWnd;
  if (frame && !::IsIconic(frame) && !::IsZoomed(frame)) ::GetWindowRect(frame, &m_floatRect);
  m_floatFrame.Dock();
}

void CPaneDlg::ShowFloatFrame() {
  if (m_floating && m_floatFrame.m_hWnd) m_floatFrame.ShowWindow(SW_SHOW);
}

void CPaneDlg::RaiseFloatFrame() {
  if (!m_floatFrame.m_hWnd) return;
  m_floatFrame.SetWindowPos(HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

bool CPaneDlg::GetFrameRect(RECT* rect) const {
  if (!m_floatFrame.m_hWnd) return false;
  m_floatFrame.GetWindowRect(rect);
  return true;
}

void CPaneDlg::TrackContextMenu(int x, int y) {
  m_menu = std::make_unique<CMenu>();
  CMenu* popup = m_menu->LoadMenu(kChatMenu) ? m_menu->GetSubMenu(0) : nullptr;
  if (popup) {
    AdjustMenu(popup);
    popup->TrackPopupMenu(TPM_RIGHTBUTTON, x, y, this);
  }
  m_menu.reset();
}

void CPaneDlg::AdjustMenu(CMenu* popup) {
  IAppUi& ui = AppUi();
  EnableItem(popup, kCloseImCommand, m_kind == kInstantMessageKind);
  std::string enterLeave =
      AfxLoadString(ui.IsMyselfInRootPlace() ? kLeaveRoomText : kEnterRoomText);
  popup->ModifyMenu(kEnterLeaveCommand, MF_BYCOMMAND | MF_STRING, kEnterLeaveCommand,
                    enterLeave.c_str());
  EnableItem(popup, kLeaveTourCommand, m_kind == kTourKind && ui.IsTourGuest());
  EnableItem(popup, kLeaveGameCommand, m_kind == kGameKind && ui.IsGameGuest());
  popup->CheckMenuItem(kExplodeCommand, MF_BYCOMMAND | (m_floating ? MF_CHECKED : MF_UNCHECKED));
  EnableItem(popup, kSaveAsCommand, CanSave());
}

void CPaneDlg::SetWindowRect(const RECT& rect) {
  SetWindowPos(nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void CPaneDlg::OnToggleFloating() {
  if (m_floating) {
    SetFloating(false);
  } else if (g_container) {
    g_container->FloatPage(this);
  }
}

void CPaneDlg::OnToggleObserve() { AppUi().ToggleObserve(); }

BOOL CPaneDlg::OnEraseBkgnd(CDC* dc) {
  if (m_floating) return static_cast<BOOL>(Default());
  RECT client;
  GetClientRect(&client);
  dc->FillSolidRect(client, ResourceColour(kDockedColourIndex));
  CAppPalette::Get().Select(dc);
  HGDIOBJ oldPen = dc->SelectObject(::GetStockObject(BLACK_PEN));
  dc->MoveTo(client.right - 1, client.top);
  dc->LineTo(client.right - 1, client.bottom);
  dc->SelectObject(oldPen);
  CAppPalette::Get().Restore(dc);
  return TRUE;
}

HBRUSH CPaneDlg::OnCtlColor(CDC* dc, CWnd*, UINT) {
  dc->SetBkColor(::GetSysColor(COLOR_BTNFACE));
  return ::GetSysColorBrush(COLOR_BTNFACE);
}
