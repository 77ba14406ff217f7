#include "CHotWnd.h"

#include <algorithm>

#include "AppPalette.h"
#include "CPaintDC.h"
#include "CWinApp.h"
#include "ControlResources.h"
#include "ModuleState.h"
#include "Picture.h"

namespace {

// No background brush: the pictures cover the window, and a transparent
// window shows its parent where they leave gaps.
const char* HotClass() {
  static const char* name =
      CWnd::RegisterWndClass(CS_HREDRAW | CS_VREDRAW, ::LoadCursorA(nullptr, IDC_ARROW));
  return name;
}

bool AllNull(const std::array<const char*, CHotWnd::kStateCount>& names) {
  return std::all_of(names.begin(), names.end(), [](const char* name) { return !name; });
}

}  // namespace

BEGIN_MESSAGE_MAP(CHotWnd, CWnd)
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_WM_PAINT()
  ON_WM_LBUTTONDOWN()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

CHotWnd::CHotWnd() = default;

CHotWnd::~CHotWnd() = default;

int CHotWnd::SetState(int state) {
  if (state == m_state) return 0;
  m_state = state;
  if (m_hWnd) {
    Invalidate(true);
    UpdateWindow();
  }
  return 1;
}

int CHotWnd::Enable(bool enable) {
  if (enable && m_state == kDisabled) return SetState(kUp);
  if (!enable && m_state != kDisabled) return SetState(kDisabled);
  return 0;
}

void CHotWnd::OnClicked() {
  if (CWnd* main = AfxGetMainWnd()) main->PostMessage(WM_COMMAND, m_commandId, 0);
  if (CWnd* parent = GetParent()) {
    parent->PostMessage(WM_COMMAND, m_commandId, reinterpret_cast<LPARAM>(m_hWnd));
  }
}

bool CHotWnd::Create(CWnd* parent, int left, int top, int right, int bottom, uint16_t commandId,
                     bool transparent, uint32_t userValue) {
  m_commandId = commandId;
  m_userValue = userValue;
  return CreateEx(transparent ? WS_EX_TRANSPARENT : 0, HotClass(), "", WS_CHILD | WS_VISIBLE,
                  RECT{left, top, right, bottom}, parent, commandId);
}

int CHotWnd::SetPictures(const char* up, const char* down, const char* third,
                         const char* disabled) {
  Names names{up, down, third, disabled};
  if (!m_hWnd || AllNull(names) || !LoadPictures(names, true)) return 0;
  if (IsWindowVisible()) Repaint();
  return 1;
}

int CHotWnd::SetPicturesById(uint16_t up, uint16_t down, uint16_t third, uint16_t disabled) {
  return SetPictures(MAKEINTRESOURCEA(up), MAKEINTRESOURCEA(down), MAKEINTRESOURCEA(third),
                     MAKEINTRESOURCEA(disabled));
}

int CHotWnd::UpdatePictures(const char* up, const char* down, const char* third,
                            const char* disabled) {
  Names names{up, down, third, disabled};
  if (!m_hWnd || AllNull(names) || !LoadPictures(names, false)) return 0;
  if (!IsWindowVisible()) ShowWindow(SW_SHOW);
  Repaint();
  return 1;
}

bool CHotWnd::LoadPictures(const Names& names, bool freeMissing) {
  for (size_t i = 0; i < kStateCount; ++i) {
    if (!names[i]) {
      if (freeMissing) m_pictures[i].reset();
      continue;
    }
    auto picture = std::make_unique<CPicture>();
    if (!picture->LoadResourceByName(AfxGetResourceHandle(), names[i], -1)) {
      for (auto& held : m_pictures) held.reset();
      return false;
    }
    SetResourceKeyColour(*picture);
    m_pictures[i] = std::move(picture);
  }
  return true;
}

bool CHotWnd::HasPicture(int state) const {
  return state >= 0 && state < static_cast<int>(kStateCount) &&
         m_pictures[static_cast<size_t>(state)] != nullptr;
}

void CHotWnd::Repaint() {
  Invalidate(true);
  UpdateWindow();
}

int CHotWnd::OnCreate(LPCREATESTRUCT) {
  m_redrawEntry.Add(m_hWnd);
  return 0;
}

void CHotWnd::OnDestroy() { m_redrawEntry.Remove(); }

void CHotWnd::OnPaint() {
  CPaintDC dc(this);
  if (!HasPicture(m_state)) return;
  CPicture* picture = m_pictures[static_cast<size_t>(m_state)].get();
  RECT client;
  GetClientRect(&client);
  CAppPalette::Get().Select(&dc);
  picture->Draw(&dc, client);
  CAppPalette::Get().Restore(&dc);
}

void CHotWnd::OnLButtonDown(UINT, POINT) {
  if (m_state != kDisabled) {
    m_tracking = true;
    SetState(kDown);
  }
  Default();
}

void CHotWnd::OnMouseMove(UINT, POINT point) {
  if (!m_tracking) return;
  if (!m_captured) {
    SetCapture();
    m_captured = true;
  }
  SetState(IsOverWindow(point) ? kDown : kUp);
}

void CHotWnd::OnLButtonUp(UINT, POINT point) {
  if (!m_tracking) return;
  m_tracking = false;
  if (m_captured) {
    m_captured = false;
    ::ReleaseCapture();
  }
  if (IsOverWindow(point)) OnClicked();
  SetState(kUp);
}

bool CHotWnd::IsOverWindow(POINT clientPoint) const {
  if (!::IsWindow(m_hWnd)) return false;
  POINT screen = clientPoint;
  ClientToScreen(&screen);
  RECT window;
  GetWindowRect(&window);
  return ::PtInRect(&window, screen) != FALSE;
}
