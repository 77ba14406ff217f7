// Static message maps. Each class that handles messages lists its entries
// between BEGIN_MESSAGE_MAP and END_MESSAGE_MAP; a lookup walks the class's
// own table, then its base class's, up to CCmdTarget. Every entry carries a
// small thunk that unpacks the message and calls the member function, so
// handlers keep their natural signatures and are checked by the compiler.
#pragma once
#include <windows.h>

class CCmdTarget;
class CCmdUI;
class CDC;
class CWnd;

namespace zr {

// One message (or command) on its way to a handler.
struct MsgCall {
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  LRESULT result = 0;
  UINT id = 0;             // command or control id
  CCmdUI* cmdUI = nullptr;  // set for command-UI updates
};

using MsgThunk = void (*)(CCmdTarget* target, MsgCall& call);

// message: the window message; for commands WM_COMMAND (code = notification
// code, or kCodeUpdateUI), for notifications WM_NOTIFY; for messages
// reflected to a control kReflectBase + message. Window messages ignore
// code and the id range.
struct MsgEntry {
  UINT message;
  UINT code;
  UINT idFirst;
  UINT idLast;
  MsgThunk thunk;
};

struct MessageMap {
  const MessageMap* (*base)();
  const MsgEntry* entries;
};

constexpr UINT kCodeUpdateUI = 0xFFFFFFFFu;
constexpr UINT kReflectBase = 0xBC00;
// Every WM_CTLCOLOR* kind is reflected under this one key.
constexpr UINT kReflectCtlColor = kReflectBase + WM_CTLCOLORSTATIC;

// The entry for a message (code and id matter for WM_COMMAND and
// WM_NOTIFY), searching base maps too.
const MsgEntry* FindEntry(const MessageMap* map, UINT message, UINT code, UINT id);

CWnd* WndFromLParam(LPARAM lParam);
CDC* DCFromWParam(WPARAM wParam);

}  // namespace zr

#define DECLARE_MESSAGE_MAP()                                      \
 protected:                                                        \
  static const ::zr::MessageMap* GetThisMessageMap();              \
  const ::zr::MessageMap* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                 \
  const ::zr::MessageMap* theClass::GetMessageMap() const {                    \
    return GetThisMessageMap();                                                \
  }                                                                            \
  const ::zr::MessageMap* theClass::GetThisMessageMap() {                      \
    using ThisClass [[maybe_unused]] = theClass;                               \
    using TheBaseClass = baseClass;                                            \
    static const ::zr::MsgEntry entries[] = {
#define END_MESSAGE_MAP()                                                      \
  {0, 0, 0, 0, nullptr}};                                                      \
  static const ::zr::MessageMap map = {&TheBaseClass::GetThisMessageMap, entries}; \
  return &map;                                                                 \
  }

// The thunk: `self` is the target as the class that declared the map.
#define ZR_THUNK(body)                                              \
  [](::CCmdTarget* zrTarget, ::zr::MsgCall& call) {                 \
    auto* self = static_cast<ThisClass*>(zrTarget);                 \
    (void)call;                                                     \
    body;                                                           \
  }
#define ZR_MSG(msg, body) {msg, 0, 0, 0, ZR_THUNK(body)},

// Any message: LRESULT fn(WPARAM, LPARAM).
#define ON_MESSAGE(msg, fn) ZR_MSG(msg, call.result = self->fn(call.wParam, call.lParam))

// Commands from menus, accelerators and buttons.
#define ON_COMMAND(id, fn) {WM_COMMAND, 0, id, id, ZR_THUNK(self->fn())},
#define ON_COMMAND_RANGE(first, last, fn) \
  {WM_COMMAND, 0, first, last, ZR_THUNK(self->fn(call.id))},
#define ON_UPDATE_COMMAND_UI(id, fn) \
  {WM_COMMAND, ::zr::kCodeUpdateUI, id, id, ZR_THUNK(self->fn(call.cmdUI))},
#define ON_UPDATE_COMMAND_UI_RANGE(first, last, fn) \
  {WM_COMMAND, ::zr::kCodeUpdateUI, first, last, ZR_THUNK(self->fn(call.cmdUI))},

// Control notifications through WM_COMMAND and WM_NOTIFY.
#define ON_CONTROL(code, id, fn) {WM_COMMAND, code, id, id, ZR_THUNK(self->fn())},
#define ON_BN_CLICKED(id, fn) ON_CONTROL(BN_CLICKED, id, fn)
#define ON_EN_CHANGE(id, fn) ON_CONTROL(EN_CHANGE, id, fn)
#define ON_EN_KILLFOCUS(id, fn) ON_CONTROL(EN_KILLFOCUS, id, fn)
#define ON_LBN_SELCHANGE(id, fn) ON_CONTROL(LBN_SELCHANGE, id, fn)
#define ON_LBN_DBLCLK(id, fn) ON_CONTROL(LBN_DBLCLK, id, fn)
#define ON_NOTIFY(code, id, fn)                                                 \
  {WM_NOTIFY, static_cast<UINT>(code), id, id,                                  \
   ZR_THUNK(self->fn(reinterpret_cast<NMHDR*>(call.lParam), &call.result))},

// Messages reflected from the parent to the control object.
#define ON_WM_DRAWITEM_REFLECT() \
  ZR_MSG(::zr::kReflectBase + WM_DRAWITEM, self->DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(call.lParam)); call.result = TRUE)
#define ON_WM_MEASUREITEM_REFLECT() \
  ZR_MSG(::zr::kReflectBase + WM_MEASUREITEM, self->MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(call.lParam)); call.result = TRUE)
#define ON_WM_COMPAREITEM_REFLECT() \
  ZR_MSG(::zr::kReflectBase + WM_COMPAREITEM, call.result = self->CompareItem(reinterpret_cast<LPCOMPAREITEMSTRUCT>(call.lParam)))
// HBRUSH CtlColor(CDC*, UINT ctlColor): a null brush lets the parent answer.
#define ON_WM_CTLCOLOR_REFLECT() \
  ZR_MSG(::zr::kReflectCtlColor, call.result = reinterpret_cast<LRESULT>(self->CtlColor(::zr::DCFromWParam(call.wParam), call.message - WM_CTLCOLORMSGBOX)))

// Window messages with unpacked parameters.
#define ON_WM_CREATE() ZR_MSG(WM_CREATE, call.result = self->OnCreate(reinterpret_cast<LPCREATESTRUCT>(call.lParam)))
#define ON_WM_DESTROY() ZR_MSG(WM_DESTROY, self->OnDestroy())
#define ON_WM_CLOSE() ZR_MSG(WM_CLOSE, self->OnClose())
#define ON_WM_SIZE() ZR_MSG(WM_SIZE, self->OnSize(static_cast<UINT>(call.wParam), LOWORD(call.lParam), HIWORD(call.lParam)))
#define ON_WM_MOVE() ZR_MSG(WM_MOVE, self->OnMove(static_cast<short>(LOWORD(call.lParam)), static_cast<short>(HIWORD(call.lParam))))
#define ON_WM_PAINT() ZR_MSG(WM_PAINT, self->OnPaint())
#define ON_WM_ERASEBKGND() ZR_MSG(WM_ERASEBKGND, call.result = self->OnEraseBkgnd(::zr::DCFromWParam(call.wParam)))
#define ON_WM_TIMER() ZR_MSG(WM_TIMER, self->OnTimer(static_cast<UINT_PTR>(call.wParam)))
#define ON_WM_SETFOCUS() ZR_MSG(WM_SETFOCUS, self->OnSetFocus(::zr::WndFromLParam(static_cast<LPARAM>(call.wParam))))
#define ON_WM_KILLFOCUS() ZR_MSG(WM_KILLFOCUS, self->OnKillFocus(::zr::WndFromLParam(static_cast<LPARAM>(call.wParam))))
#define ZR_MOUSE(msg, fn) \
  ZR_MSG(msg, self->fn(static_cast<UINT>(call.wParam), POINT{static_cast<short>(LOWORD(call.lParam)), static_cast<short>(HIWORD(call.lParam))}))
#define ON_WM_LBUTTONDOWN() ZR_MOUSE(WM_LBUTTONDOWN, OnLButtonDown)
#define ON_WM_LBUTTONUP() ZR_MOUSE(WM_LBUTTONUP, OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() ZR_MOUSE(WM_LBUTTONDBLCLK, OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() ZR_MOUSE(WM_RBUTTONDOWN, OnRButtonDown)
#define ON_WM_MOUSEMOVE() ZR_MOUSE(WM_MOUSEMOVE, OnMouseMove)
#define ON_WM_CANCELMODE() ZR_MSG(WM_CANCELMODE, self->OnCancelMode())
#define ON_WM_SETCURSOR() \
  ZR_MSG(WM_SETCURSOR, call.result = self->OnSetCursor(::zr::WndFromLParam(static_cast<LPARAM>(call.wParam)), LOWORD(call.lParam), HIWORD(call.lParam)))
#define ON_WM_INITMENUPOPUP() \
  ZR_MSG(WM_INITMENUPOPUP, self->OnInitMenuPopup(reinterpret_cast<HMENU>(call.wParam), LOWORD(call.lParam), HIWORD(call.lParam) != 0))
#define ON_WM_MENUSELECT() \
  ZR_MSG(WM_MENUSELECT, self->OnMenuSelect(LOWORD(call.wParam), HIWORD(call.wParam), reinterpret_cast<HMENU>(call.lParam)))
#define ON_WM_DRAWITEM() \
  ZR_MSG(WM_DRAWITEM, self->OnDrawItem(static_cast<int>(call.wParam), reinterpret_cast<LPDRAWITEMSTRUCT>(call.lParam)); call.result = TRUE)
#define ON_WM_MEASUREITEM() \
  ZR_MSG(WM_MEASUREITEM, self->OnMeasureItem(static_cast<int>(call.wParam), reinterpret_cast<LPMEASUREITEMSTRUCT>(call.lParam)); call.result = TRUE)
// HBRUSH OnCtlColor(CDC*, CWnd* control, UINT ctlColor) for every control kind.
#define ZR_CTLCOLOR(msg) \
  ZR_MSG(msg, call.result = reinterpret_cast<LRESULT>(self->OnCtlColor(::zr::DCFromWParam(call.wParam), ::zr::WndFromLParam(call.lParam), msg - WM_CTLCOLORMSGBOX)))
#define ON_WM_CTLCOLOR()                                                       \
  ZR_CTLCOLOR(WM_CTLCOLORMSGBOX) ZR_CTLCOLOR(WM_CTLCOLOREDIT)                  \
  ZR_CTLCOLOR(WM_CTLCOLORLISTBOX) ZR_CTLCOLOR(WM_CTLCOLORBTN)                  \
  ZR_CTLCOLOR(WM_CTLCOLORDLG) ZR_CTLCOLOR(WM_CTLCOLORSCROLLBAR)                \
  ZR_CTLCOLOR(WM_CTLCOLORSTATIC)
#define ZR_SCROLL(msg, fn) \
  ZR_MSG(msg, self->fn(LOWORD(call.wParam), HIWORD(call.wParam), ::zr::WndFromLParam(call.lParam)))
#define ON_WM_HSCROLL() ZR_SCROLL(WM_HSCROLL, OnHScroll)
#define ON_WM_VSCROLL() ZR_SCROLL(WM_VSCROLL, OnVScroll)
#define ZR_KEY(msg, fn) \
  ZR_MSG(msg, self->fn(static_cast<UINT>(call.wParam), LOWORD(call.lParam), HIWORD(call.lParam)))
#define ON_WM_KEYDOWN() ZR_KEY(WM_KEYDOWN, OnKeyDown)
#define ON_WM_CHAR() ZR_KEY(WM_CHAR, OnChar)
#define ON_WM_RBUTTONUP() ZR_MOUSE(WM_RBUTTONUP, OnRButtonUp)
#define ON_WM_CONTEXTMENU() \
  ZR_MSG(WM_CONTEXTMENU, self->OnContextMenu(::zr::WndFromLParam(static_cast<LPARAM>(call.wParam)), POINT{static_cast<short>(LOWORD(call.lParam)), static_cast<short>(HIWORD(call.lParam))}))
#define ON_WM_ACTIVATE() \
  ZR_MSG(WM_ACTIVATE, self->OnActivate(LOWORD(call.wParam), ::zr::WndFromLParam(call.lParam), HIWORD(call.wParam) != 0))
#define ON_WM_SHOWWINDOW() ZR_MSG(WM_SHOWWINDOW, self->OnShowWindow(call.wParam != 0, static_cast<UINT>(call.lParam)))
#define ON_WM_NCPAINT() ZR_MSG(WM_NCPAINT, self->OnNcPaint())
#define ON_WM_NCLBUTTONDOWN() \
  ZR_MSG(WM_NCLBUTTONDOWN, self->OnNcLButtonDown(static_cast<UINT>(call.wParam), POINT{static_cast<short>(LOWORD(call.lParam)), static_cast<short>(HIWORD(call.lParam))}))
#define ON_WM_QUERYENDSESSION() ZR_MSG(WM_QUERYENDSESSION, call.result = self->OnQueryEndSession())
#define ON_WM_COPYDATA() \
  ZR_MSG(WM_COPYDATA, call.result = self->OnCopyData(::zr::WndFromLParam(static_cast<LPARAM>(call.wParam)), reinterpret_cast<COPYDATASTRUCT*>(call.lParam)))
#define ON_WM_PALETTECHANGED() \
  ZR_MSG(WM_PALETTECHANGED, self->OnPaletteChanged(::zr::WndFromLParam(static_cast<LPARAM>(call.wParam))))
#define ON_WM_QUERYNEWPALETTE() ZR_MSG(WM_QUERYNEWPALETTE, call.result = self->OnQueryNewPalette())
#define ON_WM_CAPTURECHANGED() ZR_MSG(WM_CAPTURECHANGED, self->OnCaptureChanged(::zr::WndFromLParam(call.lParam)))
