// What the bar tests add to the shared support of the control tests: a main
// frame that records what its bars send (TestFrame), a fixture that makes it
// active, the commands posted to it, and mouse messages.
#pragma once
#include <windows.h>

#include <vector>

#include "AppTestEnvironment.h"
#include "AppUiTest.h"
#include "MessagePump.h"
#include "Pixels.h"
#include "TestFrame.h"

// The shared fixture with the frame active and its records cleared.
class BarsTest : public AppUiTest {
 protected:
  void SetUp() override;
  void TearDown() override;
};

// The application's main window: a visible, active frame of 480 by 360.
TestFrame* MainFrame();

// The ids of the WM_COMMAND messages queued for the main frame (taken off
// the queue).
std::vector<UINT> PostedCommands();

// Sends a mouse message at a client point of window.
void SendMouse(HWND window, UINT message, int x, int y);
// A client point in the middle of rect.
POINT Centre(const RECT& rect);
