// A recording stand-in for the application's services: it keeps what the
// main window's controls ask of the application and answers as the test
// sets its fields.
#pragma once
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "IAppUi.h"

class FakeAppUi : public IAppUi {
 public:
  // Windows registered for repainting, once per registration.
  std::vector<HWND> redrawList;
  CNameBubble* bubble = nullptr;
  CPicture* background = nullptr;
  bool mainWindowsDisabled = false;
  bool myselfInRootPlace = true;
  bool tourGuest = false;
  bool gameGuest = false;
  bool zoomRunning = false;
  bool hasPage = false;
  POINT pageOrigin{0, 0};
  std::vector<std::pair<UINT, bool>> statusStrings;
  std::vector<unsigned> peopleStatus;
  int observeToggles = 0;
  std::vector<std::string> opened;

  // How often window is in the redraw list.
  int RedrawEntries(HWND window) const;
  bool IsListed(HWND window) const { return RedrawEntries(window) > 0; }

  void RegisterIdleWindow(HWND window) override { redrawList.push_back(window); }
  void UnregisterIdleWindow(HWND window) override;
  CNameBubble* GetNameBubble() override { return bubble; }
  bool AreMainWindowsDisabled() override { return mainWindowsDisabled; }
  CPicture* GetBackgroundPicture() override { return background; }
  CFont* GetNormalFont() override { return nullptr; }
  void OpenWithShell(const std::string& address) override { opened.push_back(address); }
  void ShowStatusString(UINT stringId, bool keep) override {
    statusStrings.emplace_back(stringId, keep);
  }
  bool IsMyselfInRootPlace() override { return myselfInRootPlace; }
  bool IsTourGuest() override { return tourGuest; }
  bool IsGameGuest() override { return gameGuest; }
  bool IsZoomRunning() override { return zoomRunning; }
  void ToggleObserve() override { ++observeToggles; }
  void SetPeopleStatus(unsigned state) override { peopleStatus.push_back(state); }
  bool GetPageOrigin(POINT& origin) override;
};
