#include "FakeAppUi.h"

#include <algorithm>

int FakeAppUi::RedrawEntries(HWND window) const {
  return static_cast<int>(std::count(redrawList.begin(), redrawList.end(), window));
}

void FakeAppUi::UnregisterIdleWindow(HWND window) {
  auto found = std::find(redrawList.begin(), redrawList.end(), window);
  if (found != redrawList.end()) redrawList.erase(found);
}

bool FakeAppUi::GetPageOrigin(POINT& origin) {
  origin = pageOrigin;
  return hasPage;
}
