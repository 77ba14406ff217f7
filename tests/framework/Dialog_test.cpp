// Dialogs: data exchange and its failures (message, focus on the control,
// UpdateData false, the rest of the exchange skipped), owner-draw reflection
// to the control object, a modal loop that keeps the thread's other windows
// and timers served, and a window deleted from inside its own handler.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "CButton.h"
#include "CDataExchange.h"
#include "CDialog.h"
#include "TestResources.h"
#include "TestSupport.h"

namespace {

class OwnerDrawnButton : public CButton {
 public:
  int draws = 0;
  void DrawItem(LPDRAWITEMSTRUCT item) override {
    ++draws;
    ::FillRect(item->hDC, &item->rcItem, reinterpret_cast<HBRUSH>(COLOR_HIGHLIGHT + 1));
  }
};

class ExchangeDialog : public CDialog {
 public:
  int number = 50;
  std::string name = "start";
  int check = 0;
  int radio = 0;
  OwnerDrawnButton ownerDrawn;
  int parentDraws = 0;

 protected:
  void DoDataExchange(CDataExchange* dx) override {
    DDX_Control(dx, IDC_OWNERDRAW, ownerDrawn);
    DDX_Text(dx, IDC_NUMBER, number);
    DDV_MinMaxInt(dx, number, 1, 200);
    DDX_Text(dx, IDC_NAME, name);
    DDV_MaxChars(dx, name, 10);
    DDX_Check(dx, IDC_CHECK, check);
    DDX_Radio(dx, IDC_RADIO_FIRST, radio);
  }
  void OnDrawItem(int, LPDRAWITEMSTRUCT) { ++parentDraws; }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ExchangeDialog, CDialog)
  ON_WM_DRAWITEM()
END_MESSAGE_MAP()

class DataExchange : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dialog.Create(IDD_EXCHANGE));
    ASSERT_TRUE(BringToForeground(dialog.m_hWnd));
    App().messages.clear();
  }
  void TearDown() override {
    App().realBoxes = false;
    dialog.DestroyWindow();
  }

  HWND Control(int id) { return ::GetDlgItem(dialog, id); }

  Watchdog watchdog{20000};
  ExchangeDialog dialog;
};

TEST_F(DataExchange, InvalidInputFailsWithMessageAndFocusOnTheControl) {
  struct Case {
    const char* number;
    const char* name;
    const char* message;  // empty: accepted
    int focus;
    int storedNumber;  // a number out of range is stored, then refused
  };
  const Case cases[] = {
      {"0", "x", "Enter a number from 1 to 200.", IDC_NUMBER, 0},
      {"201", "x", "Enter a number from 1 to 200.", IDC_NUMBER, 201},
      {"-5", "x", "Enter a number from 1 to 200.", IDC_NUMBER, -5},
      {"", "x", "Please enter an integer.", IDC_NUMBER, 0},
      {"1a", "x", "Please enter an integer.", IDC_NUMBER, 0},
      {"99999999999", "x", "Please enter an integer.", IDC_NUMBER, 0},
      {"7", "01234567890", "Enter no more than 10 characters.", IDC_NAME, 7},
      {" 42 ", "abc", "", 0, 42},
      {"200", "0123456789", "", 0, 200},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "number \"" << c.number << "\" name \"" << c.name << "\"");
    dialog.number = 0;
    dialog.name = "keep";
    dialog.SetDlgItemText(IDC_NUMBER, c.number);
    dialog.SetDlgItemText(IDC_NAME, c.name);
    ::SetFocus(Control(IDOK));
    App().messages.clear();

    bool accepted = dialog.UpdateData(true);

    EXPECT_EQ(dialog.number, c.storedNumber);
    if (*c.message == '\0') {
      EXPECT_TRUE(accepted);
      EXPECT_TRUE(App().messages.empty());
      EXPECT_EQ(dialog.name, c.name);
      continue;
    }
    EXPECT_FALSE(accepted);
    ASSERT_EQ(App().messages.size(), 1u);
    EXPECT_EQ(App().messages[0], c.message);
    EXPECT_EQ(::GetFocus(), Control(c.focus));
    DWORD start = 0;
    DWORD end = 0;
    ::SendMessageA(Control(c.focus), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                   reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, static_cast<DWORD>(::GetWindowTextLengthA(Control(c.focus))));
    if (c.focus == IDC_NUMBER) {
      EXPECT_EQ(dialog.name, "keep") << "the exchange went on after a failure";
    }
  }
}

TEST_F(DataExchange, FailureMessageIsABoxTitledWithTheApplication) {
  App().realBoxes = true;
  MessageBoxCloser closer;
  dialog.SetDlgItemText(IDC_NUMBER, "500");
  ::SetFocus(Control(IDOK));
  EXPECT_FALSE(dialog.UpdateData(true));
  EXPECT_EQ(MessageBoxCloser::Caption(), "Frame Tests");
  EXPECT_EQ(MessageBoxCloser::Text(), "Enter a number from 1 to 200.");
  EXPECT_EQ(::GetFocus(), Control(IDC_NUMBER));
}

TEST_F(DataExchange, ValuesRoundTripThroughTheControls) {
  dialog.number = 12;
  dialog.name = "Ann";
  dialog.check = 1;
  dialog.radio = 2;
  ASSERT_TRUE(dialog.UpdateData(false));
  EXPECT_EQ(dialog.GetDlgItemText(IDC_NUMBER), "12");
  EXPECT_EQ(dialog.GetDlgItemText(IDC_NAME), "Ann");
  EXPECT_EQ(::SendMessageA(Control(IDC_NAME), EM_GETLIMITTEXT, 0, 0), 10);
  EXPECT_EQ(::SendMessageA(Control(IDC_CHECK), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(::SendMessageA(Control(IDC_RADIO_THIRD), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(::SendMessageA(Control(IDC_RADIO_FIRST), BM_GETCHECK, 0, 0), BST_UNCHECKED);

  ::SendMessageA(Control(IDC_CHECK), BM_SETCHECK, BST_UNCHECKED, 0);
  ::SendMessageA(Control(IDC_RADIO_THIRD), BM_SETCHECK, BST_UNCHECKED, 0);
  ::SendMessageA(Control(IDC_RADIO_SECOND), BM_SETCHECK, BST_CHECKED, 0);
  ASSERT_TRUE(dialog.UpdateData(true));
  EXPECT_EQ(dialog.check, 0);
  EXPECT_EQ(dialog.radio, 1);

  ::SendMessageA(Control(IDC_RADIO_SECOND), BM_SETCHECK, BST_UNCHECKED, 0);
  ASSERT_TRUE(dialog.UpdateData(true));
  EXPECT_EQ(dialog.radio, -1) << "no button of the group checked";
}

TEST_F(DataExchange, OwnerDrawIsReflectedToTheControlObject) {
  ASSERT_TRUE(dialog.UpdateData(false));
  ASSERT_EQ(dialog.ownerDrawn.m_hWnd, Control(IDC_OWNERDRAW));
  dialog.ownerDrawn.Invalidate();
  dialog.ownerDrawn.UpdateWindow();
  PumpFor(20);
  EXPECT_GE(dialog.ownerDrawn.draws, 1);
  EXPECT_EQ(dialog.parentDraws, 0);
}

// A window of the thread that is not the dialog: it counts its timer ticks
// and the messages another thread posts to it (as a socket window would get
// its network notifications).
class BackgroundWnd : public CWnd {
 public:
  int ticks = 0;
  int posts = 0;

 protected:
  void OnTimer(UINT_PTR) { ++ticks; }
  LRESULT OnPosted(WPARAM, LPARAM) {
    ++posts;
    return 0;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(BackgroundWnd, CWnd)
  ON_WM_TIMER()
  ON_MESSAGE(WM_APP + 5, OnPosted)
END_MESSAGE_MAP()

class WaitingDialog : public CDialog {
 public:
  WaitingDialog(BackgroundWnd* background, CWnd* owner)
      : CDialog(IDD_PLAIN, owner), m_background(background) {}
  bool ownerDisabledWhileOpen = false;

 protected:
  bool OnInitDialog() override {
    SetTimer(1, 20);
    return CDialog::OnInitDialog();
  }
  void OnTimer(UINT_PTR) {
    ownerDisabledWhileOpen = m_pParentWnd && !m_pParentWnd->IsWindowEnabled();
    if (m_background->ticks >= 5 && m_background->posts >= 5) {
      EndDialog(IDOK);
    }
  }
  DECLARE_MESSAGE_MAP()

 private:
  BackgroundWnd* m_background;
};

BEGIN_MESSAGE_MAP(WaitingDialog, CDialog)
  ON_WM_TIMER()
END_MESSAGE_MAP()

TEST(ModalDialog, KeepsOtherWindowsAndTimersServed) {
  Watchdog watchdog(10000);
  BackgroundWnd background;
  RECT none{0, 0, 0, 0};
  ASSERT_TRUE(background.CreateEx(0, nullptr, "socket", WS_POPUP, none, nullptr, 0));
  background.SetTimer(7, 15);
  CWnd owner;
  ASSERT_TRUE(owner.CreateEx(0, nullptr, "owner", WS_OVERLAPPEDWINDOW, none, nullptr, 0));

  std::atomic<bool> stop{false};
  HWND target = background.m_hWnd;
  std::thread poster([&] {
    while (!stop) {
      ::PostMessageA(target, WM_APP + 5, 0, 0);
      ::Sleep(10);
    }
  });
  WaitingDialog dialog(&background, &owner);
  INT_PTR result = dialog.DoModal();
  stop = true;
  poster.join();

  EXPECT_EQ(result, IDOK);
  EXPECT_GE(background.ticks, 5);
  EXPECT_GE(background.posts, 5);
  EXPECT_TRUE(dialog.ownerDisabledWhileOpen);
  EXPECT_TRUE(owner.IsWindowEnabled()) << "the owner is enabled again";
  EXPECT_EQ(dialog.m_hWnd, nullptr);
  EXPECT_FALSE(Watchdog::Fired());
}

TEST(ModalDialog, MissingTemplateFailsWithoutBlocking) {
  CDialog dialog(9999);
  EXPECT_EQ(dialog.DoModal(), -1);
}

int g_windowsDeleted = 0;

// Destroys itself from inside its own message handler.
class SelfDeletingWnd : public CWnd {
 public:
  ~SelfDeletingWnd() override { ++g_windowsDeleted; }

 protected:
  LRESULT OnGoAway(WPARAM, LPARAM) {
    DestroyWindow();
    return 0;
  }
  void PostNcDestroy() override { delete this; }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(SelfDeletingWnd, CWnd)
  ON_MESSAGE(WM_APP + 9, OnGoAway)
END_MESSAGE_MAP()

TEST(SelfDeletingWindow, IsDeletedOnceFromInsideItsHandler) {
  g_windowsDeleted = 0;
  auto* wnd = new SelfDeletingWnd;
  RECT none{0, 0, 0, 0};
  ASSERT_TRUE(wnd->CreateEx(0, nullptr, "self", WS_POPUP, none, nullptr, 0));
  HWND hwnd = wnd->m_hWnd;
  ::PostMessageA(hwnd, WM_APP + 9, 0, 0);
  EXPECT_TRUE(PumpUntil([] { return g_windowsDeleted == 1; }));
  EXPECT_FALSE(::IsWindow(hwnd));
  EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), nullptr);
  PumpFor(20);
  EXPECT_EQ(g_windowsDeleted, 1);
}

}  // namespace

namespace {

// Clicks OK with a bad number, then with a good one.
class ScriptedExchangeDialog : public ExchangeDialog {
 public:
  bool openAfterRefusal = false;

 protected:
  bool OnInitDialog() override {
    SetTimer(1, 30);
    return ExchangeDialog::OnInitDialog();
  }
  void OnTimer(UINT_PTR) {
    HWND ok = ::GetDlgItem(m_hWnd, IDOK);
    if (m_step++ == 0) {
      SetDlgItemText(IDC_NUMBER, "500");
      ::SendMessageA(ok, BM_CLICK, 0, 0);
    } else {
      openAfterRefusal = IsWindowVisible();
      KillTimer(1);
      SetDlgItemText(IDC_NUMBER, "150");
      ::SendMessageA(ok, BM_CLICK, 0, 0);
    }
  }
  DECLARE_MESSAGE_MAP()

 private:
  int m_step = 0;
};

BEGIN_MESSAGE_MAP(ScriptedExchangeDialog, ExchangeDialog)
  ON_WM_TIMER()
END_MESSAGE_MAP()

TEST(ModalDialog, OkStaysOpenUntilTheDataIsValid) {
  Watchdog watchdog(10000);
  App().messages.clear();
  ScriptedExchangeDialog dialog;
  dialog.m_nIDTemplate = IDD_EXCHANGE;
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_TRUE(dialog.openAfterRefusal);
  EXPECT_EQ(dialog.number, 150);
  ASSERT_EQ(App().messages.size(), 1u);
  EXPECT_EQ(App().messages[0], "Enter a number from 1 to 200.");
  EXPECT_FALSE(Watchdog::Fired());
}

}  // namespace
