#include "ZrResValues.h"

#include <algorithm>
#include <cstring>

namespace {

// A COLORREF word: red in the low byte; high byte 2 marks a colour relative to
// the selected palette.
constexpr uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b) { return r | (g << 8) | (b << 16); }
constexpr uint32_t PaletteRgb(uint32_t r, uint32_t g, uint32_t b) {
  return 0x02000000u | Rgb(r, g, b);
}

constexpr uint32_t kColors[CZrResValues::kColorCount] = {
    PaletteRgb(204, 204, 204),  // 0: transparent key of every picture
    Rgb(255, 255, 112),
    PaletteRgb(145, 145, 255),
    Rgb(100, 100, 100),
    Rgb(100, 0, 0),
    Rgb(0, 0, 200),
    Rgb(255, 255, 112),
    Rgb(200, 0, 0),
    Rgb(200, 0, 0),
    PaletteRgb(218, 218, 255),  // 9: docked pages, hot tool-bar buttons
    PaletteRgb(145, 145, 255),
    PaletteRgb(109, 109, 255),
    Rgb(128, 128, 0),
    Rgb(0, 128, 128),
    PaletteRgb(0, 128, 0),
    Rgb(255, 255, 128),
    Rgb(128, 255, 128),
    PaletteRgb(255, 145, 85),
    Rgb(0, 0, 192),
    Rgb(128, 0, 128),
};

struct ToolBarButton {
  int command;
  int values[CZrResValues::kButtonValues];
};

// Ten slots a bar; a command of 0 ends the bar. Bitmaps in the order the tool
// bar takes them: hot, normal, disabled, pressed overlay.
constexpr ToolBarButton kToolBars[CZrResValues::kBarCount][CZrResValues::kButtonsPerBar] = {
    {
        {165, {497, 497, 497, 497}},
        {32629, {442, 415, 384, 508}},
        {32630, {443, 421, 388, 509}},
        {32634, {444, 412, 393, 510}},
        {32632, {445, 426, 392, 511}},
        {32631, {446, 423, 390, 512}},
        {32827, {332, 422, 389, 513}},
    },
    {
        {1325, {519, 521, 520, 522}},
        {1326, {523, 525, 524, 526}},
        {32832, {325, 425, 391, 514}},
        {61262, {801, 801, 801, 801}},
    },
    {
        {32827, {531, 530, 529, 528}},
        {1327, {515, 517, 516, 518}},
        {32832, {325, 425, 391, 514}},
    },
};

// Last valid button of each bar; bar 1 includes its end marker.
constexpr uint32_t kLastButton[CZrResValues::kBarCount] = {6, 4, 2};

constexpr char kNoString[] = "";

}  // namespace

int CZrResValues::CheckVersion(int flag, int major, int minor) {
  return flag == 0 && major == kVersionMajor && minor <= kVersionMinor ? 1 : 0;
}

char* CZrResValues::GetDllVersion(char* buffer, int* major, int* minor) const {
  if (buffer) std::strcpy(buffer, m_brand.code);
  if (major) *major = kVersionMajor;
  if (minor) *minor = kVersionMinor;
  return buffer;
}

uint32_t CZrResValues::GetColor(uint32_t index) {
  return index < kColorCount ? kColors[index] : 0;
}

void CZrResValues::GetString(uint32_t index, char* buffer) const {
  if (!buffer || index >= static_cast<uint32_t>(ZrBrand::kStringCount)) return;
  const char* text = m_brand.strings[index] ? m_brand.strings[index] : kNoString;
  // Only the text and its terminator are written, never beyond 80 bytes.
  const size_t length = std::min(std::strlen(text), size_t{kStringBufferSize - 1});
  std::memcpy(buffer, text, length);
  buffer[length] = '\0';
}

int CZrResValues::GetToolBar(uint32_t bar, uint32_t button, int* const outs[kButtonValues]) {
  if (bar >= kBarCount || button > kLastButton[bar]) return 0;
  const ToolBarButton& entry = kToolBars[bar][button];
  for (int i = 0; i < kButtonValues; ++i) {
    if (outs[i]) *outs[i] = entry.values[i];
  }
  return entry.command;
}

int CZrResValues::GetUseOldPTG(int* flag) const {
  if (flag) *flag = m_brand.useOldPtgFlag;
  return 0;
}
