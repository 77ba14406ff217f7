// Helpers shared by the owner-drawn list windows. The 8-point font: "Arial"
// at 68 pixels to the inch rather than 72, normal weight, variable-pitch Swiss.
#pragma once
#include <cstdint>

#include "CFont.h"
#include "CWnd.h"
#include "ListScrollState.h"

bool CreateListFont(CFont& font);

// Shared by the list windows: when controlId names a placeholder control of
// the parent, takes its rectangle (in the parent's client coordinates) into
// `place` and destroys it. False when there is no such control.
bool TakePlaceholderRect(CWnd* parent, UINT controlId, RECT& place);

// Sets the scroll range of one bar of `wnd` (when it exists) from `state`
// after giving the state its new maximum.
void ApplyScrollRange(HWND wnd, int bar, ListScrollState& state, int32_t maximum);
