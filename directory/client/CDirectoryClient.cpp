#include "CDirectoryClient.h"

#include <shellapi.h>

#include <algorithm>

#include "CCopyDataLink.h"
#include "DirectoryCodes.h"
#include "DirectoryText.h"

using namespace zr::directory;

SIZE CDirectoryClient::BrowserSize(int32_t mode) {
  return mode == CStartArguments::kMemberDirectory ? SIZE{560, 450} : SIZE{720, 600};
}

RECT CDirectoryClient::BrowserPlacement(int32_t mode) const {
  SIZE size = BrowserSize(mode);
  RECT main{};
  ::GetWindowRect(m_mainWindow, &main);
  LONG x = main.left + (main.right - main.left - size.cx) / 2;
  LONG y = main.top + (main.bottom - main.top - size.cy) / 2;
  RECT work{};
  if (::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0)) {
    x = std::max(work.left, std::min(x, work.right - size.cx));
    y = std::max(work.top, std::min(y, work.bottom - size.cy));
  }
  return RECT{x, y, x + size.cx, y + size.cy};
}

bool CDirectoryClient::Open(int32_t mode, const std::string& title, const std::string& programDir,
                            const std::string& resourceLibrary) {
  RECT place = BrowserPlacement(mode);
  WindowPlace window{place.left, place.top, place.right - place.left, place.bottom - place.top};
  if (IsBrowserRunning()) {
    Command(kSetTitle, title);
    Command(kMoveWindow, FormatWindowPlace(window));
    Command(mode == CStartArguments::kMemberDirectory ? kDirectoryMode : kEventMode);
    return true;
  }
  std::string arguments = CStartArguments::Format(title, resourceLibrary, mode, window.x, window.y,
                                                  window.width, window.height);
  std::string program = programDir + "\\ZrDirectory";
  HINSTANCE started = ::ShellExecuteA(m_mainWindow, "open", program.c_str(), arguments.c_str(),
                                      programDir.c_str(), SW_SHOWNORMAL);
  return reinterpret_cast<INT_PTR>(started) > 32;
}

bool CDirectoryClient::IsBrowserRunning() const {
  return ::FindWindowA(kBrowserWindowClass, nullptr) != nullptr;
}

void CDirectoryClient::Close() {
  Command(kClose);
}

void CDirectoryClient::HideAndReturn() {
  Command(kHideAndShowClient);
}

void CDirectoryClient::Hide() {
  Command(kHide);
}

void CDirectoryClient::HideAndClose() {
  Hide();
  Close();
}

bool CDirectoryClient::Command(uint32_t code, const std::string& text) {
  return CCopyDataLink::Send(m_mainWindow, kBrowserWindowClass, code, text);
}

LRESULT CDirectoryClient::OnCopyData(WPARAM sender, LPARAM record) {
  return CCopyDataLink::OnCopyData(m_mainWindow, kClientPostedCommand, sender, record);
}

void CDirectoryClient::OnPostedCommand(LPARAM copy) {
  std::unique_ptr<CCopyCommand> command = CCopyDataLink::TakePosted(copy);
  if (command) {
    m_replies.OnCommand(command->Code(), command->Text());
  }
}

void CDirectoryClient::SendToBrowser(uint32_t code, const std::string& text) {
  Command(code, text);
}
