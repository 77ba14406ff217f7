// A stand-in for the directory program in the client's tests: a hidden
// top-level window of class "ZRDirectory" that prints every WM_COPYDATA it
// receives, one JSON line each:
//   {"event": "received", "code": N, "text": TEXT, "from_frame": true|false}
// and sends commands to the client's "ZRFrame" window as told on standard
// input, one a line:
//   send CODE [TEXT]   WM_COPYDATA with the text (the rest of the line, kept
//                      as typed after one blank); prints
//                      {"event": "sent", "code": N, "result": R}
//   quit               ends the program
// It prints {"event": "ready"} once its window exists. It holds nothing of
// the client's own link code.
#include <windows.h>

#include <cstdio>
#include <string>

#include "ProbeJson.h"

namespace {

constexpr UINT kRunLine = WM_APP + 1;
HWND g_window = nullptr;

using probe_json::Quote;

void Print(const std::string& line) {
  std::fputs((line + "\n").c_str(), stdout);
  std::fflush(stdout);
}

void Received(HWND sender, const COPYDATASTRUCT* data) {
  std::string text;
  if (data->lpData && data->cbData > 0) {
    const char* bytes = static_cast<const char*>(data->lpData);
    text.assign(bytes, strnlen(bytes, data->cbData));
  }
  const HWND frame = ::FindWindowA("ZRFrame", nullptr);
  Print("{\"event\": \"received\", \"code\": " + std::to_string(data->dwData) + ", \"text\": " + Quote(text) +
        ", \"from_frame\": " + (sender && sender == frame ? "true" : "false") + "}");
}

void Send(const std::string& arguments) {
  const size_t blank = arguments.find(' ');
  const unsigned long code = std::strtoul(arguments.substr(0, blank).c_str(), nullptr, 10);
  const std::string text = blank == std::string::npos ? std::string() : arguments.substr(blank + 1);
  std::string buffer = text;
  COPYDATASTRUCT data{code, static_cast<DWORD>(buffer.size() + 1), &buffer[0]};
  const HWND frame = ::FindWindowA("ZRFrame", nullptr);
  const LRESULT result =
      frame ? ::SendMessageA(frame, WM_COPYDATA, reinterpret_cast<WPARAM>(g_window), reinterpret_cast<LPARAM>(&data))
            : -1;
  Print("{\"event\": \"sent\", \"code\": " + std::to_string(code) + ", \"result\": " + std::to_string(result) + "}");
}

void RunLine(const std::string& line) {
  if (line == "quit")
    ::PostQuitMessage(0);
  else if (line.rfind("send ", 0) == 0)
    Send(line.substr(5));
  else
    Print("{\"event\": \"error\", \"text\": " + Quote(line) + "}");
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COPYDATA:
      Received(reinterpret_cast<HWND>(wParam), reinterpret_cast<const COPYDATASTRUCT*>(lParam));
      return TRUE;
    case kRunLine: {
      std::string* line = reinterpret_cast<std::string*>(lParam);
      RunLine(*line);
      delete line;
      return 0;
    }
    default:
      return ::DefWindowProcA(window, message, wParam, lParam);
  }
}

DWORD WINAPI ReadInput(void*) {
  char buffer[4096];
  while (std::fgets(buffer, sizeof buffer, stdin)) {
    std::string line(buffer);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    ::PostMessageA(g_window, kRunLine, 0, reinterpret_cast<LPARAM>(new std::string(line)));
  }
  ::PostMessageA(g_window, kRunLine, 0, reinterpret_cast<LPARAM>(new std::string("quit")));
  return 0;
}

}  // namespace

int main() {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = ::GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "ZRDirectory";
  if (!::RegisterClassA(&windowClass)) return 1;
  g_window = ::CreateWindowA("ZRDirectory", "directory peer", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                             windowClass.hInstance, nullptr);
  if (!g_window) return 1;
  Print("{\"event\": \"ready\"}");
  ::CloseHandle(::CreateThread(nullptr, 0, ReadInput, nullptr, 0, nullptr));
  MSG message;
  while (::GetMessageA(&message, nullptr, 0, 0) > 0) ::DispatchMessageA(&message);
  return 0;
}
