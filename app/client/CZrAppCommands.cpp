// The application's commands: every menu item, tool-bar button and
// accelerator that the window with the focus does not handle ends here.
// Commands that objects built apart from the application carry out (page
// frame, own user, chat pages, dialogs, places manager, favourites,
// auditorium, avatars, navigation) go to the object that has plugged in for
// them, by the table of deferred commands; without one they are disabled.
#include <windows.h>
#include <shellapi.h>

#include "CChatWnd.h"
#include "CCmdUI.h"
#include "CMenu.h"
#include "CZrApp.h"
#include "ModuleState.h"
#include "ZrPlaceContent.h"
#include "resource.h"

namespace {

// Tip categories of the three tip commands.
constexpr int32_t kGeneralTips = 1;
constexpr int32_t kTourTips = 2;
constexpr int32_t kAuditoriumTips = 3;
// The help file's index page.
constexpr char kHelpFile[] = "RIdoz.hlp";
// Product string of the help page when the community names none.
constexpr uint32_t kHelpPageIndex = 7;
// The main window of the companion program the File menu returns to.
constexpr char kCompanionFrameClass[] = "HVN Frame25";

}  // namespace

BEGIN_MESSAGE_MAP(CZrApp, CWinApp)
  ON_COMMAND(ID_TIP_OF_DAY, OnTipOfTheDay)
  ON_COMMAND(ID_TOUR_TIP, OnTourTip)
  ON_COMMAND(ID_AUDITORIUM_TIP, OnAuditoriumTip)
  ON_COMMAND(ID_LAYOUT_CLASSIC, OnLayoutClassic)
  ON_COMMAND(ID_LAYOUT_TEXT_ONLY, OnLayoutTextOnly)
  ON_COMMAND(ID_LAYOUT_AVATARS_ONLY, OnLayoutAvatarsOnly)
  ON_COMMAND(ID_LAYOUT_BROWSER_ONLY, OnLayoutBrowserOnly)
  ON_UPDATE_COMMAND_UI(ID_LAYOUT_CLASSIC, OnUpdateLayoutClassic)
  ON_UPDATE_COMMAND_UI(ID_LAYOUT_TEXT_ONLY, OnUpdateLayoutTextOnly)
  ON_UPDATE_COMMAND_UI(ID_LAYOUT_AVATARS_ONLY, OnUpdateLayoutAvatarsOnly)
  ON_UPDATE_COMMAND_UI(ID_LAYOUT_BROWSER_ONLY, OnUpdateLayoutBrowserOnly)
  ON_COMMAND(ID_RESET_LAYOUT, OnResetLayout)
  ON_UPDATE_COMMAND_UI(ID_RESET_LAYOUT, OnUpdatePlaced)
  ON_COMMAND(ID_SAVE_LAYOUT, OnSaveLayout)
  ON_UPDATE_COMMAND_UI(ID_SAVE_LAYOUT, OnUpdateSaveLayout)
  ON_COMMAND(ID_LARGE_AVATARS, OnToggleAvatarSize)
  ON_UPDATE_COMMAND_UI(ID_LARGE_AVATARS, OnUpdateToggleAvatarSize)
  ON_COMMAND(ID_LAYOUT_MENU, OnLayoutMenu)
  ON_UPDATE_COMMAND_UI(ID_LAYOUT_MENU, OnUpdateLayoutMenu)
  ON_COMMAND(ID_TOURS_MENU, OnToursMenu)
  ON_UPDATE_COMMAND_UI(ID_TOURS_MENU, OnUpdateConnected)
  ON_UPDATE_COMMAND_UI(ID_PLACES, OnUpdateConnected)
  ON_COMMAND(ID_HELP_INDEX, OnHelp)
  ON_COMMAND(ID_WEB_HELP, OnWebHelp)
  ON_UPDATE_COMMAND_UI(ID_WEB_HELP, OnUpdatePlaced)
  ON_COMMAND(ID_BACK_TO_HVN, OnMinimizeToHvn)
  ON_COMMAND(ID_DIRECTORY, OnShowDirectory)
  ON_UPDATE_COMMAND_UI(ID_DIRECTORY, OnUpdateShowDirectory)
  ON_COMMAND(ID_EVENT_MANAGEMENT, OnEventManagement)
  ON_COMMAND(ID_PERSON_PARTICIPATE, OnParticipate)
  ON_UPDATE_COMMAND_UI(ID_EVENT_MANAGEMENT, OnUpdateEventManagement)
  ON_COMMAND(ID_CLOSE_BROWSER, OnCloseBrowser)
  ON_COMMAND(ID_APP_EXIT, OnAppExit)
  ON_COMMAND_RANGE(ID_LINK_FIRST, ID_LINK_LAST, OnLink)
END_MESSAGE_MAP()

// ---- Enable rules ----------------------------------------------------------

void CZrApp::OnUpdatePlaced(CCmdUI* ui) { ui->Enable(IsPlaced()); }

void CZrApp::OnUpdateConnected(CCmdUI* ui) { ui->Enable(m_running && IsConnected()); }

// ---- Tips ------------------------------------------------------------------

void CZrApp::OnTipOfTheDay() { m_tips.ShowTip(kGeneralTips, true); }

void CZrApp::OnTourTip() { m_tips.ShowTip(kTourTips, true); }

void CZrApp::OnAuditoriumTip() { m_tips.ShowTip(kAuditoriumTips, true); }

// ---- Layout ----------------------------------------------------------------

void CZrApp::OnLayoutClassic() { SetLayoutMode(CZrLayoutRecord::kClassic); }
void CZrApp::OnLayoutTextOnly() { SetLayoutMode(CZrLayoutRecord::kHvnClassic); }
void CZrApp::OnLayoutAvatarsOnly() { SetLayoutMode(CZrLayoutRecord::kAvatarsOnly); }
void CZrApp::OnLayoutBrowserOnly() { SetLayoutMode(CZrLayoutRecord::kBrowserOnly); }

void CZrApp::OnUpdateLayoutClassic(CCmdUI* ui) {
  ui->Enable(IsPlaced());
  ui->SetCheck(GetLayoutMode() == CZrLayoutRecord::kClassic);
}

void CZrApp::OnUpdateLayoutTextOnly(CCmdUI* ui) {
  ui->Enable(IsPlaced());
  ui->SetCheck(GetLayoutMode() == CZrLayoutRecord::kHvnClassic);
}

void CZrApp::OnUpdateLayoutAvatarsOnly(CCmdUI* ui) {
  ui->Enable(IsPlaced());
  ui->SetCheck(GetLayoutMode() == CZrLayoutRecord::kAvatarsOnly);
}

void CZrApp::OnUpdateLayoutBrowserOnly(CCmdUI* ui) {
  ui->Enable(IsPlaced());
  ui->SetCheck(GetLayoutMode() == CZrLayoutRecord::kBrowserOnly);
}

// The main window lays its panes out again for the mode; choosing the mode
// already set changes nothing else.
void CZrApp::SetLayoutMode(int32_t mode) {
  if (!m_running) return;
  m_plan.m_layoutMode = mode;
  if (CChatWnd* main = MainFrame()) main->RecalcLayout();
}

// The record takes the defaults of the mode, the maximised window is laid
// out with them, and the record forgets them again.
void CZrApp::OnResetLayout() {
  if (!IsPlaced()) return;
  CChatWnd* main = MainFrame();
  m_layout.Reset(GetLayoutMode(), m_settings.m_layoutSide, m_settings.m_layoutSide,
                 m_settings.m_chatHeight, [main](const CZrLayoutRecord&) {
                   main->ShowWindow(SW_SHOWMAXIMIZED);
                   RECT client{};
                   main->GetClientRect(&client);
                   main->LayoutMainPanes(CZrLayoutRecord::kMaximized, client.right, client.bottom);
                 });
  main->ClearLayoutFlag();
}

void CZrApp::OnSaveLayout() {
  if (IsPlaced()) SaveMainWindowPlacement();
}

void CZrApp::OnUpdateSaveLayout(CCmdUI* ui) {
  ui->Enable(IsPlaced() && GetLayoutMode() != CZrLayoutRecord::kBrowserOnly);
}

// The record captures the live panes; a maximised window keeps its place
// with width and height -1.
void CZrApp::SaveMainWindowPlacement() {
  CChatWnd* main = MainFrame();
  if (!main) return;
  m_layout.CaptureFrom(main->CaptureLayout(GetLayoutMode(), m_settings.m_chatHeight));
  m_settings.m_layout = m_layout.FormatWindowRect();
  const bool maximised = ::IsZoomed(main->m_hWnd) != 0;
  m_settings.m_mainXPos = m_layout.m_x;
  m_settings.m_mainYPos = m_layout.m_y;
  m_settings.m_winWidth = maximised ? -1 : m_layout.m_width;
  m_settings.m_winHeight = maximised ? -1 : m_layout.m_height;
  m_settings.m_layoutMode = GetLayoutMode();
  m_settings.Save(true);
}

void CZrApp::OnToggleAvatarSize() {
  if (!IsPlaced()) return;
  m_settings.m_bigFaces = m_settings.m_bigFaces ? 0 : 1;
}

void CZrApp::OnUpdateToggleAvatarSize(CCmdUI* ui) {
  ui->Enable(IsPlaced());
  ui->SetCheck(m_settings.m_bigFaces != 0);
}

// The layout menu opens under its tool-bar button; once it has been shown
// the main window's layout flag flips.
void CZrApp::OnLayoutMenu() {
  if (!IsPlaced()) return;
  if (TrackToolBarMenu(ID_LAYOUT_MENU, IDM_LAYOUT)) MainFrame()->ToggleLayoutFlag();
}

// The guided tours menu under its tool-bar button; its commands go to the
// own user.
void CZrApp::OnToursMenu() {
  if (m_running && IsConnected()) TrackToolBarMenu(ID_TOURS_MENU, IDM_TOURS);
}

bool CZrApp::TrackToolBarMenu(UINT buttonId, UINT menuId) {
  CChatWnd* main = MainFrame();
  if (!main) return false;
  RECT button{};
  for (int bar = 0; CTabWnd* toolBar = main->GetToolBar(bar); ++bar) {
    if (toolBar->FindItemById(buttonId) < 0) continue;
    button = toolBar->GetButtonRect(CBarWnd::kById, buttonId);
    ::MapWindowPoints(toolBar->m_hWnd, nullptr, reinterpret_cast<POINT*>(&button), 2);
  }
  CMenu menu;
  if (!menu.LoadMenu(menuId)) return false;
  CMenu* popup = menu.GetSubMenu(0);
  return popup &&
         popup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, button.left, button.bottom, main);
}

void CZrApp::OnUpdateLayoutMenu(CCmdUI* ui) {
  CChatWnd* main = MainFrame();
  ui->Enable(IsPlaced());
  ui->SetCheck(main && main->GetLayoutFlag());
}

// ---- Help and pages ----------------------------------------------------------

void CZrApp::OnHelp() {
  if (CChatWnd* main = MainFrame()) ::WinHelpA(main->m_hWnd, kHelpFile, HELP_INDEX, 0);
}

// The community's help page, else the product's.
void CZrApp::OnWebHelp() {
  if (!IsPlaced()) return;
  std::string page = m_placeLink.GetCommunityText(CZrPlaceContent::kWebHelpPage);
  if (page.empty()) page = m_resources.GetString(kHelpPageIndex);
  if (!page.empty()) OpenWithShell(page);
}

void CZrApp::OpenWithShell(const std::string& address) {
  CChatWnd* main = MainFrame();
  ::ShellExecuteA(main ? main->m_hWnd : nullptr, "open", address.c_str(), nullptr, nullptr,
                  SW_SHOWNORMAL);
}

// Back to the companion program: it comes to the top as it was, and the
// client's window goes down to the task bar.
void CZrApp::OnMinimizeToHvn() {
  HWND companion = ::FindWindowA(kCompanionFrameClass, nullptr);
  if (!companion) return;
  ::ShowWindow(companion, ::IsZoomed(companion) ? SW_SHOWMAXIMIZED : SW_RESTORE);
  ::BringWindowToTop(companion);
  if (CChatWnd* main = MainFrame()) main->ShowWindow(SW_MINIMIZE);
}

void CZrApp::OnCloseBrowser() {
  if (CChatWnd* main = MainFrame()) main->ShowWindow(SW_HIDE);
  CloseBrowserFrame();
  ::PostQuitMessage(0);
}

// Exit closes the main window, which decides how the client ends.
void CZrApp::OnAppExit() {
  if (CChatWnd* main = MainFrame()) main->PostMessage(WM_CLOSE);
}

// ---- Links -------------------------------------------------------------------

bool CZrApp::LoadLinksMenu(const std::string& address) {
  CChatWnd* main = MainFrame();
  if (!main) return false;
  const CServiceLinks::Result result = m_links.Load(address, ::GetMenu(main->m_hWnd));
  if (result == CServiceLinks::kPages) main->DrawMenuBar();
  return result == CServiceLinks::kNoPages;
}

void CZrApp::BuildServiceLinksMenu() {
  CChatWnd* main = MainFrame();
  if (!main) return;
  m_links.BuildFixedMenu(::GetMenu(main->m_hWnd));
  main->DrawMenuBar();
}

void CZrApp::OnLink(UINT command) {
  const std::string address = m_links.AddressOf(command);
  if (!address.empty() && address.find(CServiceLinks::kBulletMark) == std::string::npos)
    OpenWithShell(address);
}

// ---- Commands of objects built apart ------------------------------------------

void CZrApp::SetCommandTarget(ZrCommandTarget target, ICommandTarget* object) {
  m_commandTargets[static_cast<size_t>(target)] = object;
}

ZrCommandState CZrApp::CommandState() const {
  ZrCommandState state;
  state.running = m_running != 0;
  state.placed = IsPlaced();
  state.connected = IsConnected();
  state.auditorium = IsAuditorium();
  const unsigned indicator = GetIndicatorState();
  state.indicatorReady = m_indicator.m_hWnd && (indicator == 1 || indicator == 2);
  return state;
}

// A deferred command without its object has no handler, so the framework
// disables it; with one, the application's part of the rule comes first.
bool CZrApp::OnCmdMsg(UINT id, UINT code, zr::MsgCall* call) {
  const ZrDeferredCommand* command = FindDeferredCommand(id);
  if (!command) return CWinApp::OnCmdMsg(id, code, call);
  ICommandTarget* object = m_commandTargets[static_cast<size_t>(command->target)];
  if (!object || (code != 0 && code != zr::kCodeUpdateUI)) return false;
  if (!call) return true;
  const bool allowed = CommandRuleHolds(command->rule, CommandState());
  if (code == zr::kCodeUpdateUI) {
    if (!call->cmdUI) return true;
    call->cmdUI->Enable(allowed);
    if (allowed) object->UpdateCommand(id, call->cmdUI);
  } else if (allowed) {
    object->RunCommand(id);
  }
  return true;
}

void CZrApp::RunDeferredCommand(UINT id) {
  zr::MsgCall call;
  call.message = WM_COMMAND;
  OnCmdMsg(id, 0, &call);
}
