// ZrDirectory: the directory browser program, showing its pages in the
// system's web browser control.
#include <memory>

#include "CBrowserControl.h"
#include "CDirectoryApp.h"
#include "CWebHost.h"

CDirectoryApp theApp([] { return std::make_unique<CBrowserControl>(CWebHost::kControlName); });
