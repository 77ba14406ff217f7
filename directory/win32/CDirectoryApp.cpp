#include "CDirectoryApp.h"

#include <ole2.h>

#include "CStartArguments.h"
#include "DirectoryCodes.h"
#include "ModuleState.h"

using namespace zr::directory;

CDirectoryApp::CDirectoryApp(CMainFrame::ControlFactory makeControl)
    : CWinApp("ZrDirectory"), m_makeControl(std::move(makeControl)) {}

bool CDirectoryApp::InitInstance() {
  if (!::FindWindowA(kClientWindowClass, nullptr) || ::FindWindowA(kBrowserWindowClass, nullptr)) {
    return false;
  }
  m_oleStarted = SUCCEEDED(::OleInitialize(nullptr));
  m_arguments = CStartArguments::ArgumentsOf(::GetCommandLineA());
  LoadResourceLibrary(m_arguments);
  auto* frame = new CMainFrame(m_arguments, m_makeControl);
  if (!frame->LoadFrame(CMainFrame::kFrameResource, CMainFrame::kFrameStyle)) {
    return false;  // a frame that failed to create has deleted itself
  }
  m_pMainWnd = frame;
  frame->ShowWindow(m_nCmdShow);
  frame->UpdateWindow();
  return true;
}

void CDirectoryApp::LoadResourceLibrary(const std::string& arguments) {
  CStartArguments parsed;
  if (parsed.Parse(arguments) < 2 || parsed.Library().empty()) {
    return;
  }
  HMODULE library = ::LoadLibraryA(parsed.Library().c_str());
  if (reinterpret_cast<UINT_PTR>(library) > 31) {
    m_resources = library;
    AfxSetResourceHandle(library);
  }
}

int CDirectoryApp::ExitInstance() {
  int code = CWinApp::ExitInstance();
  if (m_resources) {
    AfxSetResourceHandle(AfxGetInstanceHandle());
    ::FreeLibrary(m_resources);
    m_resources = nullptr;
  }
  if (m_oleStarted) {
    ::OleUninitialize();
  }
  return code;
}
