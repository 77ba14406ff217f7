// What the control tests share: the product's resource library as the
// resource module, an application object whose main window is a plain
// top-level window, a recording stand-in for the application's services,
// and pixel reading.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "IAppUi.h"

// Records what the controls ask of the application; the answers are set by
// the tests.
class FakeAppUi : public IAppUi {
 public:
  std::vector<HWND> redrawList;
  bool mainWindowsDisabled = false;
  bool myselfInRootPlace = true;
  bool zoomRunning = false;
  bool hasPage = false;
  POINT pageOrigin{0, 0};
  std::vector<std::pair<UINT, bool>> statusStrings;
  std::vector<unsigned> peopleStatus;
  int observeToggles = 0;
  std::vector<std::string> opened;

  // How often window is in the redraw list.
  int RedrawEntries(HWND window) const;

  void RegisterIdleWindow(HWND window) override { redrawList.push_back(window); }
  void UnregisterIdleWindow(HWND window) override;
  CNameBubble* GetNameBubble() override { return nullptr; }
  bool AreMainWindowsDisabled() override { return mainWindowsDisabled; }
  CPicture* GetBackgroundPicture() override { return nullptr; }
  CFont* GetNormalFont() override { return nullptr; }
  void OpenWithShell(const std::string& address) override { opened.push_back(address); }
  void ShowStatusString(UINT stringId, bool keep) override {
    statusStrings.emplace_back(stringId, keep);
  }
  bool IsMyselfInRootPlace() override { return myselfInRootPlace; }
  bool IsTourGuest() override { return false; }
  bool IsGameGuest() override { return false; }
  bool IsZoomRunning() override { return zoomRunning; }
  void ToggleObserve() override { ++observeToggles; }
  void SetPeopleStatus(unsigned state) override { peopleStatus.push_back(state); }
  bool GetPageOrigin(POINT& origin) override;
};

// Installs a fresh FakeAppUi for every test and empties the main window's
// queue before and after.
class ControlsTest : public ::testing::Test {
 protected:
  FakeAppUi ui;
  void SetUp() override;
  void TearDown() override;
};

// The application's main window (visible, top-level, 480 by 360).
CWnd* MainWnd();
HMODULE Resources();

// Delivers the thread's messages for ms milliseconds.
void Pump(DWORD ms = 30);
// Takes every queued message of number message for window and its
// children off the queue (the message's hwnd tells them apart).
std::vector<MSG> TakeMessages(HWND window, UINT message);

// Colour pixels of an area, row by row.
struct Pixels {
  int width = 0;
  int height = 0;
  std::vector<COLORREF> colours;
  COLORREF At(int x, int y) const { return colours[static_cast<size_t>(y * width + x)]; }
};
// The window's client area as it is on the screen.
Pixels ScreenPixels(HWND window);
// Bitmap id of the resource library as it is stored.
Pixels BitmapPixels(UINT bitmapId);
// A slice of pixels.
Pixels Slice(const Pixels& pixels, int x, int width);
// Reads pixels back from a memory context.
Pixels ContextPixels(HDC dc, int width, int height);

// Expects equal pixels; where the reference has ignore, any pixel passes.
void ExpectSamePixels(const Pixels& shown, const Pixels& reference,
                      COLORREF ignore = CLR_INVALID);

// The transparent key colour of the pictures.
constexpr COLORREF kKeyColour = RGB(204, 204, 204);
