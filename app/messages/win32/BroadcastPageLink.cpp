#include "BroadcastPageLink.h"

#include <memory>

#include "BroadcastInfo.h"
#include "BroadcastRecord.h"
#include "CBroadcastDlg.h"
#include "CBroadcastPage.h"
#include "CChatTabWnd.h"
#include "CChatWnd.h"
#include "CPeoplePage.h"
#include "CPlace.h"
#include "CPplManager.h"
#include "ZrMessageBox.h"
#include "CZrApp.h"
#include "ModuleState.h"

namespace {

// The product string shown when the service has no bullets.
constexpr uint32_t kNoBulletsText = 16;

CBroadcastPage* PageOf(CZrApp& app) {
  CChatWnd* main = app.MainFrame();
  CChatTabWnd* tabs = main ? main->GetChatTabs() : nullptr;
  return tabs ? dynamic_cast<CBroadcastPage*>(tabs->GetBroadcastPage()) : nullptr;
}

// Where the Broadcast Extension dialog sends and previews.
class CBroadcastTarget : public IBroadcastTarget {
 public:
  explicit CBroadcastTarget(CZrApp& app) : m_app(app) {}

  bool SendBroadcast(const CBroadcastInfo& record, bool uponConnection) override {
    CPlace* place = m_app.GetRootPlace();
    return place && place->SendRequestB(record, &uponConnection) == 0;
  }
  void PreviewOnPanel(const CBroadcastValues& values) override {
    CPplManager* people = m_app.GetPeopleManager();
    if (CPeoplePage* page = people ? people->GetPage() : nullptr)
      page->Panel().Preview(values.text, values.pictureFile, values.displayTime);
  }
  void PreviewOnPage(const CBroadcastInfo& record) override {
    CBroadcastPage* page = PageOf(m_app);
    if (!page) return;
    page->SetPreviewMode(true);
    page->ShowBroadcast(record, 0);
  }
  void EndPagePreview() override {
    if (CBroadcastPage* page = PageOf(m_app)) page->SetPreviewMode(false);
  }

 private:
  CZrApp& m_app;
};

}  // namespace

void UseBroadcastPage(CZrApp& app) {
  CChatTabWnd::SetBroadcastPageMaker([&app] {
    return std::make_unique<CBroadcastPage>(AfxLoadString(CChatTabWnd::kBroadcastTitle),
                                            [&app] { return app.ServiceLinks().BulletTitles(); },
                                            app.Resources().GetString(kNoBulletsText));
  });
}

void ShowBroadcastOnPage(CZrApp& app, const CBroadcastInfo& record) {
  CBroadcastPage* page = PageOf(app);
  if (!page) return;
  page->ShowBroadcast(record, record.values[BroadcastRecord::kDisplayTime]);
  if (CPaneDlg::Container()) CPaneDlg::Container()->HighlightPage(page, true);
}

void RunBroadcastDialog(CZrApp& app) {
  CBroadcastTarget target(app);
  CBroadcastDlg dialog(target, app.MainFrame());
  app.Boxes().RunWithMainWindowsDisabled([&dialog] { return static_cast<int>(dialog.DoModal()); });
}
