// The client's application object: it starts the client in a fixed order,
// owns every long-lived object and ends them in a fixed order at exit.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "BrowserChoice.h"
#include "CAuditoriumEventsLink.h"
#include "CAuditoriumSeatsLink.h"
#include "CCallProgramLink.h"
#include "CChatLink.h"
#include "CDdeSessionHost.h"
#include "CDialogCommands.h"
#include "CDirectoryLink.h"
#include "CFont.h"
#include "CBrowserWndLink.h"
#include "CIndicatorButton.h"
#include "CPageFrameLink.h"
#include "CAvatarWindows.h"
#include "CMyselfViewsLink.h"
#include "CVoiceSession.h"
#include "CPeopleHostLink.h"
#include "CVoiceViewLink.h"
#include "CPersonViewsLink.h"
#include "CInteractionLink.h"
#include "CPlaceWhispersLink.h"
#include "CPlacesCommands.h"
#include "CSavedRegistryValue.h"
#include "CServiceLinks.h"
#include "CSmallDialogs.h"
#include "CTipManager.h"
#include "CWinApp.h"
#include "IAppUi.h"
#include "ICommandTarget.h"
#include "ITipHost.h"
#include "Picture.h"
#include "CZrPlaceLink.h"
#include "CPromotions.h"
#include "CZrResLibrary.h"
#include "ZoomRectEffect.h"
#include "TvlMessageBoxSink.h"
#include "TvlProfileSwitchSource.h"
#include "ZrCommandTable.h"
#include "ZrLayoutRecord.h"
#include "ZrMessageBox.h"
#include "ZrPrivateProfile.h"
#include "ZrSettings.h"
#include "ZrStartPlan.h"
#include "ZrWinSettingsHost.h"

class CAuditoriumEvents;
class CChatWnd;
class CGames;
class COwnUserCommands;
class CTransfers;
class CCommunityConnection;
class CCommunityProtocol;
class CMyselfClient;
class CPersonStateList;
class CPlace;
class CPlaceAddress;
class CPplManager;
class CPictureBlob;
class CUcmManager;
class CUcmSocketWindow;
class CUcmWinsockPort;
class CZrPerson;

class CZrApp : public CWinApp, public IAppUi, public ITipHost {
 public:
  // Codes of WM_COPYDATA between the client, a second copy and the
  // directory program.
  static constexpr uint32_t kHandOverCommandLine = 5345;
  static constexpr char kDirectoryClass[] = "ZRDirectory";
  static constexpr char kSocketClass[] = "Tvl32Sock";
  // Held by the copy that goes on, from before it looks for a running one.
  static constexpr char kRunningMutex[] = "ZantheClientStarted";
  // How long a copy that finds the mutex taken waits for the other's frame.
  static constexpr DWORD kFrameWaitMs = 20000;
  // Classes of users: administrators, hosts, both.
  static constexpr uint32_t kAdminClass = 272;
  static constexpr uint32_t kHostClass = 273;
  static constexpr uint32_t kAdminHostClass = 274;
  // Reason of the disconnect after the idle prompt went unanswered.
  static constexpr int32_t kIdleDisconnect = 229;
  // Participation states of the indicator.
  enum IndicatorState : unsigned { kWaiting = 0, kParticipating = 1, kObserving = 2, kDisconnected = 3 };
  // The own user's part in a group of the place.
  enum class GroupRole { kNone, kHost, kGuest };

  CZrApp();
  ~CZrApp() override;

  bool InitInstance() override;
  int ExitInstance() override;

  CPlace* GetRootPlace() const { return m_rootPlace.get(); }
  CCommunityConnection* GetConnection() const { return m_connection.get(); }
  CZrSettings& Settings() { return m_settings; }
  CZrLayoutRecord& Layout() { return m_layout; }
  const CZrResLibrary& Resources() const { return m_resources; }
  int32_t GetLayoutMode() const { return m_plan.m_layoutMode; }
  CZrMessageBox& Boxes() { return m_boxes; }
  CSmallDialogs& SmallDialogs() { return m_smallDialogs; }
  // The places manager and the favourites.
  CPlacesCommands& Places() { return m_placesCommands; }
  CChatWnd* MainFrame() const;
  CZrPerson* GetMyself() const;
  CPersonStateList* GetPersonStateList() const { return m_personStates.get(); }
  CPlaceWhispersLink& Whispers() { return m_whispers; }
  CAvatarWindows& Avatars() { return m_avatars; }
  CPromotions& Promotions() { return m_promotions; }
  // Chat pages, the tab container and balloons.
  CChatLink& Chat() { return m_chat; }
  // The people column of the main window; null while it has no window.
  CPplManager* GetPeopleManager() const;
  bool IsRunning() const { return m_running != 0; }
  // The root place reports that it is connected.
  bool IsConnected() const;
  bool IsAuditorium() const;
  uint32_t GetOwnUserClass() const;
  GroupRole GetGameRole() const;
  GroupRole GetTourRole() const;
  // The own user sits in a seat row of the place.
  bool IsInRow() const;
  // The page is shown by the directory program instead of a frame of ours.
  bool IsPageInDirectoryProgram() const { return m_pagesInDirectoryProgram; }
  CZrPlaceLink& PlaceLink() { return m_placeLink; }
  CVoiceSession& Voice() { return m_voice; }
  const CServiceLinks& ServiceLinks() const { return m_links; }
  CInteractionLink& Interactions() { return m_interactions; }
  CPageFrameLink& PageFrame() { return m_pageFrameLink; }
  CIndicatorButton& Indicator() { return m_indicator; }
  BrowserView GetBrowserView() const { return m_browserView; }
  CCallProgramLink* GetCallProgramLink() { return m_callProgram.get(); }
  // The DDE session, from start-up to exit; null outside that time.
  // Games bound through their automation servers; null before start-up.
  CGames* Games() { return m_games.get(); }
  // Objects sent between users; null before start-up.
  CTransfers* Transfers() { return m_transfers.get(); }
  // The auditorium's event dialogs; null before start-up.
  CAuditoriumEvents* Events() { return m_events.get(); }
  CDdeSession* GetDdeSession() { return m_ddeSession ? &m_ddeSession->Session() : nullptr; }

  // Closes the community connection and tells the place of the disconnect.
  void CloseConnection(int32_t reason);
  void SetReconnectOnActivation(bool on) { m_reconnectOnActivation = on; }
  // 1 before a modal box or dialog, 0 after it: the main windows are
  // disabled while any is up.
  void EnableMainWindows(bool modalUp);
  void SendDirectoryHideAndClose();
  void HideBrowserFrame();
  void CloseBrowserFrame();
  void SetIndicatorState(unsigned state);
  // Moves the indicator into the window that shows the page; null puts it
  // back on the main window, hidden.
  void SetIndicatorParent(CWnd* window);
  unsigned GetIndicatorState() const;
  void RedrawAllWindows();
  CTipManager& Tips() { return m_tips; }
  // The object that carries out the commands of a target from now on (null:
  // none, and they are disabled again).
  void SetCommandTarget(ZrCommandTarget target, ICommandTarget* object);
  // Deferred commands go to their object; the others to the command map.
  bool OnCmdMsg(UINT id, UINT code, zr::MsgCall* call) override;
  // The Links submenu from the list at address; true when the list named no
  // page, so that the service's own pages must fill it.
  bool LoadLinksMenu(const std::string& address);
  void BuildServiceLinksMenu();

  // Receivers of the main window's private messages.
  LRESULT OnAvatarZoom(WPARAM wParam, LPARAM lParam);
  void ShowPlaceEnterDialog();
  // Opens the directory page; clearReplicated also ends the replicated mark.
  void Refresh(bool clearReplicated);
  // The page gives way to the place: the directory program hides, or the
  // page frame closes.
  void CloseBrowser();
  void Reconnect();
  // After a lost connection: true when a reconnect was posted.
  bool PostReconnect();
  // The Server Inaccessible dialog, with its advice page as often as the
  // user asks; Reconnect reconnects.
  void ConfirmServerInaccessible();
  void ReplayDeferredDdeCommands();
  LRESULT HandOnPendingTransfer(WPARAM wParam, LPARAM lParam);
  void OnDirectoryCommand(WPARAM sender, LPARAM data);
  // A second copy's command line: the place address in it is opened with
  // the main window brought forward.
  void OpenCommandLine(const std::string& commandLine);
  void OpenPlaceAddress(const CPlaceAddress& address, bool activate);
  void ActivateMainWindow();
  bool GoToPlace(const std::string& community);
  // The server chosen in the Community Servers dialog; its title becomes
  // the community host item.
  void GoToCommunityServer(const std::string& address, const std::string& title);
  void ResetPlaceState();

  // IAppUi
  void RegisterIdleWindow(HWND window) override;
  void UnregisterIdleWindow(HWND window) override;
  CNameBubble* GetNameBubble() override;
  bool AreMainWindowsDisabled() override { return m_boxes.DialogUpCount() > 0; }
  CPicture* GetBackgroundPicture() override;
  CFont* GetNormalFont() override { return m_normalFont.m_hObject ? &m_normalFont : nullptr; }
  CFont* GetBoldFont() { return m_boldFont.m_hObject ? &m_boldFont : nullptr; }
  void OpenWithShell(const std::string& address) override;
  void ShowStatusString(UINT stringId, bool keep) override;
  bool IsMyselfInRootPlace() override;
  bool IsTourGuest() override { return GetTourRole() == GroupRole::kGuest; }
  bool IsGameGuest() override { return GetGameRole() == GroupRole::kGuest; }
  bool IsZoomRunning() override;
  void ToggleObserve() override;
  void SetPeopleStatus(unsigned state) override;
  bool GetPageOrigin(POINT& origin) override;

  // ITipHost
  bool GetTipsAtStart() override { return m_settings.m_showTipAtStart != 0; }
  void SetTipsAtStart(bool show) override { m_settings.m_showTipAtStart = show ? 1 : 0; }
  std::string GetTipState() override { return m_settings.m_lastTipNew; }
  void SaveTipState(const std::string& text) override;
  const std::string& GetCommunityName() const { return m_plan.m_communityName; }

  void SetCommunityName(const std::string& name) { m_plan.m_communityName = name; }
  void SetPlaceName(const std::string& page) { m_plan.m_pendingPlacePage = page; }
  // The address of the home page (the settings' default place).
  void SetHomePage(const std::string& address) { m_plan.m_homePage = address; }
  // The process's current directory; false (and empty) when unreadable.
  static bool GetCurrentDir(std::string& directory);
  void SetStatusText(const std::string& text);
  void ClearReconnectState() { m_reconnectCount = 0; }

 private:
  bool LoadResourceLibrary();
  bool IsClientRunning();
  void ReadCommandLine();
  bool InitProtocol();
  void CreateFonts();
  bool CreateMainWindow();
  void StartGames();
  void StartTransfers();
  void StartEvents();
  void CreateSession();
  std::unique_ptr<CPictureBlob> LoadOwnPicture();
  CPromotionSite PromotionSite();
  void ShowConnectingStatus();
  void RegisterPageContentType();
  void PassToRunningInstance(const std::string& commandLine);
  void CreateIndicator();
  void CreateVoiceControl();
  void EnableVoice(bool enable);
  void AttachPageFrame();
  BrowserView ChooseBrowserView() const;
  // Pages load as the client expects only with these browser settings.
  void ForceBrowserSetting();
  void ShowStartTip();
  void SetLayoutMode(int32_t mode);
  bool IsPlaced() const { return m_running && m_rootPlace; }

  // Commands.
  void OnTipOfTheDay();
  void OnTourTip();
  void OnAuditoriumTip();
  void OnLayoutClassic();
  void OnLayoutTextOnly();
  void OnLayoutAvatarsOnly();
  void OnLayoutBrowserOnly();
  void OnUpdateLayoutClassic(CCmdUI* ui);
  void OnUpdateLayoutTextOnly(CCmdUI* ui);
  void OnUpdateLayoutAvatarsOnly(CCmdUI* ui);
  void OnUpdateLayoutBrowserOnly(CCmdUI* ui);
  void OnResetLayout();
  void OnSaveLayout();
  void OnUpdateSaveLayout(CCmdUI* ui);
  void OnToggleAvatarSize();
  void OnUpdateToggleAvatarSize(CCmdUI* ui);
  void OnLayoutMenu();
  void OnUpdateLayoutMenu(CCmdUI* ui);
  void OnToursMenu();
  // Pops menu up under the tool-bar button; true when the user chose or
  // dismissed it (it was shown).
  bool TrackToolBarMenu(UINT buttonId, UINT menuId);
  ZrCommandState CommandState() const;
  void RunDeferredCommand(UINT id);
  void OnUpdatePlaced(CCmdUI* ui);
  void OnUpdateConnected(CCmdUI* ui);
  void OnHelp();
  void OnWebHelp();
  void OnMinimizeToHvn();
  void OnShowDirectory();
  void OnUpdateShowDirectory(CCmdUI* ui);
  void OnEventManagement();
  void OnParticipate();
  void OnUpdateEventManagement(CCmdUI* ui);
  void OnCloseBrowser();
  void OnAppExit();
  void OnLink(UINT command);
  void SaveMainWindowPlacement();

  DECLARE_MESSAGE_MAP()

  CZrPrivateProfile m_profile;
  CZrWinSettingsHost m_settingsHost;
  CZrSettings m_settings;
  CZrLayoutRecord m_layout;
  CZrStartPlan m_plan;
  CZrMessageBox m_boxes;
  CZrResLibrary m_resources;
  CTvlProfileSwitchSource m_switches;
  CTvlMessageBoxSink m_logSink;

  HANDLE m_runningMutex = nullptr;
  std::string m_defaultServer;
  std::string m_currentDir;
  bool m_hasCurrentDir = false;
  int32_t m_running = 0;
  int32_t m_reconnectCount = -1;
  CFont m_normalFont;
  CFont m_boldFont;
  CPicture m_backgroundPicture;
  CIndicatorButton m_indicator;
  CTipManager m_tips;
  CServiceLinks m_links;
  CDialogCommands m_dialogCommands{*this};
  std::unique_ptr<CGames> m_games;
  std::unique_ptr<COwnUserCommands> m_ownUserCommands;
  std::unique_ptr<CTransfers> m_transfers;
  CAuditoriumEventsLink m_eventsLink{*this};
  CAuditoriumSeatsLink m_seatsLink{*this};
  std::unique_ptr<CAuditoriumEvents> m_events;
  CDirectoryLink m_directoryLink{*this};
  CPageFrameLink m_pageFrameLink{*this};
  CBrowserWndLink m_browserWndLink{*this};
  CSmallDialogs m_smallDialogs{*this};
  CPlacesCommands m_placesCommands{*this};
  ICommandTarget* m_commandTargets[static_cast<size_t>(ZrCommandTarget::kCount)] = {};
  std::vector<HWND> m_idleWindows;
  BrowserView m_browserView = BrowserView::kNone;
  bool m_oleStarted = false;
  CVoiceSession m_voice;
  std::unique_ptr<CSavedRegistryValue> m_browserSetting;
  std::unique_ptr<CCallProgramLink> m_callProgram;
  bool m_pagesInDirectoryProgram = false;
  bool m_reconnectOnActivation = false;

  std::unique_ptr<CUcmWinsockPort> m_port;
  std::unique_ptr<CUcmManager> m_manager;
  std::unique_ptr<CUcmSocketWindow> m_socketWindow;
  CZrPlaceLink m_placeLink;
  // The connection that the protocol handler gives its sessions to.
  CCommunityConnection* m_currentConnection = nullptr;
  std::unique_ptr<CCommunityProtocol> m_protocol;
  std::unique_ptr<CCommunityConnection> m_connection;
  CAvatarWindows m_avatars{*this};
  // The zoom between the indicator and the own avatar; made with the main
  // window.
  std::unique_ptr<CZoomRectEffect> m_zoom;
  CPromotions m_promotions{PromotionSite()};
  CChatLink m_chat{*this};
  CMyselfViewsLink m_myselfViews{*this};
  CPlaceWhispersLink m_whispers{*this};
  CInteractionLink m_interactions{*this};
  std::unique_ptr<CPersonStateList> m_personStates;
  std::unique_ptr<CMyselfClient> m_myself;
  std::unique_ptr<CPlace> m_rootPlace;
  // Persons of the place reach the DDE session through it, up to the end
  // of the root place.
  CPersonViewsLink m_personViews{*this};
  CPeopleHostLink m_peopleHost{*this};
  CVoiceViewLink m_voiceView{*this};
  std::unique_ptr<CDdeSessionHost> m_ddeSession;
};

// The running client's application object.
CZrApp& ZrApp();
