// The client's application object: it starts the client in a fixed order,
// owns every long-lived object and ends them in a fixed order at exit.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "CFont.h"
#include "CWinApp.h"
#include "CZrPlaceLink.h"
#include "CZrResLibrary.h"
#include "TvlMessageBoxSink.h"
#include "TvlProfileSwitchSource.h"
#include "ZrLayoutRecord.h"
#include "ZrMessageBox.h"
#include "ZrPrivateProfile.h"
#include "ZrSettings.h"
#include "ZrStartPlan.h"
#include "ZrWinSettingsHost.h"

class CChatWnd;
class CCommunityConnection;
class CCommunityProtocol;
class CPersonStateList;
class CPlace;
class CPictureBlob;
class CUcmManager;
class CUcmSocketWindow;
class CUcmWinsockPort;
class CZrPerson;

class CZrApp : public CWinApp {
 public:
  // Codes of WM_COPYDATA between the client, a second copy and the
  // directory program.
  static constexpr uint32_t kHandOverCommandLine = 5345;
  static constexpr uint32_t kDirectoryHide = 1538;
  static constexpr uint32_t kDirectoryClose = 1536;
  static constexpr char kDirectoryClass[] = "ZRDirectory";
  static constexpr char kSocketClass[] = "Tvl32Sock";
  // Held by the copy that goes on, from before it looks for a running one.
  static constexpr char kRunningMutex[] = "ZantheClientStarted";
  // How long a copy that finds the mutex taken waits for the other's frame.
  static constexpr DWORD kFrameWaitMs = 20000;

  CZrApp();
  ~CZrApp() override;

  bool InitInstance() override;
  int ExitInstance() override;

  CPlace* GetRootPlace() const { return m_rootPlace.get(); }
  CCommunityConnection* GetConnection() const { return m_connection.get(); }
  CZrSettings& Settings() { return m_settings; }
  CZrMessageBox& Boxes() { return m_boxes; }
  CChatWnd* MainFrame() const;
  CZrPerson* GetMyself() const { return m_myself.get(); }
  bool IsRunning() const { return m_running != 0; }
  const std::string& GetCommunityName() const { return m_plan.m_communityName; }

  void SetCommunityName(const std::string& name) { m_plan.m_communityName = name; }
  void SetPlaceName(const std::string& page) { m_plan.m_pendingPlacePage = page; }
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
  void CreateSession();
  std::unique_ptr<CPictureBlob> LoadOwnPicture();
  void ShowConnectingStatus();
  void RegisterPageContentType();
  void PassToRunningInstance(const std::string& commandLine);

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

  std::unique_ptr<CUcmWinsockPort> m_port;
  std::unique_ptr<CUcmManager> m_manager;
  std::unique_ptr<CUcmSocketWindow> m_socketWindow;
  CZrPlaceLink m_placeLink;
  // The connection that the protocol handler gives its sessions to.
  CCommunityConnection* m_currentConnection = nullptr;
  std::unique_ptr<CCommunityProtocol> m_protocol;
  std::unique_ptr<CCommunityConnection> m_connection;
  std::unique_ptr<CPersonStateList> m_personStates;
  std::unique_ptr<CZrPerson> m_myself;
  std::unique_ptr<CPlace> m_rootPlace;
};
