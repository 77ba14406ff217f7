// The 8-point font of the owner-drawn lists: "Arial" at 68 pixels to the
// inch rather than 72, normal weight, variable-pitch Swiss.
#pragma once
#include "CFont.h"

bool CreateListFont(CFont& font);
