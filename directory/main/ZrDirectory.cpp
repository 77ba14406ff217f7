// ZrDirectory: the directory browser program, showing its pages in the
// system's WebBrowser control.
#include <memory>

#include "CBrowserControl.h"
#include "CDirectoryApp.h"

CDirectoryApp theApp([] { return std::make_unique<CBrowserControl>(); });
