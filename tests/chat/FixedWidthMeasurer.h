// A text measurer for the layout tests: every character is the same width,
// and every call is counted so tests can see how much was laid out.
#pragma once
#include <algorithm>

#include "TextMeasurer.h"

class FixedWidthMeasurer : public TextMeasurer {
 public:
  explicit FixedWidthMeasurer(int32_t charWidth) : m_charWidth(charWidth) {}
  int32_t Width(const std::string& text, size_t length) const override {
    ++calls;
    return static_cast<int32_t>(std::min(length, text.size())) * m_charWidth;
  }
  using TextMeasurer::Width;
  mutable int64_t calls = 0;

 private:
  int32_t m_charWidth;
};
