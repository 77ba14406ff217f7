// The seat map's left pane: a square for every section of the audience.
// The section shown at the right is dark green, the local user's blue,
// sections not in use are left in the dialog's colour.
#pragma once

#include <windows.h>

#include "AuditoriumLayout.h"

class CAuditoriumSections {
 public:
  CAuditoriumSections(const AuditoriumLayout& layout, POINT origin) : m_layout(layout), m_origin(origin) {}

  RECT Bounds() const;
  // The section in use under a point of the dialog's client area; 0 for
  // none.
  int SectionAt(POINT point) const;
  void Paint(HDC dc, int shown, int local) const;

 private:
  const AuditoriumLayout& m_layout;
  POINT m_origin;
};
