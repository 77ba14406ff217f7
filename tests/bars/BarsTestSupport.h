// What the bar tests share: the product's resource library as the resource
// module, a main frame that records the prompts and commands its bars send
// and has update handlers for a range of test commands, a recording
// stand-in for the application's services, mouse messages and pixel
// reading.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "CFrameWnd.h"
#include "IAppUi.h"

// Commands of the test frame: an update handler for the first range
// (enabled as updateEnable says, enabled when not listed), a command
// handler only for kHandledCommand, nothing at all for kUnhandledCommand.
constexpr UINT kUpdatedFirst = 40100;
constexpr UINT kUpdatedLast = 40109;
constexpr UINT kHandledCommand = 40200;
constexpr UINT kUnhandledCommand = 40300;

class TestFrame : public CFrameWnd {
 public:
  std::vector<UINT> prompts;
  // Commands as they reached the frame's handlers (sent or dispatched).
  std::vector<UINT> commands;
  std::map<UINT, bool> updateEnable;

 protected:
  LRESULT OnPrompt(WPARAM id, LPARAM);
  void OnTestCommand(UINT id);
  void OnHandledCommand();
  void OnUpdateTest(CCmdUI* ui);
  DECLARE_MESSAGE_MAP()
};

class CNameBubble;
class CPicture;

class FakeAppUi : public IAppUi {
 public:
  std::vector<HWND> redrawList;
  CNameBubble* bubble = nullptr;
  CPicture* background = nullptr;

  bool IsListed(HWND window) const;

  void RegisterIdleWindow(HWND window) override { redrawList.push_back(window); }
  void UnregisterIdleWindow(HWND window) override;
  CNameBubble* GetNameBubble() override { return bubble; }
  bool AreMainWindowsDisabled() override { return false; }
  CPicture* GetBackgroundPicture() override { return background; }
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

// Installs a fresh FakeAppUi, makes the frame active and clears what it
// recorded.
class BarsTest : public ::testing::Test {
 protected:
  FakeAppUi ui;
  void SetUp() override;
  void TearDown() override;
};

// The application's main window: a visible, active frame of 480 by 360.
TestFrame* MainFrame();
HMODULE Resources();

// Delivers the thread's messages for ms milliseconds.
void Pump(DWORD ms = 30);
// Takes the queued messages of number message for window off the queue.
std::vector<MSG> TakeMessages(HWND window, UINT message);
// The ids of the WM_COMMAND messages queued for the main frame (taken off
// the queue).
std::vector<UINT> PostedCommands();

// Sends a mouse message at a client point of window.
void SendMouse(HWND window, UINT message, int x, int y);
// A client point in the middle of rect.
POINT Centre(const RECT& rect);

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
// A part of pixels.
Pixels Crop(const Pixels& pixels, const RECT& rect);
// Reads pixels back from a memory context.
Pixels ContextPixels(HDC dc, int width, int height);
// Number of pixels that differ.
int CountDifferences(const Pixels& shown, const Pixels& reference);
// Number of pixels of colour.
int CountColour(const Pixels& pixels, COLORREF colour);
