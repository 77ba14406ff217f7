#include "CDialog.h"

#include "CDataExchange.h"
#include "CFrameWnd.h"
#include "CWinApp.h"
#include "ModuleState.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
  ON_MESSAGE(WM_INITDIALOG, OnInitDialogMessage)
  ON_COMMAND(IDOK, OnOK)
  ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

namespace {

// The dialog procedure of framework dialogs: the object's message map
// handles everything, so the dialog manager's defaults apply to the rest.
INT_PTR CALLBACK DefaultDialogProc(HWND, UINT, WPARAM, LPARAM) {
  return FALSE;
}

}  // namespace

CDialog::CDialog(UINT templateId, CWnd* parent) : m_nIDTemplate(templateId), m_pParentWnd(parent) {}

bool CDialog::CreateFromTemplate(UINT templateId, HWND parent) {
  HINSTANCE resources = AfxGetResourceHandle();
  HRSRC found = ::FindResourceA(resources, MAKEINTRESOURCEA(templateId), MAKEINTRESOURCEA(5));
  HGLOBAL loaded = found ? ::LoadResource(resources, found) : nullptr;
  auto* dialogTemplate = loaded ? static_cast<LPCDLGTEMPLATEA>(::LockResource(loaded)) : nullptr;
  if (!dialogTemplate) {
    return false;
  }
  m_nIDTemplate = templateId;
  HWND hwnd = nullptr;
  RunWithCreationHook([&] {
    hwnd = ::CreateDialogIndirectParamA(resources, dialogTemplate, parent, &DefaultDialogProc, 0);
  });
  return hwnd != nullptr;
}

bool CDialog::Create(UINT templateId, CWnd* parent) {
  m_pParentWnd = parent;
  return CreateFromTemplate(templateId, parent ? parent->m_hWnd : nullptr);
}

INT_PTR CDialog::DoModal() {
  HWND owner = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
  if (!owner && AfxGetMainWnd()) {
    owner = AfxGetMainWnd()->m_hWnd;
  }
  if (owner) {
    owner = ::GetAncestor(owner, GA_ROOT);
  }
  bool disableOwner = owner && ::IsWindowEnabled(owner);
  m_endModal = false;
  m_modalResult = -1;
  m_inModalLoop = true;
  if (!CreateFromTemplate(m_nIDTemplate, owner)) {
    m_inModalLoop = false;
    return -1;
  }
  if (disableOwner) {
    ::EnableWindow(owner, FALSE);
  }
  if (!m_endModal) {
    ShowWindow(SW_SHOWNORMAL);
    RunModalLoop();
  }
  m_inModalLoop = false;
  if (disableOwner) {
    ::EnableWindow(owner, TRUE);
  }
  if (owner && m_hWnd && ::GetActiveWindow() == m_hWnd) {
    ::SetActiveWindow(owner);
  }
  INT_PTR result = m_modalResult;
  if (m_hWnd) {
    SetWindowPos(nullptr, 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    DestroyWindow();
  }
  return result;
}

void CDialog::RunModalLoop() {
  MSG msg;
  while (!m_endModal && m_hWnd) {
    BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
    if (got <= 0) {
      // WM_QUIT ends the dialog; the outer loop gets the quit again.
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      m_modalResult = IDCANCEL;
      return;
    }
    CWinApp* app = AfxGetApp();
    bool translated = app ? app->PreTranslateMessage(&msg) : WalkPreTranslateTree(&msg);
    if (!translated) {
      ::TranslateMessage(&msg);
      ::DispatchMessageA(&msg);
    }
  }
}

void CDialog::EndDialog(int result) {
  m_modalResult = result;
  if (m_inModalLoop) {
    m_endModal = true;
    PostMessage(WM_NULL);  // wakes the loop should a nested loop have run this
  } else {
    ::EndDialog(m_hWnd, result);
  }
}

LRESULT CDialog::OnInitDialogMessage(WPARAM, LPARAM) {
  return OnInitDialog() ? TRUE : FALSE;
}

bool CDialog::OnInitDialog() {
  UpdateData(false);
  return true;
}

void CDialog::OnOK() {
  if (UpdateData(true)) {
    EndDialog(IDOK);
  }
}

void CDialog::OnCancel() {
  EndDialog(IDCANCEL);
}

void CDialog::DoDataExchange(CDataExchange*) {}

bool CDialog::UpdateData(bool saveAndValidate) {
  CDataExchange dx(this, saveAndValidate);
  DoDataExchange(&dx);
  return !dx.Failed();
}

void CDialog::GotoDlgCtrl(CWnd* control) {
  SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control->m_hWnd), TRUE);
}

bool CDialog::PreTranslateMessage(MSG* msg) {
  if (msg->message < WM_KEYFIRST || msg->message > WM_KEYLAST) {
    return false;
  }
  // A pane inside a frame lets the frame's accelerators go first.
  if (GetStyle() & WS_CHILD) {
    for (CFrameWnd* frame = GetParentFrame(); frame; frame = frame->GetParentFrame()) {
      if (frame->TranslateAccelerators(msg)) {
        return true;
      }
    }
  }
  return ::IsDialogMessageA(m_hWnd, msg) != FALSE;
}

bool CDialog::OnCmdMsg(UINT id, UINT code, zr::MsgCall* call) {
  if (CWnd::OnCmdMsg(id, code, call)) {
    return true;
  }
  bool command = code == 0 || code == zr::kCodeUpdateUI;
  CWinApp* app = AfxGetApp();
  return command && id < 0xF000 && app && app->OnCmdMsg(id, code, call);
}
