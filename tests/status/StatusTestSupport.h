// What the status line and pane tests share: the product's resource library
// as the resource module, an application whose main window is a frame, a
// recording stand-in for the application's services, a message pump and
// pixel reading.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "IAppUi.h"

class CFrameWnd;

// Records what the status line and the panes ask of the application; the
// answers are set by the tests.
class FakeAppUi : public IAppUi {
 public:
  std::vector<HWND> redrawList;
  bool myselfInRootPlace = true;
  bool tourGuest = false;
  bool gameGuest = false;
  int observeToggles = 0;

  bool IsListed(HWND window) const;

  void RegisterIdleWindow(HWND window) override { redrawList.push_back(window); }
  void UnregisterIdleWindow(HWND window) override;
  CNameBubble* GetNameBubble() override { return nullptr; }
  bool AreMainWindowsDisabled() override { return false; }
  CPicture* GetBackgroundPicture() override { return nullptr; }
  CFont* GetNormalFont() override { return nullptr; }
  void OpenWithShell(const std::string&) override {}
  void ShowStatusString(UINT, bool) override {}
  bool IsMyselfInRootPlace() override { return myselfInRootPlace; }
  bool IsTourGuest() override { return tourGuest; }
  bool IsGameGuest() override { return gameGuest; }
  bool IsZoomRunning() override { return false; }
  void ToggleObserve() override { ++observeToggles; }
  void SetPeopleStatus(unsigned) override {}
  bool GetPageOrigin(POINT&) override { return false; }
};

// Installs a fresh FakeAppUi for every test.
class StatusTest : public ::testing::Test {
 protected:
  FakeAppUi ui;
  void SetUp() override;
  void TearDown() override;
};

// The application's main window: a visible frame of 480 by 360.
CFrameWnd* MainFrame();
HMODULE Resources();

// Delivers the thread's messages for ms milliseconds.
void Pump(DWORD ms = 30);
// Delivers messages until done() holds or timeoutMs passes; returns done().
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 3000);

// Colour pixels of an area, row by row.
struct Pixels {
  int width = 0;
  int height = 0;
  std::vector<COLORREF> colours;
  COLORREF At(int x, int y) const { return colours[static_cast<size_t>(y * width + x)]; }
};
// The window's client area as it is on the screen.
Pixels ScreenPixels(HWND window);
// Reads pixels back from a memory context.
Pixels ContextPixels(HDC dc, int width, int height);

// The resource library's colour at index (its GetColor export).
COLORREF ResourceColour(uint32_t index);
