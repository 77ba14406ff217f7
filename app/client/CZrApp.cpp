#include "CZrApp.h"

#include <winsock2.h>
#include <ole2.h>

#include <utility>

#include "BroadcastPageLink.h"
#include "CChatPage.h"
#include "CChatWnd.h"
#include "CCommunityConnection.h"
#include "CCommunityProtocol.h"
#include "CGames.h"
#include "COwnUserCommands.h"
#include "CTransfers.h"
#include "CAuditoriumEvents.h"
#include "CMyselfClient.h"
#include "ZrWndHost.h"
#include "CLocateDlg.h"
#include "CPersonStateList.h"
#include "CPlace.h"
#include "CPlaceAddress.h"
#include "CPplManager.h"
#include "CSpyWnd.h"
#include "AppPalette.h"
#include "ModuleState.h"
#include "PictureBlob.h"
#include "TvlLog.h"
#include "UcmManager.h"
#include "UcmSocketWindow.h"
#include "UcmWinsockPort.h"
#include "ZrCopyData.h"
#include "ZrGroup.h"
#include "ZrPerson.h"
#include "ZrPersonInfo.h"
#include "ZrProgramPaths.h"
#include "ZrStartPages.h"
#include "CSplashWnd.h"
#include "resource.h"

namespace {

// String numbers of the program's own table and of the resource library.
constexpr UINT kTitleString = 214;
constexpr UINT kNotFoundString = 581;
constexpr UINT kIncompatibleString = 582;
constexpr UINT kVersionString = 236;
constexpr UINT kConnectingString = 495;
constexpr UINT kBlankString = 199;
constexpr UINT kAvatarFileString = 193;
constexpr UINT kOleFailedText = 574;
// The bitmap that carries the shared palette and the logo picture.
constexpr UINT kPaletteBitmap = 454;
constexpr UINT kBackgroundBitmap = 323;
// The participation indicator: its strip, states and menu.
constexpr UINT kIndicatorBitmap = 266;
constexpr unsigned kIndicatorStates = 4;
// General tips are shown at start.
constexpr int32_t kStartTips = 1;
// Product string of the default chat host.
constexpr uint32_t kDefaultServerIndex = 11;

// Fonts are sized for 68 logical pixels an inch.
constexpr int kFontPoints = 8;
constexpr int kFontDpi = 68;
constexpr BYTE kVariableSwiss = VARIABLE_PITCH | FF_SWISS;

}  // namespace

CZrApp theApp;

CZrApp::CZrApp()
    : CWinApp("Zanthe"),
      m_settingsHost(&CZrResLibrary::StringOfCurrent, &CZrResLibrary::SendFileOfCurrent),
      m_settings(m_profile, m_settingsHost),
      m_indicator(IDM_INDICATOR),
      m_placeLink(*this) {
  m_settingsHost.SetCommunitySource([this] { return m_plan.m_communityName; });
}

CZrApp::~CZrApp() = default;

bool CZrApp::InitInstance() {
  SetAppUi(this);
  CChatPage::SetHost(&m_chat);
  UseBroadcastPage(*this);
  m_tips.SetHost(this);
  TvlSetSwitchSource(&m_switches);
  m_settingsHost.SetResourceModule(AfxGetInstanceHandle());
  m_boxes.SetResourceModule(AfxGetInstanceHandle());
  m_settings.SetFileName(GetProgramBasePath() + ".ini");
  m_settings.Load(true);
  if (!LoadResourceLibrary()) return false;
  // Whether files may be sent is the resource library's to say: read
  // without it, the preference was taken as off and would be saved so.
  if (m_settingsHost.CanSendFiles())
    m_settings.m_enableSendingFiles = m_settings.ReadInt("SendFiles", "EnableSendingFiles", 1) != 0 ? 1 : 0;
  m_plan.m_layoutMode = m_settings.m_layoutMode;

  const CZrStartPlan::Instance instance = CZrStartPlan::DecideInstance(
      IsClientRunning(), ::FindWindowA(kDirectoryClass, nullptr) != nullptr, m_resources.IsCloseNetscapeOnLaunch());
  if (instance.handOver) {
    PassToRunningInstance(CZrStartPlan::ArgumentsOf(::GetCommandLineA()));
    return false;
  }
  if (instance.notifyDirectory) {
    m_directoryLink.HideAndClose();
  }

  CAppPalette::Get().SetResource(kPaletteBitmap);
  m_defaultServer = m_resources.GetString(kDefaultServerIndex);
  ReadCommandLine();
  m_layout.ParseWindowRect(m_settings.m_layout);
  m_layout.SetWindowRect(m_settings.m_mainXPos, m_settings.m_mainYPos, m_settings.m_winWidth,
                         m_settings.m_winHeight);
  if (!InitProtocol()) return false;
  CreateFonts();
  m_backgroundPicture.LoadResource(AfxGetResourceHandle(), kBackgroundBitmap);
  m_browserView = ChooseBrowserView();
  m_pagesInDirectoryProgram = m_browserView == BrowserView::kEmbedded;
  m_oleStarted = SUCCEEDED(::OleInitialize(nullptr));
  if (!m_oleStarted) {
    AfxMessageBox(kOleFailedText);
    return false;
  }
  ForceBrowserSetting();

  m_hasCurrentDir = GetCurrentDir(m_currentDir);
  if (!CreateMainWindow()) return false;
  SetCommandTarget(ZrCommandTarget::kDialogs, &m_dialogCommands);
  StartGames();
  StartTransfers();
  StartEvents();
  m_placesCommands.Start();
  m_directoryLink.SetMainWindow(MainFrame()->m_hWnd);

  if (m_settings.m_startUpDone == 0) {
    m_settings.m_startUpDone = 1;
    m_settings.Save(false);
  }
  m_settings.SetFileName(m_settings.GetFileName());
  m_settings.Load(true);
  // The reload reads the identity of the community; a name given on the
  // command line still wins over it.
  if (m_plan.HasNickName()) m_settings.m_nickName = m_plan.m_nickName;
  m_plan.ApplySettings(m_settings.m_homeServer, m_settings.m_serverTitle, m_settings.m_homeURL);

  CreateSession();
  if (CPplManager* people = GetPeopleManager())
    people->Attach(m_rootPlace.get(), m_personStates.get(), &m_peopleHost);
  m_voice.LoadHosts(m_settings.GetFileName(), m_boxes.LoadText(14));
  CreateVoiceControl();
  CreateIndicator();
  AttachPageFrame();
  m_ddeSession = std::make_unique<CDdeSessionHost>(*this);
  m_callProgram = std::make_unique<CCallProgramLink>([](UINT text, const std::string& name) {
    if (text == CCallProgramLink::kNotFound)
      MessageBoxIds3Info(kBlankString, text, kBlankString, name.c_str());
    else
      MessageBoxIds2(kBlankString, text, name.c_str());
  });
  ShowConnectingStatus();
  CChatWnd* main = MainFrame();
  main->UpdateWindow();
  m_running = 1;
  main->PlaceFrame();
  m_reconnectCount = -1;
  RegisterPageContentType();
  WriteStartPages(GetProgramDir());
  HideSplash();

  m_connection->SetUrl(m_plan.m_communityName);
  ShowStartTip();
  main->SetFocus();
  main->ActivateFrame(-1);
  return true;
}

// The library named by the settings becomes the source of every resource;
// until then the program's own two texts tell what went wrong.
bool CZrApp::LoadResourceLibrary() {
  const std::string fileName = m_settings.m_resources;
  switch (m_resources.Load(fileName)) {
    case CZrResLibrary::kNotFound:
      MessageBoxIds2(kTitleString, kNotFoundString, fileName.c_str());
      return false;
    case CZrResLibrary::kIncompatible:
      MessageBoxIds2(kTitleString, kIncompatibleString, fileName.c_str());
      return false;
    case CZrResLibrary::kLoaded:
      break;
  }
  AfxSetResourceHandle(m_resources.Module());
  m_boxes.SetResourceModule(m_resources.Module());
  m_settingsHost.SetResourceModule(m_resources.Module());
  return true;
}

// A running client has a "ZRFrame" window. A copy started at the same time
// as another may look before the other's frame exists: the mutex tells it
// that the other is on its way, and it waits for that frame.
bool CZrApp::IsClientRunning() {
  m_runningMutex = ::CreateMutexA(nullptr, FALSE, kRunningMutex);
  const bool otherStarted = m_runningMutex && ::GetLastError() == ERROR_ALREADY_EXISTS;
  constexpr DWORD kPollMs = 100;
  for (DWORD waited = 0;; waited += kPollMs) {
    if (::FindWindowA(CChatWnd::kClassName, nullptr)) return true;
    if (!otherStarted || waited >= kFrameWaitMs) return false;
    ::Sleep(kPollMs);
  }
}

void CZrApp::ReadCommandLine() {
  CPlaceAddress address(CCommunityCheck::ForService(m_settings.m_listFile));
  address.ParseArgument(CZrStartPlan::ArgumentsOf(::GetCommandLineA()));
  m_plan.ApplyCommandLine(address, m_settings.m_homeServer, m_settings.m_layoutMode);
  if (m_plan.HasNickName()) m_settings.m_nickName = m_plan.m_nickName;
}

// The protocol handler with the socket manager's hidden window; the client
// does not start without them.
bool CZrApp::InitProtocol() {
  if (CZrProtocol::Instance()) return false;
  TvlSetLogSink(&m_logSink);
  m_port = std::make_unique<CUcmWinsockPort>();
  m_manager = std::make_unique<CUcmManager>(*m_port);
  CUcmManager::Install(m_manager.get());
  m_socketWindow = std::make_unique<CUcmSocketWindow>(*m_manager, *m_port);
  if (!m_socketWindow->Create(kSocketClass)) return false;
  m_protocol = std::make_unique<CCommunityProtocol>(static_cast<uint32_t>(m_settings.m_faceCacheSize),
                                                    m_currentConnection);
  m_connection = std::make_unique<CCommunityConnection>(*m_manager, *m_protocol, m_placeLink);
  m_currentConnection = m_connection.get();
  return true;
}

void CZrApp::CreateFonts() {
  HDC desktop = ::GetDC(nullptr);
  const int dpi = desktop ? ::GetDeviceCaps(desktop, LOGPIXELSY) : kFontDpi;
  if (desktop) ::ReleaseDC(nullptr, desktop);
  LOGFONTA font{};
  font.lfHeight = -::MulDiv(kFontPoints, dpi, kFontDpi);
  font.lfPitchAndFamily = kVariableSwiss;
  lstrcpynA(font.lfFaceName, "Arial", LF_FACESIZE);
  font.lfWeight = FW_NORMAL;
  m_normalFont.CreateFontIndirect(font);
  font.lfWeight = FW_BOLD;
  m_boldFont.CreateFontIndirect(font);
}

bool CZrApp::CreateMainWindow() {
  auto* main = new CChatWnd;
  m_pMainWnd = main;
  if (!main->Init()) {
    m_pMainWnd = nullptr;  // the frame deleted itself
    return false;
  }
  m_boxes.SetMainWindow(main->m_hWnd);
  m_boxes.SetWindowsSource([this] {
    std::vector<HWND> windows;
    if (CChatWnd* frame = MainFrame()) windows.push_back(frame->m_hWnd);
    if (CPplManager* people = GetPeopleManager()) {
      windows.push_back(people->m_hWnd);
      if (CPeopleList* list = people->GetPeopleList()) windows.push_back(list->List().m_hWnd);
    }
    if (m_indicator.m_hWnd) windows.push_back(m_indicator.m_hWnd);
    return windows;
  });
  return true;
}

// The voice control stands on the people page; without it the page's voice
// area keeps telling that voice is unavailable.
void CZrApp::CreateVoiceControl() {
  m_voice.SetView(&m_voiceView);
  CPplManager* people = GetPeopleManager();
  CPeoplePage* page = people ? people->GetPeoplePage() : nullptr;
  if (!page) return;
  if (m_voice.CreateControl(page->m_hWnd)) {
    page->Voice().SetStatus(std::string());
    page->Layout();
  }
  page->Voice().SetVoiceState(true, m_settings.m_voiceEnabled != 0);
  page->Voice().SetToggleHandler([this](bool enable) { EnableVoice(enable); });
}

// The voice toggles of the people page: the setting, and voice started or
// stopped at once.
void CZrApp::EnableVoice(bool enable) {
  m_settings.m_voiceEnabled = enable ? 1 : 0;
  m_settings.Save(false);
  if (enable) {
    m_placeLink.StartVoiceSession();
  } else {
    m_placeLink.StopVoiceSession();
  }
  CPplManager* people = GetPeopleManager();
  if (CPeoplePage* page = people ? people->GetPeoplePage() : nullptr) page->Voice().SetVoiceState(true, enable);
}

// The indicator is made on the main window and stands on the page pane.
void CZrApp::CreateIndicator() {
  CChatWnd* main = MainFrame();
  if (m_indicator.Create(main, kIndicatorBitmap, kIndicatorStates) < 0) return;
  SetIndicatorParent(main->GetMainPane());
  SetIndicatorState(kDisconnected);
}

// The page area's frame gets its bar and browser view once the indicator
// stands in it.
void CZrApp::AttachPageFrame() {
  CWnd* pane = MainFrame()->GetMainPane();
  if (pane && pane->IsKindOf(RUNTIME_CLASS(CSpyWnd))) m_pageFrameLink.Attach(static_cast<CSpyWnd*>(pane));
}

void CZrApp::ShowStartTip() {
  if (m_settings.m_showTipAtStart) m_tips.ShowTip(kStartTips, false);
}

// The own user from the identity and the root place over it.
void CZrApp::CreateSession() {
  auto info = std::make_unique<CZrPersonInfo>();
  info->SetName(m_settings.m_nickName);
  info->SetFullName(m_settings.m_name);
  info->SetLocation(m_settings.m_address);
  info->SetEmail(m_settings.m_email);
  if (m_resources.IsUseAvatarService()) m_settings.ClearPictures();
  if (std::unique_ptr<CPictureBlob> picture = LoadOwnPicture()) {
    if (picture->Decode()) info->ReplaceMemberData(std::move(picture));
  }
  info->SetVersion(AfxLoadString(kVersionString) + ",branding:" + m_resources.BrandCode());
  m_avatars.InitMetrics(m_settings.m_bigFaces != 0);
  ZrWndHost::Set(&m_avatars);
  SetCommandTarget(ZrCommandTarget::kAvatars, &m_avatars);
  m_personStates = std::make_unique<CPersonStateList>(m_placeLink);
  m_myself = std::make_unique<CMyselfClient>(m_personViews, m_myselfViews, m_placeLink, *m_personStates,
                                             std::move(info));
  m_rootPlace = std::make_unique<CPlace>(m_myself.get(), new CZrGroup(), new CZrGroup(), m_placeLink,
                                         m_placeLink, m_placeLink, *m_personStates);
  m_rootPlace->SetPersonViews(&m_personViews);
  m_rootPlace->SetWhisperWindows(&m_whispers);
  m_placeLink.SetFirstPage(m_plan.m_firstPage);
  if (m_plan.m_communityName.empty()) m_plan.m_communityName = m_defaultServer;
}

// The selected mood picture, else the Normal one; when neither loads the
// user is told and the default avatar is used.
std::unique_ptr<CPictureBlob> CZrApp::LoadOwnPicture() {
  // Resetting the selection may clear the picture names; the message names
  // the file that was tried.
  const std::string normal = m_settings.m_normal;
  if (normal.empty()) return nullptr;
  std::unique_ptr<CPictureBlob> picture =
      CPictureBlob::PictureBlobFromFile(m_settings.GetSelectedPicture());
  if (picture) return picture;
  m_settings.ResetSelectedPicture();
  picture = CPictureBlob::PictureBlobFromFile(normal);
  if (picture) return picture;
  MessageBoxIds2(kBlankString, kAvatarFileString, normal.c_str());
  m_settings.ClearPictures();
  return nullptr;
}

void CZrApp::ShowConnectingStatus() {
  SetStatusText(AfxLoadString(kConnectingString) + m_plan.m_communityName + "...");
}

// Pages saved with the ".htm" extension open as HTML.
void CZrApp::RegisterPageContentType() {
  static const char kContentType[] = "text/html";
  HKEY key = nullptr;
  if (::RegCreateKeyExA(HKEY_CLASSES_ROOT, ".htm", 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
    return;
  ::RegSetValueExA(key, "Content Type", 0, REG_SZ, reinterpret_cast<const BYTE*>(kContentType),
                   sizeof kContentType);
  ::RegCloseKey(key);
}

void CZrApp::PassToRunningInstance(const std::string& commandLine) {
  SendCopyDataToWindowClass(CChatWnd::kClassName, kHandOverCommandLine, commandLine, nullptr);
}

void CZrApp::SetStatusText(const std::string& text) {
  if (CChatWnd* main = MainFrame()) main->SetStatusText(text);
}

CChatWnd* CZrApp::MainFrame() const { return static_cast<CChatWnd*>(m_pMainWnd); }

CPplManager* CZrApp::GetPeopleManager() const {
  CChatWnd* main = MainFrame();
  return main ? main->GetPeopleManager() : nullptr;
}

bool CZrApp::GetCurrentDir(std::string& directory) {
  char buffer[MAX_PATH] = {};
  const DWORD length = ::GetCurrentDirectoryA(MAX_PATH, buffer);
  if (length == 0 || length >= MAX_PATH) {
    directory.clear();
    return false;
  }
  directory.assign(buffer, length);
  return true;
}

// Games take the user's own-user commands (Start a Game...).
void CZrApp::StartGames() {
  CGames::Program program;
  program.rootPlace = [this] { return GetRootPlace(); };
  program.dialogParent = [this] { return static_cast<CWnd*>(MainFrame()); };
  program.runModal = [this](const std::function<int()>& modal) { return m_boxes.RunWithMainWindowsDisabled(modal); };
  program.measurePicture = [](const std::vector<uint8_t>& bytes, int& width, int& height) {
    CPictureBlob blob(static_cast<uint32_t>(bytes.size()), bytes.data());
    CPicture* picture = blob.Decode();
    if (!picture) return false;
    width = picture->Width();
    height = picture->Height();
    return true;
  };
  program.goTo = [this](const std::string& address) {
    if (CPlace* root = GetRootPlace()) root->ShowUrl(address);
  };
  m_games = std::make_unique<CGames>(std::move(program));
  m_ownUserCommands = std::make_unique<COwnUserCommands>(*this, *m_games);
  SetCommandTarget(ZrCommandTarget::kOwnUser, m_ownUserCommands.get());
}

void CZrApp::StartTransfers() {
  CTransfers::Program program;
  program.rootPlace = [this] { return GetRootPlace(); };
  program.dialogParent = [this] { return static_cast<CWnd*>(MainFrame()); };
  program.minimised = [this] { return MainFrame() && ::IsIconic(MainFrame()->m_hWnd); };
  program.filesEnabled = [this] { return m_settings.m_enableSendingFiles != 0; };
  program.folder = [this](TransferObjectKind kind) {
    if (kind == TransferObjectKind::kGesture) return m_settings.m_gestureDirectory;
    if (kind == TransferObjectKind::kAvatar) return m_settings.m_personPict;
    return std::string("\\");
  };
  program.statusText = [this](const std::string& text) { SetStatusText(text); };
  program.postMessage = [this](const std::string& text) { m_placeLink.PostMessageBox(text); };
  program.ignored = [this](uint32_t person) {
    return m_personStates && m_personStates->GetState(person) != 0;
  };
  // The stage of an auditorium is its room itself; the audience sits in rows.
  program.onStage = [this](uint32_t person) {
    CPlace* root = GetRootPlace();
    if (!root || !root->IsAuditorium()) return false;
    CZrObject* found = root->FindById(person);
    return found && m_avatars.ContainerKindOf(found->GetParent()) == MemberContainer::kPlace;
  };
  m_transfers = std::make_unique<CTransfers>(std::move(program));
}

void CZrApp::StartEvents() {
  m_events = std::make_unique<CAuditoriumEvents>(m_eventsLink, m_seatsLink, [this] { return static_cast<CWnd*>(MainFrame()); });
  SetCommandTarget(ZrCommandTarget::kAuditorium, m_events.get());
}

// Ends what start-up made, in reverse order of need; after a failed start
// only what exists, and the resource library last.
int CZrApp::ExitInstance() {
  m_running = 0;
  SetCommandTarget(ZrCommandTarget::kDialogs, nullptr);
  SetCommandTarget(ZrCommandTarget::kOwnUser, nullptr);
  SetCommandTarget(ZrCommandTarget::kAvatars, nullptr);
  SetCommandTarget(ZrCommandTarget::kAuditorium, nullptr);
  CLocateDlg::CloseOpen();
  m_placesCommands.Stop();
  if (m_rootPlace && m_connection && m_connection->IsConnected()) m_rootPlace->Disconnect();
  if (m_connection) m_connection->Disconnect();
  // The leave and the closing frame reach the server before the sockets go.
  if (m_socketWindow) m_socketWindow->Settle();
  m_ddeSession.reset();
  m_ownUserCommands.reset();
  m_games.reset();
  m_transfers.reset();
  m_tips.Close();
  m_callProgram.reset();
  m_voice.DestroyControl();
  CChatWnd* main = MainFrame();
  if (main && ::IsWindow(main->m_hWnd)) {
    m_settings.Save(true);
    main->DestroyWindow();
  }
  m_boxes.SetMainWindow(nullptr);
  m_boxes.SetWindowsSource(nullptr);
  if (m_indicator.m_hWnd) m_indicator.DestroyWindow();
  HideSplash();
  m_rootPlace.reset();
  m_avatars.DestroyAll();
  ZrWndHost::Set(nullptr);
  m_myself.reset();
  m_personStates.reset();
  m_normalFont.DeleteObject();
  m_boldFont.DeleteObject();
  m_currentConnection = nullptr;
  m_connection.reset();
  m_protocol.reset();
  m_socketWindow.reset();
  if (m_manager) CUcmManager::Install(nullptr);
  m_manager.reset();
  m_port.reset();
  m_browserSetting.reset();
  if (m_oleStarted) ::OleUninitialize();
  m_oleStarted = false;
  TvlSetLogSink(nullptr);
  TvlSetSwitchSource(nullptr);
  CChatPage::SetHost(nullptr);
  SetAppUi(nullptr);
  AfxSetResourceHandle(AfxGetInstanceHandle());
  m_resources.Free();
  if (m_runningMutex) ::CloseHandle(m_runningMutex);
  m_runningMutex = nullptr;
  return CWinApp::ExitInstance();
}
