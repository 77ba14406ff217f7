#include "CFrameWnd.h"

#include "CCmdUI.h"
#include "CDocument.h"
#include "CView.h"
#include "CWinApp.h"
#include "ModuleState.h"

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
  ON_WM_CREATE()
  ON_WM_SIZE()
  ON_WM_SETFOCUS()
  ON_WM_CLOSE()
  ON_WM_DESTROY()
  ON_WM_INITMENUPOPUP()
  ON_WM_MENUSELECT()
  ON_MESSAGE(WM_SETMESSAGESTRING, OnSetMessageString)
END_MESSAGE_MAP()

bool CFrameWnd::LoadFrame(UINT resourceId, DWORD style, CWnd* parent, CCreateContext* context) {
  HINSTANCE resources = AfxGetResourceHandle();
  m_nIDResource = resourceId;
  std::string title = AfxLoadString(resourceId);
  title = title.substr(0, title.find('\n'));
  m_hIcon = ::LoadIconA(resources, MAKEINTRESOURCEA(resourceId));
  HMENU menu = (style & WS_CHILD) ? nullptr : ::LoadMenuA(resources, MAKEINTRESOURCEA(resourceId));
  if (!CreateEx(0, nullptr, title.c_str(), style, rectDefault, parent,
                reinterpret_cast<UINT_PTR>(menu), context)) {
    if (menu) {
      ::DestroyMenu(menu);
    }
    return false;
  }
  m_hAccelTable = ::LoadAcceleratorsA(resources, MAKEINTRESOURCEA(resourceId));
  if (!context) {
    SendMessageToDescendants(WM_INITIALUPDATE);
  }
  return true;
}

bool CFrameWnd::Create(const char* className, const char* title, DWORD style, const RECT& rect,
                       CWnd* parent, UINT id, CCreateContext* context) {
  return CreateEx(0, className, title, style, rect, parent, id, context);
}

bool CFrameWnd::PreCreateWindow(CREATESTRUCTA& cs) {
  if (!cs.lpszClass) {
    cs.lpszClass = RegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW,
                                    ::LoadCursorA(nullptr, IDC_ARROW),
                                    reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), m_hIcon);
  }
  return cs.lpszClass != nullptr;
}

void CFrameWnd::PostNcDestroy() {
  CWinApp* app = AfxGetApp();
  if (app && app->m_pMainWnd == this) {
    app->m_pMainWnd = nullptr;
  }
  delete this;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT cs) {
  auto* context = static_cast<CCreateContext*>(cs->lpCreateParams);
  if (Default() == -1 || !OnCreateClient(cs, context)) {
    return -1;
  }
  RecalcLayout();
  // The status line (made by derived frames after this) starts idle.
  PostMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
  return 0;
}

bool CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* context) {
  return !context || !context->m_pNewViewClass || CreateView(context) != nullptr;
}

CWnd* CFrameWnd::CreateView(CCreateContext* context, UINT id) {
  CObject* object = context->m_pNewViewClass->CreateObject();
  if (!object || !object->IsKindOf(RUNTIME_CLASS(CWnd))) {
    delete object;
    return nullptr;
  }
  auto* view = static_cast<CWnd*>(object);
  RECT none{0, 0, 0, 0};
  if (!view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, none, this, id, context)) {
    return nullptr;  // a failed window deleted itself in PostNcDestroy
  }
  return view;
}

void CFrameWnd::RecalcLayout() {
  if (m_inRecalcLayout) {
    return;
  }
  m_inRecalcLayout = true;
  RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST);
  m_inRecalcLayout = false;
}

void CFrameWnd::OnSize(UINT type, int, int) {
  Default();
  if (type != SIZE_MINIMIZED) {
    RecalcLayout();
  }
}

void CFrameWnd::OnSetFocus(CWnd* previous) {
  if (m_pViewActive && m_pViewActive->m_hWnd) {
    m_pViewActive->SetFocus();
  } else {
    (void)previous;
    Default();
  }
}

void CFrameWnd::OnClose() {
  DestroyWindow();
}

void CFrameWnd::OnDestroy() {
  CWinApp* app = AfxGetApp();
  if (app && app->m_pMainWnd == this) {
    ::PostQuitMessage(0);
  }
  Default();
}

void CFrameWnd::ActivateFrame(int cmdShow) {
  if (cmdShow == -1) {
    cmdShow = ::IsIconic(m_hWnd) ? SW_RESTORE : SW_SHOW;
  }
  ShowWindow(cmdShow);
  if (!(GetStyle() & WS_CHILD)) {
    ::BringWindowToTop(m_hWnd);
  }
}

void CFrameWnd::InitialUpdateFrame(CDocument*, bool makeVisible) {
  if (!m_pViewActive) {
    CWnd* pane = GetDescendantWindow(AFX_IDW_PANE_FIRST);
    if (pane && pane->IsKindOf(RUNTIME_CLASS(CView))) {
      SetActiveView(static_cast<CView*>(pane));
    }
  }
  SendMessageToDescendants(WM_INITIALUPDATE);
  if (makeVisible) {
    ActivateFrame();
  }
}

void CFrameWnd::SetActiveView(CView* view) {
  m_pViewActive = view;
}

CDocument* CFrameWnd::GetActiveDocument() const {
  return m_pViewActive ? m_pViewActive->GetDocument() : nullptr;
}

bool CFrameWnd::OnCmdMsg(UINT id, UINT code, zr::MsgCall* call) {
  if (m_pViewActive && m_pViewActive->OnCmdMsg(id, code, call)) {
    return true;
  }
  if (CWnd::OnCmdMsg(id, code, call)) {
    return true;
  }
  CWinApp* app = AfxGetApp();
  return app && app->OnCmdMsg(id, code, call);
}

bool CFrameWnd::TranslateAccelerators(MSG* msg) {
  if (!m_hAccelTable || msg->message < WM_KEYFIRST || msg->message > WM_KEYLAST) {
    return false;
  }
  if (msg->hwnd != m_hWnd && !::IsChild(m_hWnd, msg->hwnd)) {
    return false;
  }
  return ::TranslateAcceleratorA(m_hWnd, m_hAccelTable, msg) != 0;
}

bool CFrameWnd::PreTranslateMessage(MSG* msg) {
  return TranslateAccelerators(msg);
}

void CFrameWnd::OnInitMenuPopup(HMENU popup, UINT, bool systemMenu) {
  if (!systemMenu) {
    CCmdUI::UpdateMenu(popup, this, true);
  }
}

void CFrameWnd::OnMenuSelect(UINT item, UINT flags, HMENU menu) {
  bool closed = flags == 0xFFFF && !menu;
  bool plainItem = !(flags & (MF_POPUP | MF_SEPARATOR | MF_SYSMENU));
  SetMessageText(closed || !plainItem ? AFX_IDS_IDLEMESSAGE : item);
}

void CFrameWnd::SetMessageText(UINT id) {
  SendMessage(WM_SETMESSAGESTRING, id);
}

void CFrameWnd::SetMessageText(const char* text) {
  SendMessage(WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>(text));
}

std::string CFrameWnd::GetMessageString(UINT id) const {
  std::string text = id == AFX_IDS_IDLEMESSAGE ? AfxLoadString(id, "Ready") : AfxLoadString(id);
  return text.substr(0, text.find('\n'));
}

LRESULT CFrameWnd::OnSetMessageString(WPARAM id, LPARAM text) {
  CWnd* bar = GetDescendantWindow(AFX_IDW_STATUS_BAR);
  if (!bar) {
    return 0;
  }
  if (id) {
    bar->SetWindowText(GetMessageString(static_cast<UINT>(id)));
  } else {
    const char* message = reinterpret_cast<const char*>(text);
    bar->SetWindowText(message ? message : "");
  }
  return 0;
}
