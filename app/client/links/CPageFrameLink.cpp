#include "CPageFrameLink.h"

#include "AppPalette.h"
#include "CBrowser.h"
#include "CDC.h"
#include "CCmdUI.h"
#include "CChatWnd.h"
#include "CClientPlace.h"
#include "CPlace.h"
#include "CSpyWnd.h"
#include "CZrApp.h"
#include "MainWindowTitle.h"
#include "ModuleState.h"
#include "NewBrowserView.h"
#include "Picture.h"
#include "ZrGroup.h"
#include "ZrItem.h"
#include "ZrPerson.h"
#include "resource.h"

namespace {

// The scheme of the pages the page area shows.
constexpr char kPageViewName[] = "ZRS";

int IndicatorExtent(CZrApp& app, bool height) {
  CWnd& indicator = app.Indicator();
  if (!indicator.m_hWnd || !::IsWindowVisible(indicator.m_hWnd)) return 0;
  RECT rect{};
  ::GetWindowRect(indicator.m_hWnd, &rect);
  return height ? rect.bottom - rect.top : rect.right - rect.left;
}

}  // namespace

void CPageFrameLink::Attach(CSpyWnd* frame) {
  m_frame = frame;
  if (!m_frame) return;
  m_frame->Activate(*this);
  m_app.SetCommandTarget(ZrCommandTarget::kPageFrame, this);
}

// The view of the browser that was chosen; without one, the
// plain view, which tells the user that no supported browser was found.
CBrowser* CPageFrameLink::OpenBrowserView(CWnd& parent, IBrowserOwner& owner) {
  CBrowser* view = NewBrowserView(m_app.GetBrowserView());
  view->SetOwner(&owner);
  view->SetHost(&m_services);
  view->SetViewName(kPageViewName);
  RECT client{};
  parent.GetClientRect(&client);
  if (!view->Create(CWnd::RegisterWndClass(0), "", WS_CHILD | WS_VISIBLE, client, &parent, AFX_IDW_PANE_FIRST)) {
    delete view;
    return nullptr;
  }
  if (!view->Attach(client.left, client.top, client.right, client.bottom, parent.m_hWnd)) {
    view->DestroyWindow();
    return nullptr;
  }
  return view;
}

// The page becomes the root place's page, and its place is entered. A
// tour's guide takes the tour along instead: the page goes to the tour,
// whose passengers' browsers follow it, and the tour stays in its place.
void CPageFrameLink::FollowPage(const std::string& url) {
  if (PublishToOwnTour(url)) return;
  m_app.PlaceLink().KeepPage(url);
  CPlace* place = m_app.GetRootPlace();
  if (place && m_app.IsConnected()) place->Enter(url, std::string());
}

bool CPageFrameLink::PublishToOwnTour(const std::string& url) {
  CPlace* place = m_app.GetRootPlace();
  CZrPerson* myself = m_app.GetMyself();
  CZrGroup* tour = myself ? myself->GetParent() : nullptr;
  if (!place || !m_app.IsConnected() || !CClientPlace::IsLedGroup(tour) || CClientPlace::IsGame(tour) ||
      tour->GetHost() != myself)
    return false;
  place->PutItem(*tour, CZrItem::Text(CClientPlace::kGuidePageItem, url));
  return true;
}

void CPageFrameLink::OpenPage(const std::string& url) {
  if (m_frame) m_frame->Navigate(url, false);
}

void CPageFrameLink::SetStatusText(const std::string& text) { m_app.SetStatusText(text); }

void CPageFrameLink::SetLoading(bool loading) {
  if (CChatWnd* main = m_app.MainFrame()) main->AnimateBusy(loading);
}

void CPageFrameLink::SetPageTitle(const std::string& title) {
  CChatWnd* main = m_app.MainFrame();
  if (!main) return;
  PageTitleParts parts;
  parts.product = AfxLoadString(kProductTitle);
  parts.pageTitle = title;
  if (CPlace* place = m_app.GetRootPlace()) {
    parts.placeKind = place->GetKind();
    parts.copyNumber = place->GetNumber();
    parts.privateRoomWord = AfxLoadString(kPrivateRoomText);
    parts.placeName = place->GetName();
  }
  main->SetWindowText(MainWindowTitle(parts));
}

void CPageFrameLink::ReportPage(const std::string& url, const std::string& title) {
  if (CPlace* place = m_app.GetRootPlace()) place->SendRequest(url, title);
}

int CPageFrameLink::GetIndicatorHeight() { return IndicatorExtent(m_app, true); }

int CPageFrameLink::GetIndicatorWidth() { return IndicatorExtent(m_app, false); }

void CPageFrameLink::RegisterIdleWindow(HWND window) { m_app.RegisterIdleWindow(window); }

void CPageFrameLink::UnregisterIdleWindow(HWND window) { m_app.UnregisterIdleWindow(window); }

bool CPageFrameLink::DrawBackground(HDC dc, const RECT& area) {
  CPicture* background = m_app.GetBackgroundPicture();
  if (!background) return false;
  CDC* target = CDC::FromHandle(dc);
  CAppPalette::Get().Select(target);
  const bool drawn = background->DrawTiled(target, area) != 0;
  CAppPalette::Get().Restore(target);
  return drawn;
}

void CPageFrameLink::UpdateCommand(UINT id, CCmdUI* ui) {
  switch (id) {
    case ID_GO_BACK:
      ui->Enable(m_frame && m_frame->CanGoBack());
      break;
    case ID_GO_FORWARD:
      ui->Enable(m_frame && m_frame->CanGoForward());
      break;
    case ID_RELOAD:
    case ID_STOP:
      ui->Enable(m_frame && m_frame->GetView());
      break;
    default:
      // The page frame's other commands come with the service's pages.
      ui->Enable(false);
      break;
  }
}

void CPageFrameLink::RunCommand(UINT id) {
  if (!m_frame) return;
  switch (id) {
    case ID_GO_BACK:
      m_frame->GoBack();
      break;
    case ID_GO_FORWARD:
      m_frame->GoForward();
      break;
    case ID_RELOAD:
      m_frame->Refresh();
      break;
    case ID_STOP:
      m_frame->Stop();
      break;
    default:
      break;
  }
}
