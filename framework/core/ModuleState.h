// The program's module state: its instance handle and the resource module
// that every dialog, menu, string, accelerator table, bitmap, icon and cursor
// is loaded from (the resource library, not the program itself).
#pragma once
#include <windows.h>

#include <string>

HINSTANCE AfxGetInstanceHandle();
void AfxSetInstanceHandle(HINSTANCE instance);
// The resource module; the program's own module until one is set.
HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE module);

// The string with id from the resource module; empty when it has none.
std::string AfxLoadString(UINT id);
// The string with id, or fallback when the resource module lacks it.
std::string AfxLoadString(UINT id, const char* fallback);
