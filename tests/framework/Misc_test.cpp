// Smaller pieces: colour messages reflected to the control object, message
// boxes by string id, file dialog filters, run-time classes.
#include <gtest/gtest.h>

#include <string>

#include "CBrush.h"
#include "CDialog.h"
#include "CFileDialog.h"
#include "CFrameWnd.h"
#include "CView.h"
#include "TestResources.h"
#include "TestSupport.h"

namespace {

// An edit that colours itself while told to, and leaves it to its parent
// otherwise.
class ColourEdit : public CWnd {
 public:
  bool colours = true;
  CBrush brush;

  HBRUSH CtlColor(CDC*, UINT) { return colours ? static_cast<HBRUSH>(brush) : nullptr; }

 protected:
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ColourEdit, CWnd)
  ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

class ColourDialog : public CDialog {
 public:
  CBrush brush;
  int parentAnswers = 0;

 protected:
  HBRUSH OnCtlColor(CDC*, CWnd*, UINT) {
    ++parentAnswers;
    return brush;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ColourDialog, CDialog)
  ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

TEST(Reflection, ColourMessageGoesToTheControlFirst) {
  ColourDialog dialog;
  ASSERT_TRUE(dialog.brush.CreateSolidBrush(RGB(1, 2, 3)));
  ASSERT_TRUE(dialog.Create(IDD_EXCHANGE));
  ColourEdit edit;
  ASSERT_TRUE(edit.brush.CreateSolidBrush(RGB(4, 5, 6)));
  ASSERT_TRUE(edit.SubclassDlgItem(IDC_NAME, &dialog));
  HDC dc = ::GetDC(edit);

  LRESULT answer = dialog.SendMessage(WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                                      reinterpret_cast<LPARAM>(edit.m_hWnd));
  EXPECT_EQ(reinterpret_cast<HBRUSH>(answer), static_cast<HBRUSH>(edit.brush));
  EXPECT_EQ(dialog.parentAnswers, 0);

  edit.colours = false;
  answer = dialog.SendMessage(WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                              reinterpret_cast<LPARAM>(edit.m_hWnd));
  EXPECT_EQ(reinterpret_cast<HBRUSH>(answer), static_cast<HBRUSH>(dialog.brush));
  EXPECT_EQ(dialog.parentAnswers, 1);
  ::ReleaseDC(edit, dc);
  dialog.DestroyWindow();
}

TEST(MessageBoxes, StringIdComesFromTheResourceModule) {
  App().messages.clear();
  EXPECT_EQ(AfxMessageBox(ID_REFRESH), IDOK);
  ASSERT_EQ(App().messages.size(), 1u);
  EXPECT_EQ(App().messages[0], "Refreshes\nRefresh");
}

TEST(FileDialog, FilterBarsBecomeTerminators) {
  struct Case {
    const char* filter;
    std::string expected;  // what the dialog reads, up to the double terminator
  };
  const Case cases[] = {
      {"Programs (*.exe) |*.exe||", std::string("Programs (*.exe) \0*.exe\0", 24)},
      {"Text|*.txt|All|*.*||", std::string("Text\0*.txt\0All\0*.*\0", 19)},
      {"Text|*.txt", std::string("Text\0*.txt\0", 11)},
      {"", std::string()},
      {nullptr, std::string()},
  };
  for (const Case& c : cases) {
    std::string converted = CFileDialog::ConvertFilter(c.filter);
    EXPECT_EQ(converted, c.expected) << (c.filter ? c.filter : "(null)");
    EXPECT_EQ(converted.c_str()[converted.size()], '\0');
  }
}

TEST(RuntimeClasses, CreateObjectsAndKnowTheirBases) {
  CObject* view = RUNTIME_CLASS(CView)->CreateObject();
  ASSERT_NE(view, nullptr);
  EXPECT_TRUE(view->IsKindOf(RUNTIME_CLASS(CWnd)));
  EXPECT_FALSE(view->IsKindOf(RUNTIME_CLASS(CFrameWnd)));
  delete view;
  EXPECT_EQ(RUNTIME_CLASS(CDialog)->CreateObject(), nullptr) << "not dynamically creatable";
}

}  // namespace
