// Command routing (view, document, frame, application) and the command-UI
// rule: an update handler decides, otherwise items without a handler are
// disabled, and a disabled menu or accelerator command does not run.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CCmdUI.h"
#include "CDocTemplate.h"
#include "CDocument.h"
#include "CFrameWnd.h"
#include "CMenu.h"
#include "CView.h"
#include "TestResources.h"
#include "TestSupport.h"

namespace {

// 40001: everyone handles it; 40002: document, frame and application;
// 40003: frame and application; 40004: application only; 40005: nobody;
// 40006: the frame handles it but its update handler disables it;
// 40007: only an update handler, which enables it.
constexpr UINT kAll = 40001;
constexpr UINT kFromDocument = 40002;
constexpr UINT kFromFrame = 40003;
constexpr UINT kAppOnly = 40004;
constexpr UINT kNobody = 40005;
constexpr UINT kVetoed = 40006;
constexpr UINT kUpdateOnly = 40007;

std::vector<std::string> g_log;
int g_documentsAlive = 0;
int g_viewsAlive = 0;
int g_initialUpdates = 0;

void Log(const char* who, UINT id) {
  g_log.push_back(std::string(who) + ":" + std::to_string(id));
}

class RouteDoc : public CDocument {
  DECLARE_DYNCREATE(RouteDoc)

 public:
  RouteDoc() { ++g_documentsAlive; }
  ~RouteDoc() override { --g_documentsAlive; }

 protected:
  void OnCommandRange(UINT id) { Log("doc", id); }
  DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNCREATE(RouteDoc, CDocument)
BEGIN_MESSAGE_MAP(RouteDoc, CDocument)
  ON_COMMAND_RANGE(kAll, kFromDocument, OnCommandRange)
END_MESSAGE_MAP()

class RouteView : public CView {
  DECLARE_DYNCREATE(RouteView)

 public:
  RouteView() { ++g_viewsAlive; }
  ~RouteView() override { --g_viewsAlive; }
  void OnInitialUpdate() override { ++g_initialUpdates; }

 protected:
  void OnAll() { Log("view", kAll); }
  DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNCREATE(RouteView, CView)
BEGIN_MESSAGE_MAP(RouteView, CView)
  ON_COMMAND(kAll, OnAll)
END_MESSAGE_MAP()

class RouteFrame : public CFrameWnd {
  DECLARE_DYNCREATE(RouteFrame)

 protected:
  void OnCommandRange(UINT id) { Log("frame", id); }
  void OnVetoed() { Log("frame", kVetoed); }
  void OnUpdateVetoed(CCmdUI* ui) { ui->Enable(false); }
  void OnUpdateOnly(CCmdUI* ui) { ui->Enable(true); }
  DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNCREATE(RouteFrame, CFrameWnd)
BEGIN_MESSAGE_MAP(RouteFrame, CFrameWnd)
  ON_COMMAND_RANGE(kAll, kFromFrame, OnCommandRange)
  ON_COMMAND(kVetoed, OnVetoed)
  ON_UPDATE_COMMAND_UI(kVetoed, OnUpdateVetoed)
  ON_UPDATE_COMMAND_UI(kUpdateOnly, OnUpdateOnly)
END_MESSAGE_MAP()

class CommandRouting : public testing::Test {
 protected:
  void SetUp() override {
    g_log.clear();
    App().commandObserver = [](UINT id) { Log("app", id); };
    document = docTemplate.CreateNewDocument();
    ASSERT_NE(document, nullptr);
    frame = docTemplate.CreateNewFrame(document, nullptr);
    ASSERT_NE(frame, nullptr);
    docTemplate.InitialUpdateFrame(frame, document, false);
  }
  void TearDown() override {
    App().commandObserver = nullptr;
    if (frame) {
      frame->DestroyWindow();
    }
  }

  CDocTemplate docTemplate{IDR_TESTFRAME, RUNTIME_CLASS(RouteDoc), RUNTIME_CLASS(RouteFrame),
                           RUNTIME_CLASS(RouteView)};
  CDocument* document = nullptr;
  CFrameWnd* frame = nullptr;
};

TEST_F(CommandRouting, TemplateBuildsFrameViewAndDocument) {
  CView* view = frame->GetActiveView();
  ASSERT_NE(view, nullptr);
  EXPECT_TRUE(view->IsKindOf(RUNTIME_CLASS(RouteView)));
  EXPECT_EQ(view->GetDocument(), document);
  EXPECT_EQ(frame->GetActiveDocument(), document);
  EXPECT_EQ(g_initialUpdates, 1);
  EXPECT_EQ(frame->GetWindowText(), "ZR Frame Test");
  EXPECT_NE(::GetMenu(frame->m_hWnd), nullptr);
  EXPECT_NE(frame->m_hAccelTable, nullptr);
  EXPECT_NE(::GetClassLongPtrA(*frame, GCLP_HICON), 0) << "the frame class has the icon";
  g_initialUpdates = 0;
}

TEST_F(CommandRouting, CommandGoesToTheFirstHandlerOnTheRoute) {
  struct Case {
    UINT id;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {kAll, {"view:40001"}},
      {kFromDocument, {"doc:40002"}},
      {kFromFrame, {"frame:40003"}},
      {kAppOnly, {"app:40004"}},
      {kNobody, {}},
  };
  for (const Case& c : cases) {
    g_log.clear();
    frame->SendMessage(WM_COMMAND, MAKEWPARAM(c.id, 0), 0);
    EXPECT_EQ(g_log, c.expected) << "command " << c.id;
  }
}

TEST_F(CommandRouting, DisabledCommandFromAcceleratorDoesNotRun) {
  frame->SendMessage(WM_COMMAND, MAKEWPARAM(kVetoed, 1), 0);
  EXPECT_TRUE(g_log.empty());
}

TEST_F(CommandRouting, MenuItemsWithoutHandlerAreDisabled) {
  CMenu popup;
  ASSERT_TRUE(popup.CreatePopupMenu());
  for (UINT id = kAll; id <= kUpdateOnly; ++id) {
    popup.AppendMenu(MF_STRING | MF_GRAYED, id, "item");
  }
  popup.AppendMenu(MF_SEPARATOR);
  frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup.m_hMenu), 0);
  struct Case {
    UINT id;
    bool enabled;
  };
  const Case cases[] = {{kAll, true},     {kFromDocument, true}, {kFromFrame, true},
                        {kAppOnly, true}, {kNobody, false},      {kVetoed, false},
                        {kUpdateOnly, true}};
  for (const Case& c : cases) {
    UINT state = ::GetMenuState(popup, c.id, MF_BYCOMMAND);
    EXPECT_EQ((state & MF_GRAYED) == 0, c.enabled) << "command " << c.id;
  }
  EXPECT_TRUE(g_log.empty()) << "updating the menu ran a command";
}

TEST_F(CommandRouting, ResourceMenuIsUpdatedWhenItOpens) {
  CMenu* file = CMenu::FromHandle(::GetSubMenu(::GetMenu(frame->m_hWnd), 0));
  ASSERT_NE(file, nullptr);
  frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file->m_hMenu), 0);
  EXPECT_TRUE(::GetMenuState(*file, ID_UNHANDLED, MF_BYCOMMAND) & MF_GRAYED);
}

TEST(DocumentLifetime, ClosingTheFrameDeletesViewAndDocument) {
  CDocTemplate docTemplate(IDR_TESTFRAME, RUNTIME_CLASS(RouteDoc), RUNTIME_CLASS(RouteFrame),
                           RUNTIME_CLASS(RouteView));
  CDocument* document = docTemplate.CreateNewDocument();
  CFrameWnd* frame = docTemplate.CreateNewFrame(document, nullptr);
  ASSERT_NE(frame, nullptr);
  docTemplate.InitialUpdateFrame(frame, document, false);
  ASSERT_EQ(g_documentsAlive, 1);
  ASSERT_EQ(g_viewsAlive, 1);
  HWND hwnd = frame->m_hWnd;
  frame->SendMessage(WM_CLOSE);
  EXPECT_FALSE(::IsWindow(hwnd));
  EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), nullptr);
  EXPECT_EQ(g_viewsAlive, 0);
  EXPECT_EQ(g_documentsAlive, 0);
  EXPECT_TRUE(docTemplate.GetDocuments().empty());
}

}  // namespace
