// The entry point of framework programs: the application is the global
// CWinApp object the program defines.
#include "CWinApp.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int cmdShow) {
  return AfxWinMain(instance, cmdShow);
}
