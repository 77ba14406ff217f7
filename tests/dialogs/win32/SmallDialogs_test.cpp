// The small dialogs with their real templates and strings, on a plain main
// window under Wine.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AppTestEnvironment.h"
#include "CAttachBrowserDlg.h"
#include "CDurationDlg.h"
#include "CFindDlg.h"
#include "CInviteeDlg.h"
#include "CPrivateRoomDlg.h"
#include "CRoomFullDlg.h"
#include "CWarningDlg.h"
#include "MessagePump.h"
#include "PlainMainWnd.h"

namespace {

constexpr RECT kMainRect{100, 80, 740, 560};

testing::Environment* const g_environment = testing::AddGlobalTestEnvironment(
    new AppTestEnvironment("Small Dialogs", [] { return new PlainMainWnd; }, kMainRect));

std::string TextOf(HWND window) {
  char text[512] = {};
  ::GetWindowTextA(window, text, sizeof(text));
  return text;
}

std::string ControlText(HWND dialog, int id) { return TextOf(::GetDlgItem(dialog, id)); }
bool Visible(HWND dialog, int id) { return ::IsWindowVisible(::GetDlgItem(dialog, id)) != FALSE; }
bool Enabled(HWND dialog, int id) { return ::IsWindowEnabled(::GetDlgItem(dialog, id)) != FALSE; }

// A button pressed as the user presses it: the dialog gets its command.
void Click(HWND dialog, int id) {
  ::SendMessageA(::GetDlgItem(dialog, id), BM_CLICK, 0, 0);
  Pump();
}

// Text put into an edit as typing does: the dialog hears EN_CHANGE.
void SetText(HWND dialog, int id, const std::string& text) {
  ::SetWindowTextA(::GetDlgItem(dialog, id), text.c_str());
  Pump();
}

std::vector<std::string> ListRows(HWND dialog, int id) {
  const HWND list = ::GetDlgItem(dialog, id);
  std::vector<std::string> rows;
  const LRESULT count = ::SendMessageA(list, LB_GETCOUNT, 0, 0);
  for (LRESULT row = 0; row < count; ++row) {
    char text[64] = {};
    ::SendMessageA(list, LB_GETTEXT, row, reinterpret_cast<LPARAM>(text));
    rows.push_back(text);
  }
  return rows;
}

void ChooseRow(HWND dialog, int id, int row) {
  const HWND list = ::GetDlgItem(dialog, id);
  ::SendMessageA(list, LB_SETCURSEL, row, 0);
  ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
  Pump();
}

// ---- Duration ---------------------------------------------------------------

TEST(DurationDlgTest, TitleAndRowsFollowTheKindAndTheForeverOnlyFlag) {
  struct Case {
    CDurationDlg::Kind kind;
    bool foreverOnly;
    const char* title;
    std::vector<std::string> rows;
  };
  const Case cases[] = {
      {CDurationDlg::kEject, false, "Eject Duration", {"60", "120", "other", "forever"}},
      {CDurationDlg::kGag, false, "Gag Duration", {"60", "120", "other"}},
      {CDurationDlg::kAvatar, false, "Avatar Duration", {"60", "120", "other"}},
      {CDurationDlg::kGag, true, "Gag Duration", {"forever"}},
      {CDurationDlg::kEject, true, "Eject Duration", {"forever"}},
  };
  for (const Case& c : cases) {
    CDurationDlg dialog(MainWnd(), c.kind, c.foreverOnly);
    ASSERT_TRUE(dialog.Create(CDurationDlg::kTemplateId, MainWnd()));
    dialog.ShowWindow(SW_SHOW);
    Pump();
    EXPECT_EQ(TextOf(dialog.m_hWnd), c.title);
    EXPECT_EQ(ListRows(dialog.m_hWnd, CDurationDlg::kChoiceList), c.rows) << c.title;
    EXPECT_EQ(::SendDlgItemMessageA(dialog.m_hWnd, CDurationDlg::kChoiceList, LB_GETCURSEL, 0, 0), 0);
    EXPECT_FALSE(Visible(dialog.m_hWnd, CDurationDlg::kMinutesEdit));
    EXPECT_EQ(::GetFocus(), ::GetDlgItem(dialog.m_hWnd, CDurationDlg::kCommentEdit)) << c.title;
    dialog.DestroyWindow();
  }
}

TEST(DurationDlgTest, RowsSetTheMinutesAndOtherTakesTypedMinutes) {
  struct Case {
    int row;
    const char* typed;
    int minutes;
  };
  const Case cases[] = {{0, nullptr, 60}, {1, nullptr, 120}, {3, nullptr, 262800}, {2, "45", 45}};
  for (const Case& c : cases) {
    CDurationDlg dialog(MainWnd(), CDurationDlg::kEject, false);
    ASSERT_TRUE(dialog.Create(CDurationDlg::kTemplateId, MainWnd()));
    dialog.ShowWindow(SW_SHOW);
    Pump();
    ChooseRow(dialog.m_hWnd, CDurationDlg::kChoiceList, c.row);
    const HWND minutes = ::GetDlgItem(dialog.m_hWnd, CDurationDlg::kMinutesEdit);
    if (c.typed) {
      EXPECT_TRUE(::IsWindowVisible(minutes));
      EXPECT_EQ(TextOf(minutes), "") << "other starts empty";
      EXPECT_EQ(::GetFocus(), minutes);
      SetText(dialog.m_hWnd, CDurationDlg::kMinutesEdit, c.typed);
    } else {
      EXPECT_FALSE(::IsWindowVisible(minutes)) << c.row;
      EXPECT_EQ(TextOf(minutes), std::to_string(c.minutes));
    }
    SetText(dialog.m_hWnd, CDurationDlg::kCommentEdit, "calm down");
    Click(dialog.m_hWnd, IDOK);
    EXPECT_EQ(dialog.m_minutes, c.minutes) << c.row;
    EXPECT_EQ(dialog.m_comment, "calm down");
    dialog.DestroyWindow();
  }
}

// ---- Warning ----------------------------------------------------------------

TEST(WarningDlgTest, ShowOnlyShowsTheTextAndTypingModeTakesIt) {
  {
    CWarningDlg shown(MainWnd(), "Mind your language.", true);
    ASSERT_TRUE(shown.Create(CWarningDlg::kTemplateId, MainWnd()));
    shown.ShowWindow(SW_SHOW);
    Pump();
    EXPECT_EQ(TextOf(shown.m_hWnd), "Warning from the host!");
    EXPECT_TRUE(Visible(shown.m_hWnd, CWarningDlg::kShownText));
    EXPECT_FALSE(Visible(shown.m_hWnd, CWarningDlg::kTextEdit));
    EXPECT_EQ(ControlText(shown.m_hWnd, CWarningDlg::kShownText), "Mind your language.");
    shown.DestroyWindow();
  }
  CWarningDlg typed(MainWnd(), std::string(), false);
  ASSERT_TRUE(typed.Create(CWarningDlg::kTemplateId, MainWnd()));
  typed.ShowWindow(SW_SHOW);
  Pump();
  EXPECT_FALSE(Visible(typed.m_hWnd, CWarningDlg::kShownText));
  EXPECT_TRUE(Visible(typed.m_hWnd, CWarningDlg::kTextEdit));
  SetText(typed.m_hWnd, CWarningDlg::kTextEdit, "Stop shouting.");
  Click(typed.m_hWnd, IDOK);
  EXPECT_EQ(typed.m_text, "Stop shouting.");
  typed.DestroyWindow();
}

// ---- Find -------------------------------------------------------------------

TEST(FindDlgTest, FindNextPostsTheFieldsAndCancelPostsTheEndAndCloses) {
  const HWND parent = MainWnd()->m_hWnd;
  TakeMessages(parent, 0);
  CFindDlg* dialog = CFindDlg::Open(MainWnd(), "Find People");
  ASSERT_NE(dialog, nullptr);
  const HWND window = dialog->m_hWnd;
  EXPECT_EQ(TextOf(window), "Find People");
  SetText(window, CFindDlg::kTextEdit, "Bob");
  Click(window, CFindDlg::kMatchCaseCheck);
  ::SendMessageA(window, WM_COMMAND, MAKEWPARAM(CFindDlg::kFindNextButton, BN_CLICKED),
                 reinterpret_cast<LPARAM>(::GetDlgItem(window, CFindDlg::kFindNextButton)));
  std::vector<MSG> found = TakeMessages(parent, CFindDlg::kFindNext);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].wParam, 1u) << "match case";
  EXPECT_EQ(*CFindDlg::TakeText(found[0].lParam), "Bob");
  EXPECT_TRUE(::IsWindow(window)) << "Find Next keeps the dialog";

  // Closing: the dialog's own messages are delivered, the parent's are kept.
  ::SendMessageA(window, WM_CLOSE, 0, 0);
  MSG message{};
  while (::IsWindow(window) && ::PeekMessageA(&message, window, 0, 0, PM_REMOVE))
    ::DispatchMessageA(&message);
  EXPECT_FALSE(::IsWindow(window));
  EXPECT_EQ(TakeMessages(parent, CFindDlg::kFindClosed).size(), 1u);
}

// ---- Attach to Browser ------------------------------------------------------

// The open dialog of Browse, answered with a file as the user would pick it.
std::string g_pickedFile;
void CALLBACK PickFile(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND open = nullptr;
  for (HWND w = ::FindWindowA("#32770", nullptr); w; w = ::FindWindowExA(nullptr, w, "#32770", nullptr))
    if (::GetWindowThreadProcessId(w, nullptr) == ::GetCurrentThreadId() &&
        !::GetDlgItem(w, CAttachBrowserDlg::kProgramEdit))
      open = w;
  if (!open || !::IsWindowVisible(open)) return;
  ::KillTimer(nullptr, timer);
  // The file name box of the common dialog (a combo box or an edit).
  HWND name = ::GetDlgItem(open, 0x47C);
  if (!name) name = ::GetDlgItem(open, 0x480);
  ::SetWindowTextA(name, g_pickedFile.c_str());
  ::PostMessageA(open, WM_COMMAND, IDOK, 0);
}

TEST(AttachBrowserDlgTest, BrowsePutsThePickedProgramAndExitQuits) {
  char self[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, self, MAX_PATH);
  g_pickedFile = self;
  CAttachBrowserDlg dialog(MainWnd());
  ASSERT_TRUE(dialog.Create(CAttachBrowserDlg::kTemplateId, MainWnd()));
  dialog.ShowWindow(SW_SHOW);
  Pump();
  const UINT_PTR timer = ::SetTimer(nullptr, 0, 100, PickFile);
  Click(dialog.m_hWnd, CAttachBrowserDlg::kBrowseButton);
  ::KillTimer(nullptr, timer);
  EXPECT_STRCASEEQ(ControlText(dialog.m_hWnd, CAttachBrowserDlg::kProgramEdit).c_str(), self);

  // Unpumped: the quit message is looked for before anything takes it.
  ::SendMessageA(::GetDlgItem(dialog.m_hWnd, CAttachBrowserDlg::kExitButton), BM_CLICK, 0, 0);
  MSG quit{};
  ASSERT_TRUE(::PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(quit.wParam, 0u);
  dialog.DestroyWindow();
}

// ---- Room is Full -----------------------------------------------------------

class FakeRoomFullOwner : public IRoomFullOwner {
 public:
  bool similar = false;
  bool tourTooLarge = false;
  std::vector<std::string> calls;
  bool OffersSimilarRoom() const override { return similar; }
  bool IsTourTooLarge() const override { return tourTooLarge; }
  void GoToSimilarRoom() override { calls.push_back("GoTo"); }
  void ShowPlaces() override { calls.push_back("Places"); }
  void OnRoomFullClosed() override {
    calls.push_back(CRoomFullDlg::IsOpen() ? "Closed while open" : "Closed");
  }
};

TEST(RoomFullDlgTest, TextAndGoToFollowTheOwnersAnswers) {
  struct Case {
    bool similar;
    bool tour;
    const char* text;
    bool goTo;
  };
  const Case cases[] = {
      {true, false, "The requested chat room is full. Would you like to go to a room like it or stay as an observer?", true},
      {false, false, "The requested chat room is full. You can stay and observe or navigate to another chat room.", false},
      {true, true, "There is not enough room here for your whole tour to enter. You can stay and observe or navigate to another chat room.", false},
  };
  for (const Case& c : cases) {
    FakeRoomFullOwner owner;
    owner.similar = c.similar;
    owner.tourTooLarge = c.tour;
    CRoomFullDlg* dialog = CRoomFullDlg::Open(MainWnd(), owner);
    ASSERT_NE(dialog, nullptr);
    const HWND window = dialog->m_hWnd;
    EXPECT_TRUE(CRoomFullDlg::IsOpen());
    EXPECT_EQ(ControlText(window, CRoomFullDlg::kText), c.text);
    EXPECT_EQ(Visible(window, IDOK), c.goTo) << c.text;
    EXPECT_EQ(Enabled(window, IDOK), c.goTo);
    // Enter runs Go To only where it is offered.
    ::SendMessageA(window, WM_COMMAND, IDOK, 0);
    Pump();
    EXPECT_EQ(::IsWindow(window) != FALSE, !c.goTo);
    if (c.goTo) {
      EXPECT_EQ(owner.calls, (std::vector<std::string>{"GoTo", "Closed"}));
    } else {
      EXPECT_TRUE(owner.calls.empty());
      Click(window, IDCANCEL);
      EXPECT_FALSE(::IsWindow(window)) << "Observe closes";
      EXPECT_EQ(owner.calls, (std::vector<std::string>{"Closed"}));
    }
    EXPECT_FALSE(CRoomFullDlg::IsOpen());
  }
}

TEST(RoomFullDlgTest, PlacesAsksForThePlacesAndCloses) {
  FakeRoomFullOwner owner;
  CRoomFullDlg* dialog = CRoomFullDlg::Open(MainWnd(), owner);
  ASSERT_NE(dialog, nullptr);
  const HWND window = dialog->m_hWnd;
  Click(window, CRoomFullDlg::kPlacesButton);
  EXPECT_FALSE(::IsWindow(window));
  EXPECT_EQ(owner.calls, (std::vector<std::string>{"Places", "Closed"}));
}

// ---- Private Room -----------------------------------------------------------

class FakePrivateRoomOwner : public IPrivateRoomOwner {
 public:
  std::vector<std::string> calls;
  void EnterPrivateRoom(const std::string& name) override { calls.push_back("Enter " + name); }
  void OnPrivateRoomClosed() override { calls.push_back("Closed"); }
};

TEST(PrivateRoomDlgTest, LongNamesAreCutAndGoEntersTheRoomAndCloses) {
  FakePrivateRoomOwner owner;
  CPrivateRoomDlg* dialog = CPrivateRoomDlg::Open(MainWnd(), owner);
  ASSERT_NE(dialog, nullptr);
  const HWND window = dialog->m_hWnd;
  EXPECT_TRUE(CPrivateRoomDlg::IsOpen());
  EXPECT_EQ(ControlText(window, CPrivateRoomDlg::kText),
            "To create or enter a private chat room, type the room name in the box below and click on the Go button.");
  SetText(window, CPrivateRoomDlg::kNameEdit, std::string(100, 'a') + "bc");
  EXPECT_EQ(ControlText(window, CPrivateRoomDlg::kNameEdit), std::string(100, 'a'));
  SetText(window, CPrivateRoomDlg::kNameEdit, "den");
  Click(window, IDOK);
  EXPECT_FALSE(::IsWindow(window));
  EXPECT_FALSE(CPrivateRoomDlg::IsOpen());
  EXPECT_EQ(owner.calls, (std::vector<std::string>{"Enter den", "Closed"}));
}

// ---- Event Invitee Selection ------------------------------------------------

class FakeInviteeOwner : public IInviteeOwner {
 public:
  std::vector<std::string> calls;
  void Invite(const std::string& name) override { calls.push_back("Invite " + name); }
  void Uninvite(const std::string& name) override { calls.push_back("Uninvite " + name); }
  void OnInviteeClosed() override { calls.push_back("Closed"); }
};

TEST(InviteeDlgTest, ButtonsFollowTheNameAndEachClosesAfterItsRequest) {
  struct Case {
    int button;
    const char* call;
  };
  const Case cases[] = {{CInviteeDlg::kInviteButton, "Invite guest"},
                        {CInviteeDlg::kUninviteButton, "Uninvite guest"},
                        {IDCANCEL, nullptr}};
  for (const Case& c : cases) {
    FakeInviteeOwner owner;
    CInviteeDlg* dialog = CInviteeDlg::Open(MainWnd(), owner);
    ASSERT_NE(dialog, nullptr);
    const HWND window = dialog->m_hWnd;
    EXPECT_TRUE(CInviteeDlg::IsOpen());
    for (int id : {CInviteeDlg::kInviteButton, CInviteeDlg::kUninviteButton})
      EXPECT_FALSE(Enabled(window, id)) << "no name yet";
    SetText(window, CInviteeDlg::kNameEdit, "guest");
    for (int id : {CInviteeDlg::kInviteButton, CInviteeDlg::kUninviteButton})
      EXPECT_TRUE(Enabled(window, id));
    SetText(window, CInviteeDlg::kNameEdit, "");
    EXPECT_FALSE(Enabled(window, CInviteeDlg::kInviteButton)) << "emptied again";
    SetText(window, CInviteeDlg::kNameEdit, "guest");
    Click(window, c.button);
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_FALSE(CInviteeDlg::IsOpen());
    std::vector<std::string> expected;
    if (c.call) expected.push_back(c.call);
    expected.push_back("Closed");
    EXPECT_EQ(owner.calls, expected);
  }
}

}  // namespace
