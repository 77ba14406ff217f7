#include "GdiTextMeasurer.h"

#include <algorithm>

GdiTextMeasurer::~GdiTextMeasurer() {
  Release();
}

void GdiTextMeasurer::Release() {
  if (m_dc) {
    ::SelectObject(m_dc, m_oldFont);
    ::DeleteDC(m_dc);
    m_dc = nullptr;
  }
}

bool GdiTextMeasurer::SetFont(HFONT font) {
  Release();
  m_dc = ::CreateCompatibleDC(nullptr);
  if (!m_dc) {
    return false;
  }
  m_oldFont = ::SelectObject(m_dc, font);
  return true;
}

bool GdiTextMeasurer::GetMetrics(TEXTMETRICA& metrics) const {
  return m_dc && ::GetTextMetricsA(m_dc, &metrics);
}

int32_t GdiTextMeasurer::Width(const std::string& text, size_t length) const {
  SIZE size{};
  int count = static_cast<int>(std::min(length, text.size()));
  if (!m_dc || count == 0 || !::GetTextExtentPoint32A(m_dc, text.data(), count, &size)) {
    return 0;
  }
  return size.cx;
}
