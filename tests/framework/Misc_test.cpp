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

namespace {

// Handlers with unpacked parameters receive what the message carried.
class CrackedWnd : public CWnd {
 public:
  std::string seen;

 protected:
  void OnSize(UINT type, int cx, int cy) { seen = "size " + std::to_string(type) + " " + std::to_string(cx) + "x" + std::to_string(cy); }
  void OnLButtonDown(UINT flags, POINT point) {
    seen = "down " + std::to_string(flags) + " " + std::to_string(point.x) + "," + std::to_string(point.y);
  }
  void OnKeyDown(UINT key, UINT repeat, UINT flags) {
    seen = "key " + std::to_string(key) + " " + std::to_string(repeat) + " " + std::to_string(flags);
  }
  BOOL OnCopyData(CWnd*, COPYDATASTRUCT* data) {
    seen = "copy " + std::to_string(data->dwData) + " " + std::string(static_cast<const char*>(data->lpData), data->cbData);
    return TRUE;
  }
  LRESULT OnPrivate(WPARAM wParam, LPARAM lParam) {
    seen = "private " + std::to_string(wParam) + " " + std::to_string(lParam);
    return 1290;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CrackedWnd, CWnd)
  ON_WM_SIZE()
  ON_WM_LBUTTONDOWN()
  ON_WM_KEYDOWN()
  ON_WM_COPYDATA()
  ON_MESSAGE(0x50A, OnPrivate)
END_MESSAGE_MAP()

TEST(MessageMaps, HandlersGetUnpackedParameters) {
  CrackedWnd wnd;
  RECT none{0, 0, 0, 0};
  ASSERT_TRUE(wnd.CreateEx(0, nullptr, "cracked", WS_POPUP, none, nullptr, 0));
  wnd.SendMessage(WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(640, 480));
  EXPECT_EQ(wnd.seen, "size 2 640x480");
  wnd.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(static_cast<WORD>(-3), 7));
  EXPECT_EQ(wnd.seen, "down 1 -3,7");
  wnd.SendMessage(WM_KEYDOWN, 'A', MAKELPARAM(2, 30));
  EXPECT_EQ(wnd.seen, "key 65 2 30");
  char bytes[] = "abc";
  COPYDATASTRUCT data{1547, 3, bytes};
  EXPECT_EQ(wnd.SendMessage(WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)), TRUE);
  EXPECT_EQ(wnd.seen, "copy 1547 abc");
  EXPECT_EQ(wnd.SendMessage(0x50A, 9, 11), 1290);
  EXPECT_EQ(wnd.seen, "private 9 11");
}

}  // namespace
