// The duplicate refusal shown for real: a watcher thread reads the box of
// the test's thread and closes it.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <string>
#include <thread>

#include "CTextListFile.h"
#include "ZrFavoriteNotice.h"
#include "ZrMessageBox.h"

#ifdef ZR_RES_PRODUCT_DLL
namespace {

// The text of the first message box of `thread`, closed once read; empty
// when none appears within a few seconds.
std::string CloseBoxOf(DWORD thread) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (std::chrono::steady_clock::now() < deadline) {
    HWND box = nullptr;
    EnumThreadWindows(
        thread,
        [](HWND window, LPARAM found) -> BOOL {
          char cls[16] = {};
          GetClassNameA(window, cls, sizeof cls);
          if (lstrcmpA(cls, "#32770") != 0 || !IsWindowVisible(window)) return TRUE;
          *reinterpret_cast<HWND*>(found) = window;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&box));
    if (box) {
      char text[512] = {};
      GetWindowTextA(GetDlgItem(box, 0xFFFF), text, sizeof text);
      PostMessageA(box, WM_COMMAND, IDOK, 0);
      return text;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return "";
}

TEST(FavoriteNotice, TwinEntryIsRefusedWithTheMessageOfTheResourceLibrary) {
  HMODULE resources = LoadLibraryA(ZR_RES_PRODUCT_DLL);
  ASSERT_NE(resources, nullptr);
  CZrMessageBox boxes;
  boxes.SetResourceModule(resources);
  {
    CTextListFile list("", "", ZrFavoriteDuplicateBox());
    ASSERT_NE(list.Add("Home", "http://home.test/"), nullptr);
    std::string seen;
    std::thread watcher([&seen, thread = GetCurrentThreadId()] { seen = CloseBoxOf(thread); });
    EXPECT_EQ(list.Add("HOME", "http://Home.test/"), nullptr);
    watcher.join();
    EXPECT_EQ(seen, "Favorite Places: HOME is already in your favorite places (http://Home.test/).");
    EXPECT_EQ(list.GetCount(), 1);
    list.Clear();
  }
  FreeLibrary(resources);
}

}  // namespace
#endif
