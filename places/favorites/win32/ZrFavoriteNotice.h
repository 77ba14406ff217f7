// The notice of the favourites list for an entry it already holds, as the
// client shows it: a message box of strings 260 and 261 with the title and
// the address.
#pragma once

#include "CTextListFile.h"

CTextListFile::DuplicateNotice ZrFavoriteDuplicateBox();
