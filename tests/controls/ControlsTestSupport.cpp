#include "ControlsTestSupport.h"

#include "PlainMainWnd.h"

namespace {

testing::Environment* const g_environment = testing::AddGlobalTestEnvironment(
    new AppTestEnvironment("Controls", [] { return new PlainMainWnd; }));

}  // namespace
