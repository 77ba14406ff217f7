// What the status line and pane tests add to the shared support of the main
// window's control tests: a frame as the main window, and the resource
// library's colours read straight from it.
#pragma once
#include <windows.h>

#include <cstdint>

#include "AppTestEnvironment.h"
#include "AppUiTest.h"
#include "MessagePump.h"
#include "Pixels.h"

class CFrameWnd;

using StatusTest = AppUiTest;

// The application's main window: a visible frame of 480 by 360.
CFrameWnd* MainFrame();

// The resource library's colour at index (its GetColor export).
COLORREF ResourceColour(uint32_t index);
