#include "NewBrowserView.h"

#include "CBrowser.h"
#include "CIEBrowser.h"
#include "CNetscapeWWW.h"

CBrowser* NewBrowserView(BrowserView choice) {
  switch (choice) {
    case BrowserView::kEmbedded:
      return new CIEBrowser;
    case BrowserView::kNavigator:
      return new CNetscapeWWW;
    case BrowserView::kNone:
      break;
  }
  return new CBrowser;
}
