// Test helper for the zrplaces.exe tests, run under Wine beside it:
//
//   app_start_probe window CLASS SECONDS  plays a running program: a
//       top-level window of CLASS that prints "READY", then
//       "COPYDATA <code> <length> <text>" for every WM_COPYDATA, for SECONDS.
//   app_start_probe box SECONDS  waits for the client's message box, prints
//       "BOX <text>" and "FRAME <count>" (the client frames that exist while
//       it is up), then closes it.
//   app_start_probe close CLASS SECONDS  waits for a window of CLASS and
//       posts WM_CLOSE to it; prints "CLOSED" or "NONE".
//   app_start_probe count CLASS  prints "COUNT <n>", the top-level windows
//       of CLASS.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr char kFrameClass[] = "ZRFrame";
constexpr char kBoxClass[] = "#32770";
constexpr char kBoxCaption[] = "Zanthe";
constexpr DWORD kPollMs = 100;

void Print(const std::string& line) {
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COPYDATA) {
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    std::string text(static_cast<const char*>(data->lpData), data->cbData);
    if (!text.empty() && text.back() == '\0') text.pop_back();
    Print("COPYDATA " + std::to_string(data->dwData) + " " + std::to_string(data->cbData) + " " +
          text);
    return TRUE;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

int RunWindow(const char* className, int seconds) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = className;
  RegisterClassA(&windowClass);
  HWND window = CreateWindowA(className, className, WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr,
                              windowClass.hInstance, nullptr);
  if (!window) return 1;
  SetTimer(window, 1, static_cast<UINT>(seconds) * 1000, nullptr);
  Print("READY");
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (message.message == WM_TIMER) break;
    DispatchMessageA(&message);
  }
  DestroyWindow(window);
  return 0;
}

struct Count {
  const char* className;
  int found;
};

BOOL CALLBACK CountWindow(HWND window, LPARAM context) {
  auto* count = reinterpret_cast<Count*>(context);
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  if (std::strcmp(name, count->className) == 0) ++count->found;
  return TRUE;
}

int CountWindows(const char* className) {
  Count count{className, 0};
  EnumWindows(CountWindow, reinterpret_cast<LPARAM>(&count));
  return count.found;
}

BOOL CALLBACK CollectText(HWND child, LPARAM context) {
  char name[64] = {};
  GetClassNameA(child, name, sizeof name);
  if (_stricmp(name, "Static") != 0) return TRUE;
  char text[2048] = {};
  GetWindowTextA(child, text, sizeof text);
  if (text[0]) *reinterpret_cast<std::string*>(context) += text;
  return TRUE;
}

int CloseBox(int seconds) {
  for (DWORD waited = 0; waited < static_cast<DWORD>(seconds) * 1000; waited += kPollMs) {
    HWND box = FindWindowA(kBoxClass, kBoxCaption);
    std::string text;
    // A box that is still being made has no text yet.
    if (box) EnumChildWindows(box, CollectText, reinterpret_cast<LPARAM>(&text));
    if (!text.empty()) {
      Print("BOX " + text);
      Print("FRAME " + std::to_string(CountWindows(kFrameClass)));
      PostMessageA(box, WM_COMMAND, IDOK, 0);
      return 0;
    }
    Sleep(kPollMs);
  }
  Print("NOBOX");
  return 1;
}

int CloseWindow(const char* className, int seconds) {
  for (DWORD waited = 0; waited < static_cast<DWORD>(seconds) * 1000; waited += kPollMs) {
    if (HWND window = FindWindowA(className, nullptr)) {
      PostMessageA(window, WM_CLOSE, 0, 0);
      Print("CLOSED");
      return 0;
    }
    Sleep(kPollMs);
  }
  Print("NONE");
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "window" && argc == 4) return RunWindow(argv[2], std::atoi(argv[3]));
  if (command == "box" && argc == 3) return CloseBox(std::atoi(argv[2]));
  if (command == "close" && argc == 4) return CloseWindow(argv[2], std::atoi(argv[3]));
  if (command == "count" && argc == 3) {
    Print("COUNT " + std::to_string(CountWindows(argv[2])));
    return 0;
  }
  std::fprintf(stderr, "usage: app_start_probe window|box|close|count ...\n");
  return 2;
}
