#include "IAppUi.h"

namespace {

class CNoAppUi : public IAppUi {
 public:
  void RegisterIdleWindow(HWND) override {}
  void UnregisterIdleWindow(HWND) override {}
  CNameBubble* GetNameBubble() override { return nullptr; }
  bool AreMainWindowsDisabled() override { return false; }
  CPicture* GetBackgroundPicture() override { return nullptr; }
  CFont* GetNormalFont() override { return nullptr; }
  void OpenWithShell(const std::string&) override {}
  void ShowStatusString(UINT, bool) override {}
  bool IsMyselfInRootPlace() override { return false; }
  bool IsTourGuest() override { return false; }
  bool IsGameGuest() override { return false; }
  bool IsZoomRunning() override { return false; }
  void ToggleObserve() override {}
  void SetPeopleStatus(unsigned) override {}
  bool GetPageOrigin(POINT&) override { return false; }
};

CNoAppUi g_noUi;
IAppUi* g_ui = &g_noUi;

}  // namespace

IAppUi& AppUi() { return *g_ui; }

void SetAppUi(IAppUi* ui) { g_ui = ui ? ui : &g_noUi; }
