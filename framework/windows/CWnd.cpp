#include "CWnd.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <set>
#include <unordered_map>

#include "CCmdUI.h"
#include "CFrameWnd.h"
#include "CMenu.h"
#include "CWinApp.h"
#include "ModuleState.h"
#include "TempObjects.h"

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

const RECT CWnd::rectDefault = {CW_USEDEFAULT, CW_USEDEFAULT, 0, 0};

namespace {

std::unordered_map<HWND, CWnd*>& PermanentMap() {
  static thread_local std::unordered_map<HWND, CWnd*> map;
  return map;
}

struct CurrentMessage {
  HWND hwnd;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

thread_local CurrentMessage t_current{};
thread_local CWnd* t_creating = nullptr;
thread_local HHOOK t_hook = nullptr;

// Records the state an update handler gives a menu or accelerator command.
class EnabledProbe : public CCmdUI {
 public:
  bool enabled = true;
  void Enable(bool on) override {
    m_bEnableChanged = true;
    enabled = on;
  }
  void SetCheck(int) override {}
  void SetText(const char*) override {}
};

bool IsImeWindow(HWND hwnd) {
  char name[16] = {};
  ::GetClassNameA(hwnd, name, sizeof(name));
  return lstrcmpiA(name, "IME") == 0;
}

HWND ReflectionTarget(HWND self, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DRAWITEM: {
      auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
      return item->CtlType == ODT_MENU ? nullptr : item->hwndItem;
    }
    case WM_MEASUREITEM: {
      auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      return item->CtlType == ODT_MENU ? nullptr : ::GetDlgItem(self, static_cast<int>(item->CtlID));
    }
    case WM_COMPAREITEM:
      return reinterpret_cast<COMPAREITEMSTRUCT*>(lParam)->hwndItem;
    case WM_DELETEITEM:
      return reinterpret_cast<DELETEITEMSTRUCT*>(lParam)->hwndItem;
    default:
      if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
        return reinterpret_cast<HWND>(lParam);
      }
      (void)wParam;
      return nullptr;
  }
}

}  // namespace

LRESULT CALLBACK CreationHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND && t_creating) {
    auto hwnd = reinterpret_cast<HWND>(wParam);
    if (!IsImeWindow(hwnd)) {
      CWnd* wnd = t_creating;
      t_creating = nullptr;
      wnd->Attach(hwnd);
      wnd->m_pfnSuper = reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(
          hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FrameworkWndProc)));
    }
  }
  return ::CallNextHookEx(t_hook, code, wParam, lParam);
}

LRESULT CALLBACK FrameworkWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  CWnd* wnd = CWnd::FromHandlePermanent(hwnd);
  if (!wnd) {
    return ::DefWindowProcA(hwnd, message, wParam, lParam);
  }
  CurrentMessage saved = t_current;
  t_current = {hwnd, message, wParam, lParam};
  LRESULT result = wnd->WindowProc(message, wParam, lParam);
  t_current = saved;
  if (message == WM_NCDESTROY && CWnd::FromHandlePermanent(hwnd) == wnd) {
    wnd->UnsubclassWindow();
    wnd->PostNcDestroy();
  }
  return result;
}

CWnd::~CWnd() {
  if (m_hWnd && FromHandlePermanent(m_hWnd) == this) {
    ::DestroyWindow(m_hWnd);
    if (m_hWnd) {
      Detach();
    }
  }
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd) {
  auto& map = PermanentMap();
  auto it = map.find(hwnd);
  return it == map.end() ? nullptr : it->second;
}

CWnd* CWnd::FromHandle(HWND hwnd) {
  if (!hwnd) {
    return nullptr;
  }
  if (CWnd* wnd = FromHandlePermanent(hwnd)) {
    return wnd;
  }
  static thread_local zr::TempMap<CWnd, HWND> temps;
  return temps.Get(hwnd, [](HWND h) {
    auto wnd = std::make_unique<CWnd>();
    wnd->m_hWnd = h;
    return wnd;
  });
}

bool CWnd::Attach(HWND hwnd) {
  if (!hwnd || m_hWnd || FromHandlePermanent(hwnd)) {
    return false;
  }
  m_hWnd = hwnd;
  PermanentMap()[hwnd] = this;
  return true;
}

HWND CWnd::Detach() {
  HWND hwnd = m_hWnd;
  if (hwnd) {
    PermanentMap().erase(hwnd);
    m_hWnd = nullptr;
  }
  return hwnd;
}

bool CWnd::SubclassWindow(HWND hwnd) {
  if (!Attach(hwnd)) {
    return false;
  }
  m_pfnSuper = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FrameworkWndProc)));
  return true;
}

bool CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
  HWND control = ::GetDlgItem(parent->m_hWnd, static_cast<int>(id));
  return control && SubclassWindow(control);
}

HWND CWnd::UnsubclassWindow() {
  if (m_pfnSuper && m_hWnd) {
    ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
  }
  m_pfnSuper = nullptr;
  return Detach();
}

void CWnd::RunWithCreationHook(const std::function<void()>& create) {
  if (!t_hook) {
    t_hook = ::SetWindowsHookExA(WH_CBT, &CreationHook, nullptr, ::GetCurrentThreadId());
  }
  CWnd* outer = t_creating;
  t_creating = this;
  create();
  t_creating = outer;
}

bool CWnd::CreateEx(DWORD exStyle, const char* className, const char* title, DWORD style,
                    const RECT& rect, CWnd* parent, UINT_PTR idOrMenu, void* param) {
  CREATESTRUCTA cs{};
  cs.dwExStyle = exStyle;
  cs.lpszClass = className;
  cs.lpszName = title;
  cs.style = static_cast<LONG>(style);
  if (rect.left == CW_USEDEFAULT) {
    cs.x = cs.y = cs.cx = cs.cy = CW_USEDEFAULT;
  } else {
    cs.x = rect.left;
    cs.y = rect.top;
    cs.cx = rect.right - rect.left;
    cs.cy = rect.bottom - rect.top;
  }
  cs.hwndParent = parent ? parent->m_hWnd : nullptr;
  cs.hMenu = reinterpret_cast<HMENU>(idOrMenu);
  cs.hInstance = AfxGetInstanceHandle();
  cs.lpCreateParams = param;
  if (!PreCreateWindow(cs)) {
    PostNcDestroy();
    return false;
  }
  HWND hwnd = nullptr;
  RunWithCreationHook([&] {
    hwnd = ::CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, static_cast<DWORD>(cs.style),
                             cs.x, cs.y, cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance,
                             cs.lpCreateParams);
  });
  return hwnd != nullptr;
}

bool CWnd::Create(const char* className, const char* title, DWORD style, const RECT& rect,
                  CWnd* parent, UINT id, CCreateContext* context) {
  return CreateEx(0, className, title, style | WS_CHILD, rect, parent, id, context);
}

bool CWnd::DestroyWindow() {
  return m_hWnd && ::DestroyWindow(m_hWnd);
}

bool CWnd::PreCreateWindow(CREATESTRUCTA& cs) {
  if (!cs.lpszClass) {
    cs.lpszClass = DefaultWndClass();
  }
  return true;
}

void CWnd::PostNcDestroy() {}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (!OnWndMsg(message, wParam, lParam, &result)) {
    result = DefWindowProc(message, wParam, lParam);
  }
  return result;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (m_pfnSuper) {
    return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
  }
  return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() {
  return DefWindowProc(t_current.message, t_current.wParam, t_current.lParam);
}

bool CWnd::PreTranslateMessage(MSG*) {
  return false;
}

bool CWnd::WalkPreTranslateTree(MSG* msg) {
  for (HWND hwnd = msg->hwnd; hwnd; hwnd = ::GetParent(hwnd)) {
    CWnd* wnd = FromHandlePermanent(hwnd);
    if (wnd && wnd->PreTranslateMessage(msg)) {
      return true;
    }
    if (!(::GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD)) {
      break;
    }
  }
  return false;
}

bool CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (message == WM_COMMAND) {
    return OnCommand(wParam, lParam);
  }
  if (message == WM_NOTIFY) {
    return OnNotify(wParam, lParam, result);
  }
  if (ReflectToChild(message, wParam, lParam, result)) {
    return true;
  }
  const zr::MsgEntry* entry = zr::FindEntry(GetMessageMap(), message, 0, 0);
  if (!entry) {
    return false;
  }
  zr::MsgCall call;
  call.message = message;
  call.wParam = wParam;
  call.lParam = lParam;
  entry->thunk(this, call);
  *result = call.result;
  return true;
}

bool CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  UINT id = LOWORD(wParam);
  UINT code = HIWORD(wParam);
  if (lParam == 0) {
    // Menus and accelerators: a command the interface shows disabled (or
    // that nothing handles) does not run.
    code = 0;
    EnabledProbe probe;
    probe.m_nID = id;
    probe.DoUpdate(this, true);
    if (!probe.enabled) {
      return true;
    }
  }
  zr::MsgCall call;
  call.message = WM_COMMAND;
  call.wParam = wParam;
  call.lParam = lParam;
  return OnCmdMsg(id, code, &call);
}

bool CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
  auto* header = reinterpret_cast<NMHDR*>(lParam);
  const zr::MsgEntry* entry = zr::FindEntry(GetMessageMap(), WM_NOTIFY, header->code,
                                            static_cast<UINT>(header->idFrom));
  if (!entry) {
    return false;
  }
  zr::MsgCall call;
  call.message = WM_NOTIFY;
  call.wParam = wParam;
  call.lParam = lParam;
  call.id = static_cast<UINT>(header->idFrom);
  entry->thunk(this, call);
  *result = call.result;
  return true;
}

bool CWnd::ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  HWND target = ReflectionTarget(m_hWnd, message, wParam, lParam);
  CWnd* child = target ? FromHandlePermanent(target) : nullptr;
  return child && child != this && child->OnChildNotify(message, wParam, lParam, result);
}

bool CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  return ReflectChildNotify(message, wParam, lParam, result);
}

bool CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  bool colour = message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
  UINT key = colour ? zr::kReflectCtlColor : zr::kReflectBase + message;
  const zr::MsgEntry* entry = zr::FindEntry(GetMessageMap(), key, 0, 0);
  if (!entry) {
    return false;
  }
  zr::MsgCall call;
  call.message = message;
  call.wParam = wParam;
  call.lParam = lParam;
  entry->thunk(this, call);
  if (colour && call.result == 0) {
    return false;  // no brush: the parent answers
  }
  *result = call.result;
  return true;
}

CWnd* CWnd::GetParent() const {
  return FromHandle(::GetParent(m_hWnd));
}

CFrameWnd* CWnd::GetParentFrame() const {
  for (HWND hwnd = ::GetParent(m_hWnd); hwnd; hwnd = ::GetParent(hwnd)) {
    CWnd* wnd = FromHandlePermanent(hwnd);
    if (wnd && wnd->IsKindOf(RUNTIME_CLASS(CFrameWnd))) {
      return static_cast<CFrameWnd*>(wnd);
    }
  }
  return nullptr;
}

CWnd* CWnd::GetDlgItem(int id) const {
  return FromHandle(::GetDlgItem(m_hWnd, id));
}

CWnd* CWnd::GetDescendantWindow(int id) const {
  if (HWND direct = ::GetDlgItem(m_hWnd, id)) {
    return FromHandle(direct);
  }
  for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (CWnd* found = FromHandle(child)->GetDescendantWindow(id)) {
      return found;
    }
  }
  return nullptr;
}

int CWnd::GetDlgCtrlID() const {
  return ::GetDlgCtrlID(m_hWnd);
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam) const {
  for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    ::SendMessageA(child, message, wParam, lParam);
    if (::IsWindow(child)) {
      FromHandle(child)->SendMessageToDescendants(message, wParam, lParam);
    }
  }
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
  return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

bool CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
  return ::PostMessageA(m_hWnd, message, wParam, lParam) != FALSE;
}

bool CWnd::ShowWindow(int cmdShow) {
  return ::ShowWindow(m_hWnd, cmdShow) != FALSE;
}

bool CWnd::IsWindowVisible() const {
  return ::IsWindowVisible(m_hWnd) != FALSE;
}

bool CWnd::EnableWindow(bool enable) {
  return ::EnableWindow(m_hWnd, enable) != FALSE;
}

bool CWnd::IsWindowEnabled() const {
  return ::IsWindowEnabled(m_hWnd) != FALSE;
}

void CWnd::MoveWindow(int x, int y, int width, int height, bool repaint) {
  ::MoveWindow(m_hWnd, x, y, width, height, repaint);
}

void CWnd::MoveWindow(const RECT& rect, bool repaint) {
  MoveWindow(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, repaint);
}

bool CWnd::SetWindowPos(HWND after, int x, int y, int cx, int cy, UINT flags) {
  return ::SetWindowPos(m_hWnd, after, x, y, cx, cy, flags) != FALSE;
}

void CWnd::GetClientRect(RECT* rect) const {
  ::GetClientRect(m_hWnd, rect);
}

void CWnd::GetWindowRect(RECT* rect) const {
  ::GetWindowRect(m_hWnd, rect);
}

void CWnd::ScreenToClient(RECT* rect) const {
  ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(rect), 2);
}

void CWnd::ClientToScreen(POINT* point) const {
  ::ClientToScreen(m_hWnd, point);
}

void CWnd::Invalidate(bool erase) {
  ::InvalidateRect(m_hWnd, nullptr, erase);
}

void CWnd::UpdateWindow() {
  ::UpdateWindow(m_hWnd);
}

void CWnd::SetWindowText(const std::string& text) {
  ::SetWindowTextA(m_hWnd, text.c_str());
}

std::string CWnd::GetWindowText() const {
  int length = ::GetWindowTextLengthA(m_hWnd);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  int copied = ::GetWindowTextA(m_hWnd, text.data(), length + 1);
  text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
  return text;
}

void CWnd::SetDlgItemText(int id, const std::string& text) {
  ::SetDlgItemTextA(m_hWnd, id, text.c_str());
}

std::string CWnd::GetDlgItemText(int id) const {
  HWND control = ::GetDlgItem(m_hWnd, id);
  return control ? FromHandle(control)->GetWindowText() : std::string();
}

CWnd* CWnd::SetFocus() {
  return FromHandle(::SetFocus(m_hWnd));
}

CWnd* CWnd::GetFocus() {
  return FromHandle(::GetFocus());
}

DWORD CWnd::GetStyle() const {
  return static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_STYLE));
}

DWORD CWnd::GetExStyle() const {
  return static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_EXSTYLE));
}

bool CWnd::ModifyStyle(DWORD remove, DWORD add, UINT swpFlags) {
  DWORD style = GetStyle();
  DWORD updated = (style & ~remove) | add;
  if (style == updated) {
    return false;
  }
  ::SetWindowLongA(m_hWnd, GWL_STYLE, static_cast<LONG>(updated));
  if (swpFlags) {
    SetWindowPos(nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | swpFlags);
  }
  return true;
}

UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT elapseMs, TIMERPROC proc) {
  return ::SetTimer(m_hWnd, id, elapseMs, proc);
}

bool CWnd::KillTimer(UINT_PTR id) {
  return ::KillTimer(m_hWnd, id) != FALSE;
}

void CWnd::CenterWindow(CWnd* alternateOwner) {
  RECT area{};
  HWND over = alternateOwner ? alternateOwner->m_hWnd : nullptr;
  bool child = (GetStyle() & WS_CHILD) != 0;
  if (child) {
    ::GetClientRect(::GetParent(m_hWnd), &area);
  } else {
    if (!over) {
      over = ::GetWindow(m_hWnd, GW_OWNER);
    }
    if (over && ::IsWindowVisible(over) && !::IsIconic(over)) {
      ::GetWindowRect(over, &area);
    } else {
      ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    }
  }
  RECT self{};
  ::GetWindowRect(m_hWnd, &self);
  int width = self.right - self.left;
  int height = self.bottom - self.top;
  int x = area.left + (area.right - area.left - width) / 2;
  int y = area.top + (area.bottom - area.top - height) / 2;
  if (!child) {
    RECT work{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    x = std::max<int>(work.left, std::min<int>(x, work.right - width));
    y = std::max<int>(work.top, std::min<int>(y, work.bottom - height));
  }
  SetWindowPos(nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

CMenu* CWnd::GetMenu() const {
  return CMenu::FromHandle(::GetMenu(m_hWnd));
}

bool CWnd::SetMenu(CMenu* menu) {
  return ::SetMenu(m_hWnd, menu ? menu->m_hMenu : nullptr) != FALSE;
}

void CWnd::DrawMenuBar() {
  ::DrawMenuBar(m_hWnd);
}

int CWnd::MessageBox(const char* text, const char* caption, UINT type) {
  std::string title = caption ? std::string(caption) : AfxGetAppTitle();
  return ::MessageBoxA(m_hWnd, text, title.c_str(), type);
}

CWnd* CWnd::SetCapture() {
  return FromHandle(::SetCapture(m_hWnd));
}

const char* CWnd::RegisterWndClass(UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon) {
  static std::set<std::string> names;
  char name[96];
  std::snprintf(name, sizeof(name), "ZrWnd:%x:%p:%p:%p", classStyle, static_cast<void*>(cursor),
                static_cast<void*>(background), static_cast<void*>(icon));
  auto [it, added] = names.insert(name);
  if (added) {
    WNDCLASSA wc{};
    wc.style = classStyle;
    wc.lpfnWndProc = &::DefWindowProcA;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hCursor = cursor;
    wc.hbrBackground = background;
    wc.hIcon = icon;
    wc.lpszClassName = it->c_str();
    if (!::RegisterClassA(&wc) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
      names.erase(it);
      return nullptr;
    }
  }
  return it->c_str();
}

bool CWnd::RegisterClassCopy(const char* baseName, const char* newName, HICON icon) {
  HINSTANCE instance = AfxGetInstanceHandle();
  WNDCLASSA wc{};
  if (::GetClassInfoA(instance, newName, &wc)) {
    return true;
  }
  if (!::GetClassInfoA(instance, baseName, &wc) && !::GetClassInfoA(nullptr, baseName, &wc)) {
    return false;
  }
  wc.hInstance = instance;
  wc.hIcon = icon;
  wc.lpszClassName = newName;
  return ::RegisterClassA(&wc) != 0;
}

const char* CWnd::DefaultWndClass() {
  return RegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW),
                          reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
}

void CWnd::RepositionBars(UINT first, UINT last, UINT leftOver) {
  SizeParentParams layout{};
  GetClientRect(&layout.rect);
  layout.bStretch = TRUE;
  layout.hDWP = ::BeginDeferWindowPos(8);
  HWND leftOverWnd = nullptr;
  for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    auto id = static_cast<UINT>(::GetDlgCtrlID(child));
    if (id == leftOver) {
      leftOverWnd = child;
    } else if (id >= first && id <= last) {
      ::SendMessageA(child, WM_SIZEPARENT, 0, reinterpret_cast<LPARAM>(&layout));
    }
  }
  if (leftOverWnd) {
    RECT rest = layout.rect;
    rest.right = std::max(rest.left, rest.right);
    rest.bottom = std::max(rest.top, rest.bottom);
    RepositionWindow(&layout, leftOverWnd, rest);
  }
  if (layout.hDWP) {
    ::EndDeferWindowPos(layout.hDWP);
  }
}

void CWnd::RepositionWindow(SizeParentParams* layout, HWND hwnd, const RECT& rect) {
  constexpr UINT kFlags = SWP_NOACTIVATE | SWP_NOZORDER;
  int width = rect.right - rect.left;
  int height = rect.bottom - rect.top;
  if (layout && layout->hDWP) {
    layout->hDWP = ::DeferWindowPos(layout->hDWP, hwnd, nullptr, rect.left, rect.top, width,
                                    height, kFlags);
    if (layout->hDWP) {
      return;
    }
  }
  ::SetWindowPos(hwnd, nullptr, rect.left, rect.top, width, height, kFlags);
}
