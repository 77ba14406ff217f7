// Exported entry points: each forwards to the portable values of the brand
// this library is built for.
#define ZR_RES_BUILDING
#include "ZrResExports.h"

#include "ZrResValues.h"

namespace {

const CZrResValues& Values() {
#ifdef ZR_RES_TEST_BRAND
  static const CZrResValues values(ZrBrand::Test());
#else
  static const CZrResValues values(ZrBrand::Product());
#endif
  return values;
}

}  // namespace

int CheckVersion(int flag, int major, int minor) {
  return CZrResValues::CheckVersion(flag, major, minor);
}

char* GetDllVersion(char* buffer, int* major, int* minor) {
  return Values().GetDllVersion(buffer, major, minor);
}

uint32_t GetColor(uint32_t index) { return CZrResValues::GetColor(index); }

void GetString(uint32_t index, char* buffer) { Values().GetString(index, buffer); }

int GetToolBar(uint32_t bar, uint32_t button, int* bitmap1, int* bitmap2, int* bitmap3,
               int* bitmap4, int* value1, int* value2, int* value3, int* value4) {
  int* const outs[CZrResValues::kButtonValues] = {bitmap1, bitmap2, bitmap3, bitmap4,
                                                  value1,  value2,  value3,  value4};
  return CZrResValues::GetToolBar(bar, button, outs);
}

int GetAnimationFrames(void) { return CZrResValues::GetAnimationFrames(); }
int GetAnimationRightSpace(void) { return CZrResValues::GetAnimationRightSpace(); }
int GetNetscapeDefault(void) { return Values().GetNetscapeDefault(); }
int GetUseOldPTG(int* flag) { return Values().GetUseOldPTG(flag); }
int GetGesturesInIM(void) { return Values().GetGesturesInIM(); }
int GetSendFile(void) { return Values().GetSendFile(); }
int IsCloseNetscapeOnExit(void) { return Values().IsCloseNetscapeOnExit(); }
int IsCloseNetscapeOnLaunch(void) { return Values().IsCloseNetscapeOnLaunch(); }
int IsUseAvatarService(void) { return Values().IsUseAvatarService(); }
