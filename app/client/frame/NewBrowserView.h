// The browser view of the browser that the application chose at start.
#pragma once

#include "BrowserChoice.h"

class CBrowser;

// A new view, not yet created as a window: the other browser's view, the
// embedded browser's, or the plain one that tells the user that no
// supported browser was found.
CBrowser* NewBrowserView(BrowserView choice);
