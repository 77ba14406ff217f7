// Message boxes by string number, shown and posted for real: a watcher
// thread finds each box of the test's thread, reads its text, whether it shows
// an icon and whether the main window is disabled meanwhile, and closes it.
#include "ZrMessageBox.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

namespace {

struct SeenBox {
  std::string text;
  bool icon;
  bool mainEnabled;
};

std::string WindowText(HWND window) {
  char text[2048] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

bool HasVisibleIcon(HWND box) {
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    char cls[32] = {};
    GetClassNameA(child, cls, sizeof cls);
    const LONG style = GetWindowLongA(child, GWL_STYLE);
    if (lstrcmpiA(cls, "Static") == 0 && (style & SS_TYPEMASK) == SS_ICON &&
        IsWindowVisible(child) && SendMessageA(child, STM_GETICON, 0, 0) != 0) {
      return true;
    }
  }
  return false;
}

// The static control that holds a message box's text.
constexpr int kBoxTextId = 0xFFFF;

// Waits until the given number of boxes of one thread are up, then closes
// them newest first, recording each.
class BoxWatcher {
 public:
  BoxWatcher(DWORD thread, HWND mainWindow, size_t expected)
      : m_thread(thread), m_main(mainWindow), m_expected(expected),
        m_worker([this] { Run(); }) {}
  ~BoxWatcher() { Join(); }

  const std::vector<SeenBox>& Join() {
    if (m_worker.joinable()) m_worker.join();
    return m_seen;
  }
  bool TimedOut() const { return m_timedOut; }

 private:
  std::vector<HWND> Boxes() const {
    struct Search {
      DWORD thread;
      std::vector<HWND> found;
    } search{m_thread, {}};
    EnumThreadWindows(
        m_thread,
        [](HWND window, LPARAM data) -> BOOL {
          char cls[16] = {};
          GetClassNameA(window, cls, sizeof cls);
          if (lstrcmpA(cls, "#32770") == 0 && IsWindowVisible(window)) {
            reinterpret_cast<Search*>(data)->found.push_back(window);
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
  }

  void Run() {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(15);
    std::vector<HWND> open;  // in the order they appeared
    size_t appeared = 0;
    while (m_seen.size() < m_expected) {
      if (std::chrono::steady_clock::now() > deadline) {
        m_timedOut = true;
        for (HWND box : Boxes()) PostMessageA(box, WM_COMMAND, IDOK, 0);
        return;
      }
      for (HWND box : Boxes()) {
        if (std::find(open.begin(), open.end(), box) == open.end()) {
          open.push_back(box);
          ++appeared;
        }
      }
      if (appeared < m_expected || open.empty()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        continue;
      }
      HWND newest = open.back();
      m_seen.push_back({WindowText(GetDlgItem(newest, kBoxTextId)), HasVisibleIcon(newest),
                        IsWindowEnabled(m_main) != FALSE});
      PostMessageA(newest, WM_COMMAND, IDOK, 0);
      while (IsWindow(newest) && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
      }
      open.pop_back();
    }
  }

  DWORD m_thread;
  HWND m_main;
  size_t m_expected;
  std::vector<SeenBox> m_seen;
  std::atomic<bool> m_timedOut{false};
  std::thread m_worker;
};

CZrMessageBox* g_boxes = nullptr;

char* Build(const CZrMessageBox& boxes, UINT first, UINT second, ...) {
  va_list args;
  va_start(args, second);
  char* text = boxes.BuildText(first, second, args);
  va_end(args);
  return text;
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == CZrMessageBox::kShowMessage && g_boxes) {
    return g_boxes->OnShowMessage(wParam, lParam);
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

class MessageBoxes : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = MainWindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "ZrMessageBoxTestMain";
    RegisterClassA(&wc);
    m_main = CreateWindowExA(0, wc.lpszClassName, "main", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200,
                             nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(m_main, nullptr);
    m_library = LoadLibraryA(ZR_RES_PRODUCT_DLL);
    ASSERT_NE(m_library, nullptr) << ZR_RES_PRODUCT_DLL;
    m_boxes.SetMainWindow(m_main);
    m_boxes.SetResourceModule(m_library);
    g_boxes = &m_boxes;
  }
  void TearDown() override {
    g_boxes = nullptr;
    DestroyWindow(m_main);
    if (m_library) FreeLibrary(m_library);
  }

  // Runs the posted messages of this thread for a moment.
  void Pump() {
    const DWORD end = GetTickCount() + 300;
    MSG msg;
    while (GetTickCount() < end) {
      while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
      Sleep(10);
    }
  }

  BoxWatcher Watch(size_t boxes) { return BoxWatcher(GetCurrentThreadId(), m_main, boxes); }

  HWND m_main = nullptr;
  HMODULE m_library = nullptr;
  CZrMessageBox m_boxes;
};

TEST_F(MessageBoxes, ShownAtOnceWithTheJoinedText) {
  struct Case {
    const char* name;
    void (*show)();
    const char* text;
    bool icon;
  };
  const Case cases[] = {
      {"title and message", [] { MessageBoxIds2(214, 581, "ZrRes.dll"); },
       "Lumora Zanthe Chat: ZrRes.dll not found.", false},
      {"single blank first", [] { MessageBoxIds2(199, 193, "me.bmp"); },
       " Can not load avatar file me.bmp. Using default.", false},
      {"three strings", [] { MessageBoxIds3Info(199, 228, 199, "CallPro"); },
       " CallPro not found ", true},
      {"missing first string", [] { MessageBoxIds2(9999, 170); }, "Severe error. Out of memory.",
       false},
      {"code argument", [] { MessageBoxIds2(157, 135, "chat.lumora.example", 206); },
       "Lumora Chat Server chat.lumora.example is inaccessible: "
       "The connection to the server was lost (206).",
       false},
  };
  for (const Case& c : cases) {
    BoxWatcher watcher = Watch(1);
    c.show();
    const std::vector<SeenBox>& seen = watcher.Join();
    ASSERT_FALSE(watcher.TimedOut()) << c.name;
    ASSERT_EQ(seen.size(), 1u) << c.name;
    EXPECT_EQ(seen[0].text, c.text) << c.name;
    EXPECT_EQ(seen[0].icon, c.icon) << c.name;
    EXPECT_FALSE(seen[0].mainEnabled) << c.name << ": main window enabled under the box";
    EXPECT_TRUE(IsWindowEnabled(m_main)) << c.name;
    EXPECT_EQ(m_boxes.DialogUpCount(), 0) << c.name;
  }
}

TEST_F(MessageBoxes, BeforeTheLibraryTheProgramsOwnTwoTextsAreUsed) {
  m_boxes.SetResourceModule(GetModuleHandleA(nullptr));
  {
    BoxWatcher watcher = Watch(1);
    MessageBoxIds2(214, 581, "ZrRes.dll");
    const std::vector<SeenBox>& seen = watcher.Join();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, "ZrRes.dll not found.");
  }
  {
    BoxWatcher watcher = Watch(1);
    MessageBoxIds2(214, 582, "ZrRes.dll");
    const std::vector<SeenBox>& seen = watcher.Join();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, "Zanthe is not compatible with the current version of ZrRes.dll.");
  }
}

TEST_F(MessageBoxes, PostedBoxWaitsForTheMainWindowsLoop) {
  MessageBoxIds2AsyncInfo(260, 261, "Home", "http://home.lumora.example/");
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, m_main, CZrMessageBox::kShowMessage,
                           CZrMessageBox::kShowMessage, PM_NOREMOVE));
  EXPECT_EQ(msg.wParam, static_cast<WPARAM>(CZrMessageBox::kInformation));
  EXPECT_STREQ(reinterpret_cast<const char*>(msg.lParam),
               "Favorite Places: Home is already in your favorite places "
               "(http://home.lumora.example/).");

  BoxWatcher watcher = Watch(1);
  Pump();
  const std::vector<SeenBox>& seen = watcher.Join();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].text,
            "Favorite Places: Home is already in your favorite places "
            "(http://home.lumora.example/).");
  EXPECT_TRUE(seen[0].icon);
  EXPECT_FALSE(seen[0].mainEnabled);
  EXPECT_TRUE(IsWindowEnabled(m_main));
}

TEST_F(MessageBoxes, PostedPlainBoxHasNoIcon) {
  MessageBoxIds2Async(157, 161, "chat.lumora.example");
  BoxWatcher watcher = Watch(1);
  Pump();
  const std::vector<SeenBox>& seen = watcher.Join();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].text,
            "Lumora Chat Server chat.lumora.example is inaccessible: "
            "The request was refused by the server.");
  EXPECT_FALSE(seen[0].icon);
}

TEST_F(MessageBoxes, BoxInsideABoxLeavesTheWindowsToTheFirst) {
  // The posted box is shown by the first box's own message loop.
  MessageBoxIds2Async(199, 170);
  BoxWatcher watcher = Watch(2);
  MessageBoxIds2(199, 155);
  const std::vector<SeenBox>& seen = watcher.Join();
  ASSERT_FALSE(watcher.TimedOut());
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].text, " Severe error. Out of memory.");
  EXPECT_FALSE(seen[0].mainEnabled);
  EXPECT_EQ(seen[1].text, " File not found.");
  EXPECT_FALSE(seen[1].mainEnabled) << "closing the inner box enabled the main window";
  EXPECT_TRUE(IsWindowEnabled(m_main));
  EXPECT_EQ(m_boxes.DialogUpCount(), 0);
}

TEST_F(MessageBoxes, PostWithoutAMainWindowShowsNothing) {
  m_boxes.SetMainWindow(nullptr);
  char* text = Build(m_boxes, 199, 170);
  EXPECT_FALSE(m_boxes.PostMessageBox(CZrMessageBox::kPlain, text));
  MSG msg;
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, CZrMessageBox::kShowMessage,
                            CZrMessageBox::kShowMessage, PM_NOREMOVE));
  m_boxes.ShowMessageBox(CZrMessageBox::kPlain, nullptr);
  EXPECT_EQ(m_boxes.DialogUpCount(), 0);
}

TEST_F(MessageBoxes, EnablingFollowsTheFlagOnlyWhenItChanges) {
  HWND list = CreateWindowExA(0, "LISTBOX", "", WS_CHILD, 0, 0, 10, 10, m_main, nullptr, nullptr,
                              nullptr);
  std::vector<bool> dialogCalls;
  m_boxes.SetWindowsSource([&] { return std::vector<HWND>{m_main, list, nullptr}; });
  m_boxes.SetDialogsEnabler([&](bool enable) { dialogCalls.push_back(enable); });

  m_boxes.EnableMainWindows(1);
  EXPECT_FALSE(IsWindowEnabled(m_main));
  EXPECT_FALSE(IsWindowEnabled(list));
  m_boxes.EnableMainWindows(1);
  EXPECT_EQ(m_boxes.DialogUpCount(), 1);
  m_boxes.EnableMainWindows(0);
  EXPECT_TRUE(IsWindowEnabled(m_main));
  EXPECT_TRUE(IsWindowEnabled(list));
  EXPECT_EQ(dialogCalls, (std::vector<bool>{false, true}));
  DestroyWindow(list);
}

}  // namespace
