// Modal property sheets: pages from the resource module, the order of
// validation and write-back on OK, a page that refuses to be left keeping
// the sheet open, pages never shown, and the sheet's own initialisation
// hook hiding and moving buttons.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "CDataExchange.h"
#include "CPropertyPage.h"
#include "CPropertySheet.h"
#include "TestResources.h"
#include "TestSupport.h"

namespace {

constexpr int kApplyButton = 0x3021;
constexpr int kHelpButton = 9;

std::vector<std::string> g_events;

class LogPage : public CPropertyPage {
 public:
  LogPage(UINT templateId, const char* name) : CPropertyPage(templateId), m_name(name) {}
  std::string value;
  bool refuse = false;

  bool OnSetActive() override {
    g_events.push_back("active:" + m_name);
    return CPropertyPage::OnSetActive();
  }
  bool OnKillActive() override {
    g_events.push_back("kill:" + m_name);
    return !refuse && CPropertyPage::OnKillActive();
  }
  void OnOK() override { g_events.push_back("apply:" + m_name + "=" + value); }
  void OnReset() override { g_events.push_back("reset:" + m_name); }

 protected:
  void DoDataExchange(CDataExchange* dx) override { DDX_Text(dx, IDC_PAGE_VALUE, value); }

 private:
  std::string m_name;
};

RECT RectOf(HWND sheet, int id) {
  RECT rect{};
  ::GetWindowRect(::GetDlgItem(sheet, id), &rect);
  return rect;
}

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// Runs one step of a script every tick while it is open.
class ScriptedSheet : public CPropertySheet {
 public:
  using Step = std::function<void(ScriptedSheet&)>;
  ScriptedSheet() : CPropertySheet(IDS_SHEET_TITLE) {}

  std::vector<Step> steps;
  int hookRuns = 0;
  bool buttonsMoved = false;
  bool applyHidden = false;

  void Press(int button) {
    g_events.push_back("press");
    SendMessage(PSM_PRESSBUTTON, static_cast<WPARAM>(button));
  }

  bool OnInitDialog() override {
    ++hookRuns;
    RECT apply = RectOf(m_hWnd, kApplyButton);
    RECT cancel = RectOf(m_hWnd, IDCANCEL);
    for (int id : {kApplyButton, kHelpButton}) {
      if (HWND button = ::GetDlgItem(m_hWnd, id)) {
        ::ShowWindow(button, SW_HIDE);
      }
    }
    auto moveTo = [&](int id, RECT place) {
      ScreenToClient(&place);
      ::MoveWindow(::GetDlgItem(m_hWnd, id), place.left, place.top, place.right - place.left,
                   place.bottom - place.top, TRUE);
    };
    moveTo(IDCANCEL, apply);
    moveTo(IDOK, cancel);
    buttonsMoved = SameRect(RectOf(m_hWnd, IDCANCEL), apply) && SameRect(RectOf(m_hWnd, IDOK), cancel);
    CenterWindow();
    applyHidden = !::IsWindowVisible(::GetDlgItem(m_hWnd, kApplyButton));
    SetTimer(1, 40);
    return true;
  }

 protected:
  void OnTimer(UINT_PTR) {
    if (m_next < steps.size()) {
      steps[m_next++](*this);
    }
  }
  DECLARE_MESSAGE_MAP()

 private:
  size_t m_next = 0;
};

BEGIN_MESSAGE_MAP(ScriptedSheet, CPropertySheet)
  ON_WM_TIMER()
END_MESSAGE_MAP()

// The events from the first press on.
std::vector<std::string> AfterPress() {
  auto first = std::find(g_events.begin(), g_events.end(), "press");
  return std::vector<std::string>(first, g_events.end());
}

class ModalSheet : public testing::Test {
 protected:
  void SetUp() override {
    g_events.clear();
    sheet.AddPage(&one);
    sheet.AddPage(&two);
  }

  Watchdog watchdog{15000};
  LogPage one{IDD_PAGE_ONE, "one"};
  LogPage two{IDD_PAGE_TWO, "two"};
  ScriptedSheet sheet;
};

using Events = std::vector<std::string>;

TEST_F(ModalSheet, OkValidatesTheActivePageThenAppliesShownPagesInOrder) {
  sheet.steps = {
      [](ScriptedSheet& s) { s.SetActivePage(1); },
      [](ScriptedSheet& s) { ::SetDlgItemTextA(s.GetActivePage()->m_hWnd, IDC_PAGE_VALUE, "b"); },
      [](ScriptedSheet& s) { s.SetActivePage(0); },
      [](ScriptedSheet& s) { ::SetDlgItemTextA(s.GetActivePage()->m_hWnd, IDC_PAGE_VALUE, "a"); },
      [](ScriptedSheet& s) { s.Press(PSBTN_OK); },
  };
  EXPECT_EQ(sheet.DoModal(), IDOK);
  EXPECT_EQ(AfterPress(), (Events{"press", "kill:one", "apply:one=a", "apply:two=b"}));
  EXPECT_EQ(one.m_hWnd, nullptr);
  EXPECT_FALSE(Watchdog::Fired());
}

TEST_F(ModalSheet, PageNeverShownHearsNothing) {
  sheet.steps = {[](ScriptedSheet& s) { s.Press(PSBTN_OK); }};
  EXPECT_EQ(sheet.DoModal(), IDOK);
  EXPECT_EQ(AfterPress(), (Events{"press", "kill:one", "apply:one="}));
  EXPECT_EQ(std::count(g_events.begin(), g_events.end(), "active:two"), 0);
}

TEST_F(ModalSheet, RefusingPageKeepsTheSheetOpen) {
  one.refuse = true;
  bool openAfterRefusal = false;
  sheet.steps = {
      [](ScriptedSheet& s) { s.Press(PSBTN_OK); },
      [&](ScriptedSheet& s) {
        openAfterRefusal = ::IsWindowVisible(s.m_hWnd) != FALSE;
        g_events.push_back("still open");
        one.refuse = false;
      },
      [](ScriptedSheet& s) { s.Press(PSBTN_OK); },
  };
  EXPECT_EQ(sheet.DoModal(), IDOK);
  EXPECT_TRUE(openAfterRefusal);
  EXPECT_EQ(AfterPress(),
            (Events{"press", "kill:one", "still open", "press", "kill:one", "apply:one="}));
}

TEST_F(ModalSheet, CancelResetsAndReturnsCancel) {
  sheet.steps = {[](ScriptedSheet& s) { s.Press(PSBTN_CANCEL); }};
  EXPECT_EQ(sheet.DoModal(), IDCANCEL);
  EXPECT_EQ(AfterPress(), (Events{"press", "reset:one"}));
}

TEST_F(ModalSheet, InitialisationHookHidesAndMovesButtons) {
  std::string title;
  sheet.steps = {[&](ScriptedSheet& s) {
    title = s.GetWindowText();
    s.Press(PSBTN_CANCEL);
  }};
  EXPECT_EQ(sheet.DoModal(), IDCANCEL);
  EXPECT_EQ(sheet.hookRuns, 1);
  EXPECT_TRUE(sheet.applyHidden);
  EXPECT_TRUE(sheet.buttonsMoved);
  EXPECT_NE(title.find("Test Preferences"), std::string::npos) << title;
}

TEST_F(ModalSheet, EndDialogClosesTheSheetWithItsResult) {
  sheet.steps = {
      [](ScriptedSheet& s) {
        s.SetActivePage(1);
        s.SetActivePage(0);
      },
      [](ScriptedSheet& s) {
        g_events.push_back("press");
        s.EndDialog(1);
      },
  };
  EXPECT_EQ(sheet.DoModal(), 1);
  EXPECT_EQ(std::count(g_events.begin(), g_events.end(), "apply:one="), 0);
  EXPECT_EQ(std::count(g_events.begin(), g_events.end(), "apply:two="), 0);
  EXPECT_FALSE(Watchdog::Fired());
}

}  // namespace
