#include "StatusTestSupport.h"

#include "CFrameWnd.h"

namespace {

testing::Environment* const g_environment = testing::AddGlobalTestEnvironment(
    new AppTestEnvironment("Status", [] { return new CFrameWnd; }));

}  // namespace

CFrameWnd* MainFrame() { return static_cast<CFrameWnd*>(MainWnd()); }

COLORREF ResourceColour(uint32_t index) {
  auto getColor = reinterpret_cast<uint32_t (*)(uint32_t)>(
      reinterpret_cast<void*>(::GetProcAddress(Resources(), "GetColor")));
  return getColor ? getColor(index) : CLR_INVALID;
}
