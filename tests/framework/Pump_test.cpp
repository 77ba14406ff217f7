// The application's message pump: idle processing restarts at count 0 after
// a message that can change the interface, and not after timer ticks,
// painting or mouse moves that did not move the mouse.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CWnd.h"
#include "TestSupport.h"

namespace {

TEST(IdleFilter, TellsWhichMessagesRestartIdleProcessing) {
  struct Case {
    UINT message;
    POINT point;
    bool idle;
  };
  const Case cases[] = {
      {WM_MOUSEMOVE, {-7, -7}, true},  // a new point
      {WM_TIMER, {1, 1}, false},
      {0x0118, {1, 1}, false},  // caret blink
      {WM_PAINT, {1, 1}, false},
      {WM_KEYDOWN, {1, 1}, true},
      {WM_COMMAND, {1, 1}, true},
      {WM_MOUSEMOVE, {10, 10}, true},
      {WM_MOUSEMOVE, {10, 10}, false},
      {WM_MOUSEMOVE, {11, 10}, true},
      {WM_NCMOUSEMOVE, {11, 10}, true},
      {WM_NCMOUSEMOVE, {11, 10}, false},
      {WM_MOUSEMOVE, {11, 10}, true},
  };
  int step = 0;
  for (const Case& c : cases) {
    MSG msg{};
    msg.message = c.message;
    msg.pt = c.point;
    EXPECT_EQ(App().IsIdleMessage(msg), c.idle) << "step " << step << " message " << c.message;
    ++step;
  }
}

// Logs what the hidden window receives.
class RecorderWnd : public CWnd {
 public:
  std::vector<std::string>* log = nullptr;

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_APP) {
      log->push_back("app");
    } else if (message == WM_TIMER) {
      log->push_back("timer");
    } else if (message == WM_MOUSEMOVE) {
      log->push_back("move");
    }
    return CWnd::WindowProc(message, wParam, lParam);
  }
};

std::vector<std::string> g_pumpLog;
RecorderWnd* g_recorder = nullptr;
int g_step = 0;

// One scripted step every tick; the ticks themselves are timer messages.
void CALLBACK ScriptTick(HWND, UINT, UINT_PTR, DWORD) {
  g_pumpLog.push_back("step" + std::to_string(g_step));
  HWND target = g_recorder->m_hWnd;
  switch (g_step++) {
    case 1:
      ::PostMessageA(target, WM_APP, 0, 0);
      break;
    case 2:
    case 3:
      ::PostMessageA(target, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
      break;
    case 4:
      ::PostMessageA(target, WM_TIMER, 77, 0);
      break;
    case 5:
      ::PostQuitMessage(0);
      break;
    default:
      break;
  }
}

// The entries of the log between two markers.
std::vector<std::string> Between(const std::string& from, const std::string& to) {
  std::vector<std::string> part;
  bool inside = false;
  for (const std::string& entry : g_pumpLog) {
    if (entry == to && inside) {
      break;
    }
    if (inside) {
      part.push_back(entry);
    }
    inside = inside || entry == from;
  }
  return part;
}

TEST(MessagePump, IdleCountRestartsOnlyAfterInterfaceMessages) {
  RecorderWnd recorder;
  recorder.log = &g_pumpLog;
  RECT none{0, 0, 0, 0};
  ASSERT_TRUE(recorder.CreateEx(0, nullptr, "recorder", WS_POPUP, none, nullptr, 0));
  g_recorder = &recorder;
  g_pumpLog.clear();
  g_step = 0;
  App().idleObserver = [](LONG count) { g_pumpLog.push_back("idle" + std::to_string(count)); };
  UINT_PTR timer = ::SetTimer(nullptr, 0, 100, &ScriptTick);

  int code = App().Run();

  ::KillTimer(nullptr, timer);
  App().idleObserver = nullptr;
  EXPECT_EQ(code, 0);
  using List = std::vector<std::string>;
  EXPECT_EQ(Between("step1", "step2"), (List{"app", "idle0", "idle1"}));
  EXPECT_EQ(Between("step2", "step3"), (List{"move", "idle0", "idle1"}));
  EXPECT_EQ(Between("step3", "step4"), (List{"move"})) << "the mouse did not move";
  EXPECT_EQ(Between("step4", "step5"), (List{"timer"}));
}

}  // namespace
