// Measures texts in one font through a memory device context of the screen.
#pragma once
#include <windows.h>

#include "TextMeasurer.h"

class GdiTextMeasurer : public TextMeasurer {
 public:
  GdiTextMeasurer() = default;
  ~GdiTextMeasurer() override;
  GdiTextMeasurer(const GdiTextMeasurer&) = delete;
  GdiTextMeasurer& operator=(const GdiTextMeasurer&) = delete;

  // Measures in font from now on (the caller keeps the font alive).
  bool SetFont(HFONT font);
  bool GetMetrics(TEXTMETRICA& metrics) const;
  int32_t Width(const std::string& text, size_t length) const override;
  using TextMeasurer::Width;

 private:
  void Release();

  HDC m_dc = nullptr;
  HGDIOBJ m_oldFont = nullptr;
};
