#include "BrowserChoice.h"

bool IsUsableEmbedded(const BrowserVersion& version, uint16_t minMajor) { return version.major >= minMajor; }

bool IsUsableNavigator(const BrowserVersion& version, uint16_t minMajor) {
  if (version.major >= minMajor) return !(version.major == 4 && version.minor < 2);
  return version.major == 2 && version.minor == 0 && version.least >= 20;
}

BrowserView ChooseBrowserView(bool preferNavigator, bool navigatorPresent, bool embeddedPresent) {
  if (!preferNavigator && embeddedPresent) return BrowserView::kEmbedded;
  if (navigatorPresent) return BrowserView::kNavigator;
  if (embeddedPresent) return BrowserView::kEmbedded;
  return BrowserView::kNone;
}
