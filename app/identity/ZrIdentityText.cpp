#include "ZrIdentityText.h"

#include <algorithm>

namespace {

constexpr char kDots[] = "..";

bool IsEmpty(const ZrRect& rect) { return rect.right <= rect.left || rect.bottom <= rect.top; }

}  // namespace

bool CutToMaxChars(std::string& text, size_t maxChars) {
  if (text.size() <= maxChars) return false;
  text.resize(maxChars);
  return true;
}

std::string CaptionName(bool showNames, const std::string& name, const std::string& nickname) {
  return showNames && !name.empty() ? name : nickname;
}

std::string FitWithDots(const std::string& text, int maxWidth,
                        const std::function<int(const std::string&)>& widthOf) {
  if (widthOf(text) <= maxWidth) return text;
  std::string prefix = text;
  while (!prefix.empty() && widthOf(prefix + kDots) > maxWidth) prefix.pop_back();
  return prefix + kDots;
}

std::string DottedAddress(uint32_t address) {
  std::string text;
  for (int shift = 0; shift < 32; shift += 8) {
    if (!text.empty()) text += '.';
    text += std::to_string((address >> shift) & 0xFF);
  }
  return text;
}

bool PlaceBeside(const ZrRect& anchor, int width, int height, const ZrRect& desktop,
                 bool mainMinimised, int& x, int& y) {
  if (IsEmpty(anchor) || mainMinimised) return false;
  x = (anchor.left + anchor.right) / 2;
  y = (anchor.top + anchor.bottom) / 2;
  if (x + width > desktop.right) x -= width;
  if (y + height > desktop.bottom) y -= height;
  return x >= 0;
}

void PlaceNextTo(const ZrRect& window, int width, int height, const ZrRect& desktop, int& x, int& y) {
  x = window.right + width <= desktop.right ? window.right : window.left - width;
  y = std::min(window.top, desktop.bottom - height);
  x = std::max(x, desktop.left);
  y = std::max(y, desktop.top);
}
