// The product settings that the resource library exports, as plain code that
// needs no Windows headers: version check, brand code, colours, numbered
// product strings, the tool-bar table, animation metrics and the switches.
#pragma once

#include <cstdint>

#include "ZrBrand.h"

class CZrResValues {
 public:
  static constexpr int kVersionMajor = 2;
  static constexpr int kVersionMinor = 1;
  static constexpr uint32_t kColorCount = 20;
  static constexpr uint32_t kBarCount = 3;
  static constexpr uint32_t kButtonsPerBar = 10;
  static constexpr int kButtonValues = 8;  // four bitmap ids, four further ints
  static constexpr int kStringBufferSize = 80;

  explicit CZrResValues(const ZrBrand& brand) : m_brand(brand) {}

  static int CheckVersion(int flag, int major, int minor);
  char* GetDllVersion(char* buffer, int* major, int* minor) const;
  static uint32_t GetColor(uint32_t index);
  void GetString(uint32_t index, char* buffer) const;
  // outs holds eight pointers; a null pointer is skipped.
  static int GetToolBar(uint32_t bar, uint32_t button, int* const outs[kButtonValues]);
  static int GetAnimationFrames() { return 5; }
  static int GetAnimationRightSpace() { return 2; }
  int GetNetscapeDefault() const { return m_brand.netscapeDefault; }
  int IsUseAvatarService() const { return m_brand.useAvatarService; }
  int GetUseOldPTG(int* flag) const;
  int GetGesturesInIM() const { return m_brand.gesturesInIm; }
  int GetSendFile() const { return m_brand.sendFile; }
  int IsCloseNetscapeOnExit() const { return m_brand.closeNetscapeOnExit; }
  int IsCloseNetscapeOnLaunch() const { return m_brand.closeNetscapeOnLaunch; }

 private:
  const ZrBrand& m_brand;
};
