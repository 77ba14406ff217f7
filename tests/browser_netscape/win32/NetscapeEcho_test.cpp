// The other browser's DDE link against dde_peer playing the browser: the
// verbs the link sends it, and its calls back reaching the views' windows.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "CNetscapeEcho.h"
#include "DdePeer.h"

namespace {

// A view's window that records the link's messages and status texts.
class RecordingView : public INetscapeEchoView {
 public:
  explicit RecordingView(std::string name) : m_name(std::move(name)) {
    m_window = ::CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ::SetWindowLongPtrA(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    m_previous = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(m_window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RecordingView::Proc)));
  }
  ~RecordingView() override { ::DestroyWindow(m_window); }

  HWND EchoWindow() const override { return m_window; }
  std::string EchoViewName() const override { return m_name; }
  void ShowEchoStatus(const std::string& text) override { statuses.push_back(text); }

  std::vector<UINT> messages;
  std::vector<std::string> statuses;

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<RecordingView*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self && message >= CNetscapeEcho::kLoadBegan && message <= CNetscapeEcho::kProtocolUrl) {
      self->messages.push_back(message);
      return 0;
    }
    return ::CallWindowProcA(self->m_previous, window, message, wParam, lParam);
  }

  std::string m_name;
  HWND m_window = nullptr;
  WNDPROC m_previous = nullptr;
};

TEST(NetscapeEcho, VerbsReachTheBrowser) {
  const std::string openItem = "http://a/,,0xFFFFFFFF,0x3,,,Zanthe";
  Peer browser("answer " + openItem + " 07000000 answer 0x7 " +
               Hex("\"http://a/\",\"Browser - [Page A]\"") + " serve NETSCAPE 20000");
  ASSERT_TRUE(browser.WaitFor("serving NETSCAPE"));
  CNetscapeEcho echo;
  RecordingView view("ZRS");
  const int32_t index = echo.AddView(view);
  ASSERT_GE(index, 0);
  echo.OpenUrl(index, "http://a/");
  EXPECT_EQ(echo.Record(index)->windowId, 7u);
  echo.GetWindowInfo(*echo.Record(index));
  EXPECT_EQ(echo.Record(index)->url, "http://a/");
  EXPECT_EQ(echo.Record(index)->title, "Page A");
  // A second view registers nothing again.
  RecordingView second("ZR");
  EXPECT_EQ(echo.AddView(second), index + 1);
  ASSERT_TRUE(echo.Connect("NETSCAPE", "control"));
  echo.Execute("quit");
  ASSERT_TRUE(browser.Finish());
  std::vector<std::string> calls;
  for (const std::string& line : browser.Lines())
    if (line.rfind("poked ", 0) == 0 || line.rfind("requested ", 0) == 0) calls.push_back(line);
  EXPECT_EQ(calls, (std::vector<std::string>{
                       "poked WWW_RegisterURLEcho Zanthe " + Hex(std::string("<null>", 7)),
                       "requested Zanthe,ZR",
                       "requested Zanthe,ZRS",
                       "requested Zanthe,ZRM",
                       "requested Zanthe,HVN",
                       "requested " + openItem,
                       "requested 0x7",
                   }));
}

TEST(NetscapeEcho, TheBrowsersCallsReachTheViews) {
  CNetscapeEcho echo;
  RecordingView view("ZR");
  const int32_t index = echo.AddView(view);
  ASSERT_GE(index, 0);
  // The browser's window is its last active one (-1) until a page opened.
  // The link asks the browser about its window after answering a page's
  // echo; the browser gives it a moment before its next call.
  Peer browser(
      "connect Zanthe WWW_BeginProgress request -1 disconnect "
      "connect Zanthe WWW_MakingProgress request 1,Loading disconnect "
      "connect Zanthe WWW_OpenURL request ZR://Place=x,,-1 request http://other/,,-1 disconnect "
      "connect Zanthe WWW_URLEcho poke e " + Hex("http://img/a.gif,image/gif,-1") +
      " poke e " + Hex("http://p/,text/html,-1") + " waitdata 1000 poke e " + Hex("http://p/,text/html,-1") +
      " poke e " + Hex("<NULL>") + " disconnect "
      "connect Zanthe WWW_EndProgress poke e " + Hex("1") + " disconnect");
  ASSERT_TRUE(browser.Finish());
  Pump();
  const std::vector<std::string> lines = browser.Lines();
  // The load's id, 4 bytes; the window id as text in 255 bytes.
  EXPECT_EQ(lines[1], "request ok 01000000");
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "request ok " + Hex("0xFFFFFFFF") + std::string(2 * (255 - 10), '0')), 2);
  EXPECT_EQ(view.messages, (std::vector<UINT>{CNetscapeEcho::kLoadBegan, CNetscapeEcho::kProgressChanged,
                                              CNetscapeEcho::kProtocolUrl, CNetscapeEcho::kLoadBegan,
                                              CNetscapeEcho::kLocationLearnt, CNetscapeEcho::kLocationLearnt}));
  EXPECT_EQ(view.statuses, (std::vector<std::string>{"http://img/a.gif"}));
  EXPECT_EQ(echo.Record(index)->progress, "Loading");
  EXPECT_EQ(echo.Record(index)->transactionId, 0u);
}

}  // namespace
