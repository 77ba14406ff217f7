#include "CWebHost.h"

#include <cstdint>

#include "CWebHostNotify.h"
#include "DirectoryText.h"

using namespace zr::directory;

CWebHost::CWebHost(CWebHostNotify& notify, std::unique_ptr<CWebControl> control)
    : CWebHostBase(notify), m_control(std::move(control)) {}

CWebHost::~CWebHost() = default;

bool CWebHost::Create(const RECT& rect, HWND parent) {
  m_created = m_control && m_control->Create(parent, rect, kControlStyle, kControlId, *this);
  return m_created;
}

HWND CWebHost::ControlWindow() const {
  return m_created ? m_control->Window() : nullptr;
}

void CWebHost::Move(const RECT& rect) {
  if (m_created) {
    m_control->Move(rect);
  }
}

void CWebHost::Navigate(const std::string& address, bool allowCache, bool force) {
  if (!m_created) {
    return;
  }
  m_busy = true;
  if (!force && address == m_control->LocationURL()) {
    m_control->Refresh();
    return;
  }
  m_control->Navigate(address, !allowCache);
}

void CWebHost::NavigateTo(const std::string& address) {
  Navigate(address, true, true);
}

void CWebHost::Stop() {
  m_busy = false;
  if (m_created) {
    m_control->Stop();
  }
}

void CWebHost::Refresh() {
  if (!m_created) {
    return;
  }
  m_busy = true;
  m_control->Refresh();
}

std::string CWebHost::GetLocationURL() const {
  return m_created ? m_control->LocationURL() : std::string();
}

void CWebHost::RemoveScrollBars() {
  HWND window = ControlWindow();
  if (window) {
    LONG_PTR style = ::GetWindowLongPtrA(window, GWL_STYLE);
    ::SetWindowLongPtrA(window, GWL_STYLE, style & ~static_cast<LONG_PTR>(WS_HSCROLL | WS_VSCROLL));
  }
}

void CWebHost::AddAnswer(const std::string& address, CNavAnswerList::Answer answer) {
  m_answers.Add(address, answer);
}

bool CWebHost::AskNavigation(const std::string& address, bool& cancel) {
  CNavAnswerList::Answer answer = CNavAnswerList::kStay;
  if (!m_abandoned) {
    ++m_asking;
    bool asked = Notify().AskNavigation(address);
    std::optional<CNavAnswerList::Answer> ready = m_answers.Take(address);
    if (ready) {
      answer = *ready;
    } else if (asked) {
      answer = WaitForAnswer(address);
    }
    --m_asking;
  }
  if (answer == CNavAnswerList::kStay) {
    cancel = true;
    return true;
  }
  return false;
}

CNavAnswerList::Answer CWebHost::WaitForAnswer(const std::string& address) {
  for (;;) {
    std::optional<CNavAnswerList::Answer> answer = m_answers.Take(address);
    if (answer) {
      return *answer;
    }
    if (m_abandoned) {
      return CNavAnswerList::kStay;
    }
    MSG msg;
    BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0 || got == -1) {
      // The quit message belongs to the program's own loop: put it back.
      ::PostQuitMessage(got == 0 ? static_cast<int>(msg.wParam) : 0);
      return CNavAnswerList::kStay;
    }
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
}

void CWebHost::OnBeforeNavigate(const std::string& address, bool secondForm, bool& cancel) {
  std::string asked = secondForm ? RepairHttpSlash(address) : address;
  AskNavigation(asked, cancel);
  if (!cancel) {
    Notify().NavigationStarted();
  }
}

void CWebHost::OnNavigateComplete(const std::string& address) {
  if (IsRedirectAddress(address)) {
    return;
  }
  Notify().NavigationDone(std::string(), address);
  PageShown(address);
  Notify().TitleKnown(std::string(), address, 0);
  m_pageTitle.clear();
}

void CWebHost::OnStatusTextChange(const std::string& text) {
  Notify().StatusText(StatusTextForDisplay(text));
}

void CWebHost::OnProgressChange(long progress, long maximum) {
  if (maximum == 0) {
    return;
  }
  if (progress == -1) {
    OnDownloadComplete();
    return;
  }
  Notify().Progress(static_cast<int>(static_cast<int64_t>(progress) * 100 / maximum));
}

void CWebHost::OnDownloadBegin() {
  Notify().NavigationStarted();
}

void CWebHost::OnDownloadComplete() {
  Notify().DownloadDone(0);
  if (m_titleChanged && m_pageTitle.empty() && m_created) {
    m_pageTitle = m_control->LocationName();
    Notify().TitleKnown(m_pageTitle, m_control->LocationURL(), 1);
  }
}

void CWebHost::OnTitleChange(const std::string& title) {
  m_titleChanged = true;
  Notify().TitleKnown(title, std::string(), 0);
}
