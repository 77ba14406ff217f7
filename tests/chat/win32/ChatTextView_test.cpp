// The transcript window under a real window system: it replaces its
// placeholder, scrolls, selects with the mouse, copies to the clipboard,
// saves its file, paints its rows and handles the Ctrl keys.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "CChatTextView.h"
#include "CDC.h"
#include "ModuleState.h"
#include "ZrMessageBox.h"
#include "ZrMessageText.h"
#include "resource.h"

namespace {

constexpr UINT kPlaceholderId = 1001;
constexpr COLORREF kRed = RGB(255, 0, 0);

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
    return CreateEx(0, className, "transcript", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                    RECT{20, 20, 520, 420}, nullptr, 0);
  }
};

std::string ClipboardText() {
  std::string text;
  if (!::OpenClipboard(nullptr)) {
    return "<clipboard busy>";
  }
  if (HANDLE data = ::GetClipboardData(CF_TEXT)) {
    text = static_cast<const char*>(::GlobalLock(data));
    ::GlobalUnlock(data);
  }
  ::CloseClipboard();
  return text;
}

void SetClipboardText(const std::string& text) {
  ASSERT_TRUE(::OpenClipboard(nullptr));
  ::EmptyClipboard();
  HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  std::memcpy(::GlobalLock(memory), text.c_str(), text.size() + 1);
  ::GlobalUnlock(memory);
  ::SetClipboardData(CF_TEXT, memory);
  ::CloseClipboard();
}

// Blanks folded to one, so texts can be compared whatever the font's widths.
std::string FoldBlanks(const std::string& text) {
  std::string folded;
  for (char c : text) {
    if (c != ' ' || folded.empty() || folded.back() != ' ') {
      folded.push_back(c);
    }
  }
  return folded;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string TempPath(const char* name) {
  char folder[MAX_PATH];
  ::GetTempPathA(MAX_PATH, folder);
  return std::string(folder) + name;
}

class ChatTextViewTest : public ::testing::Test {
 protected:
  HostWnd host;
  CChatTextView view;
  HFONT font = nullptr;
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
    font = ::CreateFontA(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, NONANTIALIASED_QUALITY,
                         VARIABLE_PITCH | FF_SWISS, "Arial");
    HWND placeholder = ::CreateWindowExA(0, "Static", "", WS_CHILD | WS_VISIBLE, 10, 10, 400, 200,
                                         host.GetSafeHwnd(), reinterpret_cast<HMENU>(kPlaceholderId),
                                         ::GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(placeholder, nullptr);
    ::SendMessageA(placeholder, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    ASSERT_TRUE(view.Create(&host, kPlaceholderId));
    Pump();
  }
  void TearDown() override {
    if (view.GetSafeHwnd()) {
      view.DestroyWindow();
    }
    host.DestroyWindow();
    Pump();
    ::DeleteObject(font);
    AfxSetResourceHandle(oldResources);
    ::FreeLibrary(resources);
  }
  // The middle of a character of a visible row, in client coordinates.
  POINT CharPoint(int32_t screenRow, size_t ch) const {
    const TranscriptRow* row = view.Layout().VisibleRow(screenRow);
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, view.Font());
    SIZE before{};
    SIZE through{};
    ::GetTextExtentPoint32A(dc, row->text.data(), static_cast<int>(ch), &before);
    ::GetTextExtentPoint32A(dc, row->text.data(), static_cast<int>(ch + 1), &through);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    const TranscriptLayout& layout = view.Layout();
    return POINT{layout.Margin() + (before.cx + through.cx) / 2 + 1,
                 layout.Margin() + screenRow * layout.LineHeight() + layout.LineHeight() / 2};
  }
  void Mouse(UINT message, POINT p, WPARAM keys = 0) {
    view.SendMessage(message, keys, MAKELPARAM(p.x, p.y));
  }
  void Key(UINT message, WPARAM key) { view.SendMessage(message, key, 0); }
  SCROLLINFO ScrollBar() const {
    SCROLLINFO info{sizeof(info), SIF_ALL, 0, 0, 0, 0, 0};
    ::GetScrollInfo(view.GetSafeHwnd(), SB_VERT, &info);
    return info;
  }
  std::vector<HWND> FramesOfKind(DWORD kind) const {
    std::vector<HWND> frames;
    for (HWND child = ::GetWindow(host.GetSafeHwnd(), GW_CHILD); child;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
      char name[16] = {};
      ::GetClassNameA(child, name, sizeof(name));
      if (lstrcmpiA(name, "Static") == 0 && (::GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == kind) {
        frames.push_back(child);
      }
    }
    return frames;
  }
};

TEST_F(ChatTextViewTest, ReplacesThePlaceholderAndFramesItself) {
  HWND hwnd = view.GetSafeHwnd();
  EXPECT_EQ(::GetDlgItem(host.GetSafeHwnd(), kPlaceholderId), hwnd);
  EXPECT_EQ(view.Font(), font);
  EXPECT_TRUE(::GetClassLongA(hwnd, GCL_STYLE) & CS_DBLCLKS);
  EXPECT_EQ(view.GetStyle() & (WS_CHILD | WS_VISIBLE | WS_VSCROLL), WS_CHILD | WS_VISIBLE | WS_VSCROLL);
  EXPECT_TRUE(view.GetExStyle() & WS_EX_NOPARENTNOTIFY);

  RECT rect;
  view.GetWindowRect(&rect);
  ::MapWindowPoints(nullptr, host.GetSafeHwnd(), reinterpret_cast<POINT*>(&rect), 2);
  EXPECT_EQ(rect.left, 10);
  EXPECT_EQ(rect.top, 10);
  std::vector<HWND> black = FramesOfKind(SS_BLACKFRAME);
  std::vector<HWND> white = FramesOfKind(SS_WHITEFRAME);
  ASSERT_EQ(black.size(), 1u);
  ASSERT_EQ(white.size(), 1u);
  RECT frame;
  ::GetWindowRect(black[0], &frame);
  ::MapWindowPoints(nullptr, host.GetSafeHwnd(), reinterpret_cast<POINT*>(&frame), 2);
  EXPECT_EQ(frame.left, 9);
  EXPECT_EQ(frame.top, 9);
  ::GetWindowRect(white[0], &frame);
  ::MapWindowPoints(nullptr, host.GetSafeHwnd(), reinterpret_cast<POINT*>(&frame), 2);
  EXPECT_EQ(frame.left, 8);
  EXPECT_GT(frame.right, rect.right);

  view.DestroyWindow();
  EXPECT_TRUE(FramesOfKind(SS_BLACKFRAME).empty());
  EXPECT_TRUE(FramesOfKind(SS_WHITEFRAME).empty());
}

TEST_F(ChatTextViewTest, CreateWithoutAPlaceholderFails) {
  CChatTextView other;
  EXPECT_FALSE(other.Create(&host, 4242));
  EXPECT_EQ(other.GetSafeHwnd(), nullptr);
}

TEST_F(ChatTextViewTest, ScrollBarFollowsTheRowsAndItsMessages) {
  EXPECT_EQ(ScrollBar().nMax, 1);
  EXPECT_EQ(ScrollBar().nPos, 0);
  for (int i = 0; i < 60; ++i) {
    view.AddLine("u" + std::to_string(i), "line " + std::to_string(i), kRed);
  }
  const int32_t visible = view.Layout().VisibleRowCount();
  ASSERT_GT(visible, 2);
  const int32_t maximum = 60 - visible;
  EXPECT_EQ(ScrollBar().nMin, 0);
  EXPECT_EQ(ScrollBar().nMax, maximum);
  EXPECT_EQ(ScrollBar().nPos, maximum);

  struct Step {
    WPARAM code;
    int32_t position;
  };
  const std::vector<Step> steps = {
      {SB_LINEUP, maximum - 1}, {SB_TOP, 0},         {SB_LINEUP, 0},
      {SB_LINEDOWN, 1},         {SB_PAGEDOWN, 1 + visible}, {SB_PAGEUP, 1},
      {SB_BOTTOM, maximum},     {SB_LINEDOWN, maximum},
  };
  for (const Step& step : steps) {
    view.SendMessage(WM_VSCROLL, step.code, 0);
    EXPECT_EQ(ScrollBar().nPos, step.position) << step.code;
    EXPECT_EQ(view.Layout().VisibleRow(0)->line, step.position) << step.code;
  }
  // Scrolled up, new lines leave the view in place; at the end it follows.
  view.SendMessage(WM_VSCROLL, SB_TOP, 0);
  view.AddLine("late", "one", kRed);
  EXPECT_EQ(ScrollBar().nPos, 0);
  EXPECT_EQ(ScrollBar().nMax, maximum + 1);
  view.SendMessage(WM_VSCROLL, SB_BOTTOM, 0);
  view.AddLine("later", "two", kRed);
  EXPECT_EQ(ScrollBar().nPos, maximum + 2);
}

TEST_F(ChatTextViewTest, DraggingSelectsAndCtrlCCopies) {
  view.AddLine("alice", "first line", kRed);
  view.AddLine("bob", "second", kRed);
  SetClipboardText("old");
  POINT start = CharPoint(0, 0);
  start.x = view.Layout().Margin() + 1;
  POINT end = CharPoint(1, view.Layout().VisibleRow(1)->text.size() - 1);
  end.x += 30;
  Mouse(WM_LBUTTONDOWN, start, MK_LBUTTON);
  Mouse(WM_MOUSEMOVE, end, MK_LBUTTON);
  Mouse(WM_LBUTTONUP, end);
  ASSERT_TRUE(view.Layout().HasSelection());
  EXPECT_EQ(::GetCapture(), nullptr);

  Key(WM_KEYDOWN, 'C');  // without Ctrl nothing is copied
  EXPECT_EQ(ClipboardText(), "old");
  Key(WM_KEYDOWN, VK_CONTROL);
  Key(WM_KEYDOWN, 'C');
  Key(WM_KEYUP, VK_CONTROL);
  std::string copied = ClipboardText();
  EXPECT_EQ(FoldBlanks(copied), "alice first line\r\nbob second");
  EXPECT_EQ(copied.rfind("alice ", 0), 0u);

  // A new press clears the selection; copying then leaves the clipboard alone.
  SetClipboardText("kept");
  Mouse(WM_LBUTTONDOWN, start, MK_LBUTTON);
  Mouse(WM_LBUTTONUP, start);
  EXPECT_FALSE(view.Layout().HasSelection());
  view.CopySelection();
  EXPECT_EQ(ClipboardText(), "kept");
}

TEST_F(ChatTextViewTest, DraggingBelowTheTextSelectsToItsEnd) {
  view.AddLine("alice", "first line", kRed);
  view.AddLine("bob", "second", kRed);
  POINT start = CharPoint(0, 0);
  start.x = view.Layout().Margin() + 1;
  const TranscriptLayout& layout = view.Layout();
  const POINT below{start.x + 5, layout.Margin() + 4 * layout.LineHeight() + layout.LineHeight() / 2};
  Mouse(WM_LBUTTONDOWN, start, MK_LBUTTON);
  Mouse(WM_MOUSEMOVE, below, MK_LBUTTON);
  Mouse(WM_LBUTTONUP, below);
  ASSERT_TRUE(view.Layout().HasSelection());
  view.CopySelection();
  EXPECT_EQ(FoldBlanks(ClipboardText()), "alice first line\r\nbob second");
}

TEST_F(ChatTextViewTest, DoubleClickSelectsAWordAndCtrlInsertCopies) {
  view.AddLine("carol", "say hello42, world", kRed);
  const std::string& row = view.Layout().VisibleRow(0)->text;
  size_t word = row.find("hello42");
  ASSERT_NE(word, std::string::npos);
  Mouse(WM_LBUTTONDBLCLK, CharPoint(0, word + 3));
  Key(WM_KEYDOWN, VK_CONTROL);
  Key(WM_KEYDOWN, VK_INSERT);
  Key(WM_KEYUP, VK_CONTROL);
  EXPECT_EQ(ClipboardText(), "hello42");
  Mouse(WM_LBUTTONDBLCLK, CharPoint(0, word + 7));
  view.DoCommand(ID_EDIT_COPY);
  EXPECT_EQ(ClipboardText(), ",");
}

TEST_F(ChatTextViewTest, CommandsAreEnabledByContent) {
  struct Case {
    UINT command;
    bool empty;
    bool withLines;
    bool withSelection;
  };
  const std::vector<Case> cases = {
      {ID_EDIT_COPY, false, false, true},
      {ID_EDIT_CLEAR_ALL, false, true, true},
      {ID_PANE_SAVE_AS, false, true, true},
      {ID_EDIT_PASTE, false, false, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(view.IsCommandEnabled(c.command), c.empty) << c.command;
  }
  view.AddLine("dave", "words here", kRed);
  for (const Case& c : cases) {
    EXPECT_EQ(view.IsCommandEnabled(c.command), c.withLines) << c.command;
  }
  Mouse(WM_LBUTTONDBLCLK, CharPoint(0, view.Layout().VisibleRow(0)->text.find("words")));
  for (const Case& c : cases) {
    EXPECT_EQ(view.IsCommandEnabled(c.command), c.withSelection) << c.command;
  }
  EXPECT_TRUE(view.DoCommand(ID_EDIT_CLEAR_ALL));
  EXPECT_EQ(view.Layout().LineCount(), 0u);
  EXPECT_FALSE(view.IsCommandEnabled(ID_EDIT_COPY));
  EXPECT_FALSE(view.DoCommand(ID_EDIT_PASTE));
}

TEST_F(ChatTextViewTest, SaveWritesEveryLineWithCrLf) {
  std::string path = TempPath("zr_transcript_save.txt");
  std::remove(path.c_str());
  EXPECT_TRUE(view.Save(path));  // nothing to save: no file
  EXPECT_EQ(::GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);

  view.AddLine("alice", "a line long enough to be wrapped over more than one row of the view", kRed);
  view.AddSeparator("break", true);
  view.AddLine(" bob ", "  short  ", RGB(0, 0, 255));
  ASSERT_TRUE(view.Save(path));
  EXPECT_EQ(ReadFile(path),
            "alice\ta line long enough to be wrapped over more than one row of the view\r\n"
            "bob \tshort \r\n");
  view.Clear();
  view.AddLine("x", "y", kRed);
  ASSERT_TRUE(view.Save(path));  // an existing file is truncated
  EXPECT_EQ(ReadFile(path), "x\ty\r\n");
  std::remove(path.c_str());
}

TEST_F(ChatTextViewTest, AFailedSaveIsReportedWithThePath) {
  view.AddLine("alice", "hello", kRed);
  std::string path = TempPath("zr_no_such_folder\\inner\\t.txt");
  MSG stale;
  while (::PeekMessageA(&stale, host.GetSafeHwnd(), CZrMessageBox::kShowMessage,
                        CZrMessageBox::kShowMessage, PM_REMOVE)) {
  }
  EXPECT_FALSE(view.Save(path));
  MSG posted{};
  ASSERT_TRUE(::PeekMessageA(&posted, host.GetSafeHwnd(), CZrMessageBox::kShowMessage,
                             CZrMessageBox::kShowMessage, PM_REMOVE));
  char* text = reinterpret_cast<char*>(posted.lParam);
  ASSERT_NE(text, nullptr);
  std::string message = text;
  CZrMessageText::Free(text);
  EXPECT_NE(message.find("Error while saving file " + path), std::string::npos) << message;
}

TEST_F(ChatTextViewTest, PaintsRowsInTheirColourAndInvertsTheSelection) {
  view.AddLine("alice", "WWWW MMMM", kRed);
  RECT client;
  view.GetClientRect(&client);
  const TranscriptLayout& layout = view.Layout();

  HDC screen = ::GetDC(nullptr);
  CDC memory;
  ASSERT_TRUE(memory.CreateCompatibleDC(nullptr));
  HBITMAP bitmap = ::CreateCompatibleBitmap(screen, client.right, client.bottom);
  ::ReleaseDC(nullptr, screen);
  HGDIOBJ oldBitmap = ::SelectObject(memory, bitmap);
  auto paint = [&]() {
    ::PatBlt(memory, 0, 0, client.right, client.bottom, WHITENESS);
    view.Draw(&memory, client);
  };
  auto count = [&](int left, int top, int right, int bottom, auto predicate) {
    int hits = 0;
    for (int y = top; y < bottom; ++y) {
      for (int x = left; x < right; ++x) {
        hits += predicate(::GetPixel(memory, x, y)) ? 1 : 0;
      }
    }
    return hits;
  };
  auto isRed = [](COLORREF c) { return GetRValue(c) > 160 && GetGValue(c) < 96 && GetBValue(c) < 96; };
  auto isWhite = [](COLORREF c) { return c == RGB(255, 255, 255); };
  auto isBlack = [](COLORREF c) { return c == RGB(0, 0, 0); };

  const int top = layout.Margin();
  const int bottom = top + layout.LineHeight();
  const int columnRight = layout.Margin() + layout.SpeakerColumnWidth();
  paint();
  EXPECT_GT(count(layout.Margin(), top, columnRight, bottom, isRed), 0);  // the speaker
  EXPECT_GT(count(columnRight, top, client.right, bottom, isRed), 0);     // the text
  EXPECT_EQ(count(0, bottom, client.right, client.bottom, isWhite), client.right * (client.bottom - bottom));

  size_t word = layout.VisibleRow(0)->text.find("MMMM");
  POINT first = CharPoint(0, word);
  POINT last = CharPoint(0, word + 3);
  Mouse(WM_LBUTTONDBLCLK, first);
  ASSERT_TRUE(layout.HasSelection());
  paint();
  // The inverted word: its white background turned black.
  int area = (last.x - first.x) * layout.LineHeight();
  EXPECT_GT(count(first.x, top, last.x, bottom, isBlack), area / 2);
  EXPECT_EQ(count(layout.Margin(), top, columnRight, bottom, isBlack), 0);

  ::SelectObject(memory, oldBitmap);
  ::DeleteObject(bitmap);
}

TEST_F(ChatTextViewTest, CtrlIOpensTheInstantMessageDialogAndEatsItsCharacter) {
  int opened = 0;
  view.SetInstantMessageHandler([&] { ++opened; });
  HWND hwnd = view.GetSafeHwnd();
  auto dispatchOne = [&]() {
    MSG msg;
    ASSERT_TRUE(::PeekMessageA(&msg, hwnd, 0, 0, PM_REMOVE));
    ::DispatchMessageA(&msg);
  };
  ::PostMessageA(hwnd, WM_KEYDOWN, VK_CONTROL, 0);
  ::PostMessageA(hwnd, WM_KEYDOWN, 'I', 0);
  ::PostMessageA(hwnd, WM_CHAR, 9, 0);
  dispatchOne();
  dispatchOne();
  EXPECT_EQ(opened, 1);
  MSG pending;
  EXPECT_FALSE(::PeekMessageA(&pending, hwnd, WM_CHAR, WM_CHAR, PM_NOREMOVE));

  Key(WM_KEYUP, VK_CONTROL);
  Key(WM_KEYDOWN, 'I');
  EXPECT_EQ(opened, 1);
}

TEST_F(ChatTextViewTest, SeparatorColoursComeFromTheResourceLibrary) {
  using GetColorFn = uint32_t (*)(uint32_t);
  auto getColor = reinterpret_cast<GetColorFn>(
      reinterpret_cast<void*>(::GetProcAddress(resources, "GetColor")));
  ASSERT_NE(getColor, nullptr);
  bool privateRoom = false;
  view.SetPrivateRoomQuery([&] { return privateRoom; });
  view.AddLine("a", "b", kRed);
  view.AddSeparator("", true);
  EXPECT_EQ(view.Layout().KeptRows().back().colour, getColor(3));
  privateRoom = true;
  view.ReplaceSeparator("private");
  EXPECT_EQ(view.Layout().KeptRows().back().colour, getColor(4));
  privateRoom = false;
  view.ReplaceSeparator("plain");
  EXPECT_EQ(view.Layout().KeptRows().back().colour, RGB(0, 0, 0));
}

}  // namespace
