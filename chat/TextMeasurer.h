// Pixel widths of texts in the transcript's font. The window measures with
// the device context; tests use a fixed width per character.
#pragma once
#include <cstdint>
#include <string>

class TextMeasurer {
 public:
  virtual ~TextMeasurer() = default;
  // Width in pixels of the first `length` characters of text.
  virtual int32_t Width(const std::string& text, size_t length) const = 0;
  int32_t Width(const std::string& text) const { return Width(text, text.size()); }
};
