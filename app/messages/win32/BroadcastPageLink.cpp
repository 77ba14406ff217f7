#include "BroadcastPageLink.h"

#include <memory>

#include "BroadcastInfo.h"
#include "BroadcastRecord.h"
#include "CBroadcastPage.h"
#include "CChatTabWnd.h"
#include "CChatWnd.h"
#include "CZrApp.h"
#include "ModuleState.h"

namespace {

// The product string shown when the service has no bullets.
constexpr uint32_t kNoBulletsText = 16;

}  // namespace

void UseBroadcastPage(CZrApp& app) {
  CChatTabWnd::SetBroadcastPageMaker([&app] {
    return std::make_unique<CBroadcastPage>(AfxLoadString(CChatTabWnd::kBroadcastTitle),
                                            [&app] { return app.ServiceLinks().BulletTitles(); },
                                            app.Resources().GetString(kNoBulletsText));
  });
}

void ShowBroadcastOnPage(CZrApp& app, const CBroadcastInfo& record) {
  CChatWnd* main = app.MainFrame();
  CChatTabWnd* tabs = main ? main->GetChatTabs() : nullptr;
  auto* page = tabs ? dynamic_cast<CBroadcastPage*>(tabs->GetBroadcastPage()) : nullptr;
  if (!page) return;
  page->ShowBroadcast(record, record.values[BroadcastRecord::kDisplayTime]);
  tabs->HighlightPage(page, true);
}
