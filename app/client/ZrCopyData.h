// Hands a text to the top-level window of another program by WM_COPYDATA.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

// Sends (synchronously) the text with its terminating zero and the code as
// the record's data word to the top-level window of the class, with the
// sender's main window (or none) as wParam. False when no such window exists.
bool SendCopyDataToWindowClass(const char* className, uint32_t code, const std::string& text,
                               HWND sender);
