// What the main window's own controls (bars, tab rows, status line,
// indicator, panes, splash) need of the running application. The client's
// application object implements it and installs it at start; tests install
// their own. Every call is safe before installation: AppUi() then answers
// with a do-nothing instance.
#pragma once
#include <windows.h>

#include <string>

class CFont;
class CNameBubble;
class CPicture;
class CWnd;

class IAppUi {
 public:
  virtual ~IAppUi() = default;

  // The list of windows repainted when the palette changes.
  virtual void RegisterIdleWindow(HWND window) = 0;
  virtual void UnregisterIdleWindow(HWND window) = 0;

  // The main window's name bubble, or null when it has none.
  virtual CNameBubble* GetNameBubble() = 0;
  // True while a modal box or dialog has the main windows disabled.
  virtual bool AreMainWindowsDisabled() = 0;
  // The application's background picture (bitmap 323, the tile of the
  // background brush); null when missing.
  virtual CPicture* GetBackgroundPicture() = 0;
  // The application's normal (weight 400) font; null before start-up.
  virtual CFont* GetNormalFont() = 0;
  // The shell's "open" of an address or file, the main window as owner.
  virtual void OpenWithShell(const std::string& address) = 0;
  // Shows a string of the resource library on the main status line; keep
  // makes it the lasting text.
  virtual void ShowStatusString(UINT stringId, bool keep) = 0;

  // The local user's situation, as the indicator and the pane menus read it.
  // In the root place: the root place reports the local user inside it.
  virtual bool IsMyselfInRootPlace() = 0;
  // The local user is a guest (not the host) of a group that is a tour and
  // not a game / that is a game.
  virtual bool IsTourGuest() = 0;
  virtual bool IsGameGuest() = 0;
  // The avatar zoom effect is running.
  virtual bool IsZoomRunning() = 0;
  // The enter/leave toggle of the Enter Room command.
  virtual void ToggleObserve() = 0;
  // The people manager's status line follows the indicator state.
  virtual void SetPeopleStatus(unsigned state) = 0;
  // Top-left corner of the root place's page area in the coordinates of the
  // indicator's parent; false when there is no page.
  virtual bool GetPageOrigin(POINT& origin) = 0;
};

// The installed instance, never null.
IAppUi& AppUi();
// Installs ui (null puts the do-nothing instance back).
void SetAppUi(IAppUi* ui);
