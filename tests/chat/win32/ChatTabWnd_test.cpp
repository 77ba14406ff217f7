// The chat tab container, its chat pages and the balloon manager under a
// real window system, with the pages built from the resource library's
// template: page creation by kind, line routing and highlights, closing
// the current page, the layout mode, the send road and typing state of a
// page, and balloons replaced, aged out and removed by a click.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "CBalloonManager.h"
#include "CBalloonWnd.h"
#include "CChatTabWnd.h"
#include "IChatPageHost.h"
#include "ModuleState.h"
#include "ZrMessageBox.h"

namespace {

constexpr uint32_t kRoot = 10;
constexpr uint32_t kStage = 11;
constexpr uint32_t kTour = 40;
constexpr uint32_t kGame = 50;

void Pump() {
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
}

class HostWnd : public CWnd {
 public:
  bool Create() {
    const char* className = RegisterWndClass(0, ::LoadCursorA(nullptr, IDC_ARROW),
                                             reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    return CreateEx(0, className, "chat area", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN,
                    RECT{20, 20, 620, 420}, nullptr, 0);
  }
};

// The application's side, recorded.
class FakeHost : public IChatPageHost {
 public:
  ChatSendState state;
  ChatPlaceState place;
  std::vector<std::pair<uint32_t, std::string>> talks;
  std::vector<std::string> echoes;
  std::vector<std::string> ownBalloons;
  std::vector<bool> typing;
  std::vector<int32_t> layoutModes;

  bool IsRunning() override { return true; }
  bool AreWindowsDisabled() override { return false; }
  void ResetIdleMinutes() override {}
  ChatSendState SendStateFor(ChatPageKind kind) override {
    ChatSendState copy = state;
    copy.kind = kind;
    return copy;
  }
  bool SendTalk(ChatPageKind, uint32_t targetId, const std::string& text) override {
    talks.emplace_back(targetId, text);
    return true;
  }
  bool SendThroughHost(const std::string&) override { return false; }
  void SendInstantMessage(uint32_t, const std::string&) override {}
  void SetTypingState(ChatPageKind, uint32_t, bool on) override { typing.push_back(on); }
  void ShowOwnBalloon(const std::string& text) override { ownBalloons.push_back(text); }
  void EchoLine(uint32_t, const std::string& text) override { echoes.push_back(text); }
  std::string MaskWords(ChatPageKind, const std::string& text) override { return text; }
  bool IsPrivateRoom() override { return place.privateRoom; }
  std::string PlaceTitle() override { return "Lobby"; }
  void OpenSendImDialog() override {}
  void SetGameActive(uint32_t, bool) override {}
  ChatPlaceState PlaceState() override { return place; }
  void SetLayoutMode(int32_t mode) override { layoutModes.push_back(mode); }
};

class ChatWindowsTest : public ::testing::Test {
 protected:
  HostWnd host;
  FakeHost app;
  CChatTabWnd tabs;
  HINSTANCE resources = nullptr;
  HINSTANCE oldResources = nullptr;
  CZrMessageBox boxes;

  void SetUp() override {
    resources = ::LoadLibraryA(ZR_RES_PRODUCT_DLL);
    ASSERT_NE(resources, nullptr) << ZR_RES_PRODUCT_DLL;
    oldResources = AfxGetResourceHandle();
    AfxSetResourceHandle(resources);
    boxes.SetResourceModule(resources);
    ASSERT_TRUE(host.Create());
    boxes.SetMainWindow(host.GetSafeHwnd());
    app.place = ChatPlaceState{true, true, false, false, kRoot, kStage};
    CChatPage::SetHost(&app);
    ASSERT_TRUE(tabs.Init(&host));
    Pump();
  }
  void TearDown() override {
    if (tabs.GetSafeHwnd()) tabs.DestroyWindow();
    host.DestroyWindow();
    Pump();
    CChatPage::SetHost(nullptr);
    AfxSetResourceHandle(oldResources);
    ::FreeLibrary(resources);
  }
  // Text typed at the caret (the edit tells its page of the change).
  static void Type(CChatEdit& input, const std::string& text) {
    input.SendMessage(EM_SETSEL, 0x7FFFFFFF, 0x7FFFFFFF);
    input.SendMessage(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
  }
  static size_t Lines(CPaneDlg* page) {
    return static_cast<CChatPage*>(page)->Transcript().Layout().LineCount();
  }
};

TEST_F(ChatWindowsTest, PagesAreMadeOnceByTargetAndLinesFindTheirPage) {
  CChatPage* room = tabs.GetRoomPage();
  ASSERT_NE(room, nullptr);
  EXPECT_EQ(tabs.GetActivePage(), room);
  EXPECT_TRUE(room->IsWindowVisible());
  EXPECT_EQ(tabs.GetPageCount(), 1);

  CChatPage* tour = tabs.CreateTourTab(kTour);
  ASSERT_NE(tour, nullptr);
  EXPECT_EQ(tabs.CreateTourTab(kTour), tour);
  EXPECT_EQ(tabs.GetPageCount(), 2);
  EXPECT_FALSE(tour->IsWindowVisible());
  EXPECT_EQ(tour->GetPageKind(), ChatPageKind::Group);

  tabs.AddLine(kRoot, "ann", false, false, "to the room");
  tabs.AddLine(kStage, "bob", false, false, "to the place object");
  tabs.AddLine(kTour, "cat", false, false, "to the tour");
  tabs.AddLine(99, "dan", false, false, "to nobody");
  EXPECT_EQ(Lines(room), 2u);
  EXPECT_EQ(Lines(tour), 1u);
  EXPECT_EQ(tour->Transcript().Layout().Line(0).name, "cat");
  // The tour page was not shown: its line marks it.
  EXPECT_TRUE(tour->IsHighlighted());
  tabs.SelectTab(tour, true);
  EXPECT_FALSE(tour->IsHighlighted());
  EXPECT_TRUE(tour->IsWindowVisible());
  EXPECT_FALSE(room->IsWindowVisible());

  // In an auditorium a line to the place object goes to the stage page.
  CChatPage* stage = tabs.CreateStageTab(kStage);
  app.place.auditorium = true;
  tabs.AddLine(kStage, "eve", false, true, "on stage");
  EXPECT_EQ(Lines(stage), 1u);
  EXPECT_EQ(Lines(room), 2u);
  EXPECT_EQ(stage->Transcript().Layout().Line(0).colour, kChatBlack);
}

TEST_F(ChatWindowsTest, ClosingTheCurrentPageSelectsTheNextDockedOne) {
  CChatPage* room = tabs.GetRoomPage();
  CChatPage* tour = tabs.CreateTourTab(kTour);
  CChatPage* game = tabs.CreateGameTab(kGame);  // a game tab is selected
  EXPECT_EQ(tabs.GetActivePage(), game);
  EXPECT_EQ(app.layoutModes.back(), kLayoutGame);

  tabs.SelectTab(tour, true);
  EXPECT_EQ(app.layoutModes.back(), kLayoutNormal);
  tabs.ClosePage(tour);
  EXPECT_EQ(tabs.GetActivePage(), game);
  EXPECT_EQ(tabs.GetPageCount(), 2);
  EXPECT_EQ(tabs.FindTargetPage(kTour), nullptr);
  tabs.ClosePage(game);  // the last tab: the first one follows
  EXPECT_EQ(tabs.GetActivePage(), room);
  EXPECT_EQ(tabs.GetPageCount(), 1);
  tabs.ClosePage(room);  // never closed
  EXPECT_EQ(tabs.GetPageCount(), 1);

  app.place.privateRoom = true;
  tabs.SelectTab(room, true);
  EXPECT_EQ(app.layoutModes.back(), kLayoutPrivateRoom);

  // Reset keeps the room page only.
  tabs.CreateTourTab(kTour);
  tabs.CreatePersonTab(60, "abcdefghijklmnopqrst");
  EXPECT_EQ(tabs.FindTargetPage(60)->GetTitle(), "IM>abcdefghijkl..");
  tabs.ResetTabs();
  EXPECT_EQ(tabs.GetPageCount(), 1);
  EXPECT_EQ(tabs.GetActivePage(), room);
}

TEST_F(ChatWindowsTest, SendingCleansTheLineAndTypingIsToldOncePerStart) {
  CChatPage* room = tabs.GetRoomPage();
  CChatEdit& input = room->Input();
  Type(input, "  hello   world");  // typing starts
  Type(input, "!");
  EXPECT_EQ(app.typing, (std::vector<bool>{true}));
  room->SendMessage(WM_COMMAND, MAKEWPARAM(CChatPage::kSendId, BN_CLICKED), 0);
  ASSERT_EQ(app.talks.size(), 1u);
  EXPECT_EQ(app.talks[0], std::make_pair(0u, std::string("hello world!")));
  EXPECT_EQ(input.GetWindowText(), "");
  EXPECT_EQ(app.typing.back(), false);
  EXPECT_TRUE(app.echoes.empty());

  // Blanks only: nothing goes out.
  Type(input, "   ");
  room->SendMessage(WM_COMMAND, MAKEWPARAM(CChatPage::kSendId, BN_CLICKED), 0);
  EXPECT_EQ(app.talks.size(), 1u);

  // A user who may not send: own balloon and echo, no request.
  app.state.memberFlags = kMemberMayNotSend;
  input.SetWindowText(std::string());
  Type(input, "muted line");
  room->SendMessage(WM_COMMAND, MAKEWPARAM(CChatPage::kSendId, BN_CLICKED), 0);
  EXPECT_EQ(app.talks.size(), 1u);
  EXPECT_EQ(app.echoes, (std::vector<std::string>{"muted line"}));
  EXPECT_EQ(app.ownBalloons, (std::vector<std::string>{"muted line"}));
}

class BalloonTest : public ChatWindowsTest {
 protected:
  CBalloonManager balloons;
  HWND target = nullptr;

  void SetUp() override {
    ChatWindowsTest::SetUp();
    balloons.SetOwner(host.GetSafeHwnd());
    target = ::CreateWindowExA(0, "Static", "", WS_CHILD | WS_VISIBLE | SS_GRAYRECT | SS_NOTIFY, 250, 150, 48, 64,
                               host.GetSafeHwnd(), nullptr, ::GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(target, nullptr);
    // Over the room page, as avatars stand over the page they belong to.
    ::SetWindowPos(target, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ::UpdateWindow(host.GetSafeHwnd());
    Pump();
  }
  void TearDown() override {
    balloons.RemoveAll();
    Pump();
    ChatWindowsTest::TearDown();
  }
  void Tick(int times) {
    for (int n = 0; n < times; ++n) balloons.OnTimer(CBalloonManager::kTimerId);
    Pump();
  }
};

TEST_F(BalloonTest, ABalloonStandsAtItsTargetsCornerAndIsReplaced) {
  ASSERT_TRUE(balloons.Show(target, host.GetSafeHwnd(), 23, 0xFFFFFF, 8, "first line"));
  CBalloonWnd* first = balloons.Find(target);
  ASSERT_NE(first, nullptr);
  RECT balloon{};
  RECT avatar{};
  ::GetWindowRect(first->GetSafeHwnd(), &balloon);
  ::GetWindowRect(target, &avatar);
  // Room on every side: above, on the side with more room (the right).
  EXPECT_EQ(first->GetCorner(), kAboveRight);
  EXPECT_EQ(balloon.left, avatar.right - kBalloonOverlapX);
  EXPECT_EQ(balloon.bottom, avatar.top + kBalloonOverlapY);
  EXPECT_TRUE(::IsWindowVisible(first->GetSafeHwnd()));

  ASSERT_TRUE(balloons.Show(target, host.GetSafeHwnd(), 23, 0xFFFFFF, 8, "second line"));
  Pump();
  EXPECT_EQ(balloons.Count(), 1u);
  EXPECT_EQ(balloons.Find(target)->GetText(), "second line");
  // A click on the balloon removes it.
  balloons.Find(target)->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, 0);
  Pump();
  EXPECT_EQ(balloons.Count(), 0u);
  EXPECT_FALSE(balloons.Show(target, host.GetSafeHwnd(), 23, 0xFFFFFF, 8, ""));
}

TEST_F(BalloonTest, ALongerTextStaysLonger) {
  const std::string fifty(50, 'x');
  ASSERT_TRUE(balloons.Show(target, host.GetSafeHwnd(), 23, 0xFFFFFF, 8, fifty));
  Tick(34);  // 23 + 23 * 50 / 100 ticks
  EXPECT_NE(balloons.Find(target), nullptr);
  Tick(1);
  EXPECT_EQ(balloons.Find(target), nullptr);
  EXPECT_EQ(balloons.Count(), 0u);
}

}  // namespace
