// A window object bound to a window handle. Messages reach the object through
// the framework's window procedure and its message map; anything the map
// does not handle goes to the window's original procedure.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "CCmdTarget.h"
#include "FrameworkIds.h"

class CFrameWnd;
class CMenu;
struct CCreateContext;

class CWnd : public CCmdTarget {
  DECLARE_DYNCREATE(CWnd)

 public:
  CWnd() = default;
  ~CWnd() override;

  HWND m_hWnd = nullptr;
  HWND GetSafeHwnd() const { return m_hWnd; }
  operator HWND() const { return GetSafeHwnd(); }

  // The permanent object of a window, or a temporary one valid until idle.
  static CWnd* FromHandle(HWND hwnd);
  // The permanent object only; null for windows the framework does not hold.
  static CWnd* FromHandlePermanent(HWND hwnd);

  bool Attach(HWND hwnd);
  HWND Detach();
  // Routes the messages of an existing window through this object.
  bool SubclassWindow(HWND hwnd);
  bool SubclassDlgItem(UINT id, CWnd* parent);
  HWND UnsubclassWindow();

  // Creates a window; the object receives its messages from the first one on.
  virtual bool CreateEx(DWORD exStyle, const char* className, const char* title, DWORD style,
                        const RECT& rect, CWnd* parent, UINT_PTR idOrMenu, void* param = nullptr);
  virtual bool Create(const char* className, const char* title, DWORD style, const RECT& rect,
                      CWnd* parent, UINT id, CCreateContext* context = nullptr);
  virtual bool DestroyWindow();

  // Message processing.
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual bool PreTranslateMessage(MSG* msg);
  virtual bool PreCreateWindow(CREATESTRUCTA& cs);
  // Called after the window's last message; self-deleting windows delete
  // themselves here.
  virtual void PostNcDestroy();
  // A message from a child control that the control object may take first
  // (owner-draw and colour messages); true when it answered.
  virtual bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
  // Default processing of the message being handled.
  LRESULT Default();

  // Walks from msg's window through its parents to its top-level window,
  // giving each object PreTranslateMessage.
  static bool WalkPreTranslateTree(MSG* msg);

  // Frequently used window operations.
  CWnd* GetParent() const;
  CFrameWnd* GetParentFrame() const;
  CWnd* GetDlgItem(int id) const;
  CWnd* GetDescendantWindow(int id) const;
  int GetDlgCtrlID() const;
  void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  bool PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  bool ShowWindow(int cmdShow);
  bool IsWindowVisible() const;
  bool EnableWindow(bool enable = true);
  bool IsWindowEnabled() const;
  void MoveWindow(int x, int y, int width, int height, bool repaint = true);
  void MoveWindow(const RECT& rect, bool repaint = true);
  bool SetWindowPos(HWND after, int x, int y, int cx, int cy, UINT flags);
  void GetClientRect(RECT* rect) const;
  void GetWindowRect(RECT* rect) const;
  void ScreenToClient(RECT* rect) const;
  void ClientToScreen(POINT* point) const;
  void Invalidate(bool erase = true);
  void UpdateWindow();
  void SetWindowText(const std::string& text);
  std::string GetWindowText() const;
  void SetDlgItemText(int id, const std::string& text);
  std::string GetDlgItemText(int id) const;
  CWnd* SetFocus();
  static CWnd* GetFocus();
  DWORD GetStyle() const;
  DWORD GetExStyle() const;
  bool ModifyStyle(DWORD remove, DWORD add, UINT swpFlags = 0);
  UINT_PTR SetTimer(UINT_PTR id, UINT elapseMs, TIMERPROC proc = nullptr);
  bool KillTimer(UINT_PTR id);
  void CenterWindow(CWnd* alternateOwner = nullptr);
  CMenu* GetMenu() const;
  bool SetMenu(CMenu* menu);
  void DrawMenuBar();
  int MessageBox(const char* text, const char* caption = nullptr, UINT type = MB_OK);
  CWnd* SetCapture();

  // Frame layout: every child with an id in [first, last] takes its space
  // from the client area through WM_SIZEPARENT; the child leftOver gets the
  // rest.
  void RepositionBars(UINT first, UINT last, UINT leftOver);
  // Moves hwnd to rect as part of the layout in progress.
  static void RepositionWindow(SizeParentParams* layout, HWND hwnd, const RECT& rect);
  // The position of default-placed top-level windows.
  static const RECT rectDefault;

  // Registers a window class with the framework's defaults and the given
  // options; returns its (stable) name.
  static const char* RegisterWndClass(UINT classStyle, HCURSOR cursor = nullptr,
                                      HBRUSH background = nullptr, HICON icon = nullptr);
  // Registers newName as a copy of baseName with another icon.
  static bool RegisterClassCopy(const char* baseName, const char* newName, HICON icon);

 protected:
  // Looks the message up in the message map; true when a handler ran.
  virtual bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
  // WM_COMMAND: control notifications and commands.
  virtual bool OnCommand(WPARAM wParam, LPARAM lParam);
  // WM_NOTIFY from a child.
  virtual bool OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
  // Looks up a reflected message in this control's own map.
  bool ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

  static const char* DefaultWndClass();
  // Runs create (which makes one window through any system call); the
  // first window it makes becomes this object's.
  void RunWithCreationHook(const std::function<void()>& create);

  WNDPROC m_pfnSuper = nullptr;

 private:
  friend LRESULT CALLBACK FrameworkWndProc(HWND, UINT, WPARAM, LPARAM);
  friend LRESULT CALLBACK CreationHook(int, WPARAM, LPARAM);
  bool ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
};

LRESULT CALLBACK FrameworkWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
