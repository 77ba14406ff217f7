#include "CBrowserWndLink.h"

#include "CBrowser.h"
#include "CBrowserWnd.h"
#include "CChatWnd.h"
#include "CDirectoryLink.h"
#include "CZrApp.h"
#include "NewBrowserView.h"
#include "ZrProgramPaths.h"

namespace {

// The community's second event page.
constexpr uint16_t kSecondEventItem = 1012;
constexpr char kBlankPage[] = "blank.htm";

}  // namespace

CBrowserWnd* CBrowserWndLink::Window() const {
  return m_window && ::IsWindow(m_windowHandle) ? m_window : nullptr;
}

void CBrowserWndLink::Open(int32_t mode) {
  CBrowserWnd* window = Window();
  if (window) {
    window->SetMode(mode);
    window->ShowWindow(SW_SHOW);
  } else {
    window = new CBrowserWnd(*this);
    if (!window->Create(m_app.MainFrame(), mode, true)) {
      m_window = nullptr;
      return;
    }
    m_window = window;
    m_windowHandle = window->m_hWnd;
  }
  const uint16_t page = mode == CBrowserWnd::kEventManagement ? CDirectoryLink::kEventBaseItem
                                                             : CDirectoryLink::kDirectoryPageItem;
  const std::string address = m_app.PlaceLink().GetCommunityText(page);
  if (!address.empty()) window->Navigate(address);
}

void CBrowserWndLink::Hide() {
  if (CBrowserWnd* window = Window()) window->ShowWindow(SW_HIDE);
}

void CBrowserWndLink::Close() {
  if (CBrowserWnd* window = Window()) window->CloseBrowser();
  m_window = nullptr;
}

CBrowser* CBrowserWndLink::CreateView(CWnd& parent) {
  CBrowser* view = NewBrowserView(m_app.GetBrowserView());
  view->SetHost(&m_app.PageFrame().Services());
  if (!view->Create(CWnd::RegisterWndClass(0), "", WS_CHILD | WS_VISIBLE, RECT{0, 0, 0, 0}, &parent,
                    AFX_IDW_PANE_FIRST)) {
    delete view;
    return nullptr;
  }
  return view;
}

std::vector<std::string> CBrowserWndLink::GetKnownPageUrls() {
  const CZrPlaceLink& place = m_app.PlaceLink();
  return {place.GetCommunityText(CDirectoryLink::kEventBaseItem),
          place.GetCommunityText(CDirectoryLink::kDirectoryPageItem), place.GetCommunityText(kSecondEventItem)};
}

void CBrowserWndLink::SetCurrentPageUrl(const std::string& url) { m_app.PlaceLink().SetCurrentUrl(url); }

void CBrowserWndLink::CloseBrowser() { m_app.CloseBrowser(); }

std::string CBrowserWndLink::GetBlankUrl() { return GetProgramDir() + kBlankPage; }

void CBrowserWndLink::ReturnToMainWindow() {
  CChatWnd* main = m_app.MainFrame();
  if (!main || !main->m_hWnd) return;
  main->SetFocus();
  ::SetWindowPos(main->m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
}
