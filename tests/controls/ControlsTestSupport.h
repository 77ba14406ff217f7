// What the control tests take from the shared support of the main window's
// control tests, and the key colour of their pictures. Their main window is a
// plain top-level window of 480 by 360.
#pragma once
#include <windows.h>

#include "AppTestEnvironment.h"
#include "AppUiTest.h"
#include "MessagePump.h"
#include "Pixels.h"

using ControlsTest = AppUiTest;

// The transparent key colour of the pictures.
constexpr COLORREF kKeyColour = RGB(204, 204, 204);
