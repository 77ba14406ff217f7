// Branding values of the resource library: texts, addresses and the on/off
// switches that differ between brands. The library is built once per brand.
#pragma once

#include <cstdint>

struct ZrBrand {
  static constexpr int kStringCount = 17;

  const char* code;  // three-letter brand code
  const char* strings[kStringCount];
  int netscapeDefault;
  int useAvatarService;
  int useOldPtgFlag;  // written through GetUseOldPTG's out pointer
  int gesturesInIm;
  int sendFile;
  int closeNetscapeOnExit;
  int closeNetscapeOnLaunch;

  // The shipped brand.
  static const ZrBrand& Product();
  // The test brand: the same library with every switch flipped, so that the
  // client's other branches can be run.
  static const ZrBrand& Test();
};
