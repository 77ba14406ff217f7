// A stand-in for the outside programs that the client drives over DDE: the
// user's call program and the slide-show partner. It serves the DDE service
// named like its own program file (ZrCallPeer.exe serves "ZrCallPeer"), any
// topic, and writes what it gets to <its folder>\<name>.log, one line each:
//   started ARGUMENTS | serving | connected TOPIC | poked ITEM TEXT (BYTES bytes) |
//   executed TEXT | ended
// "Quit" executed ends it (after the execute is answered), so does a minute
// without a connection. A program whose name holds "Silent" starts but never
// offers its service, and ends after three seconds.
#include <windows.h>
#include <dde.h>
#include <ddeml.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr DWORD kIdleEndMs = 60000;
constexpr DWORD kSilentMs = 3000;

DWORD g_instance = 0;
FILE* g_log = nullptr;
bool g_quit = false;
std::string g_service;
std::vector<HCONV> g_served;

void Log(const std::string& line) {
  std::fprintf(g_log, "%s\n", line.c_str());
  std::fflush(g_log);
}

std::string Text(HSZ handle) {
  char buffer[256] = {};
  DdeQueryStringA(g_instance, handle, buffer, sizeof buffer, CP_WINANSI);
  return buffer;
}

std::string DataText(HDDEDATA data, DWORD* size) {
  *size = DdeGetData(data, nullptr, 0, 0);
  std::string bytes(*size, '\0');
  if (*size) DdeGetData(data, reinterpret_cast<BYTE*>(&bytes[0]), *size, 0);
  return std::string(bytes.c_str());
}

HDDEDATA CALLBACK Callback(UINT type, UINT, HCONV conversation, HSZ hsz1, HSZ hsz2, HDDEDATA data, ULONG_PTR, ULONG_PTR) {
  DWORD size = 0;
  switch (type) {
    case XTYP_CONNECT:
      return reinterpret_cast<HDDEDATA>(static_cast<UINT_PTR>(Text(hsz2) == g_service));
    case XTYP_CONNECT_CONFIRM:
      g_served.push_back(conversation);
      Log("connected " + Text(hsz1));
      return nullptr;
    case XTYP_POKE: {
      const std::string text = DataText(data, &size);
      Log("poked " + Text(hsz2) + " " + text + " (" + std::to_string(size) + " bytes)");
      return reinterpret_cast<HDDEDATA>(DDE_FACK);
    }
    case XTYP_EXECUTE: {
      const std::string text = DataText(data, &size);
      Log("executed " + text);
      if (text == "Quit") g_quit = true;
      return reinterpret_cast<HDDEDATA>(DDE_FACK);
    }
    case XTYP_DISCONNECT:
      g_served.erase(std::remove(g_served.begin(), g_served.end(), conversation), g_served.end());
      return nullptr;
    default:
      return nullptr;
  }
}

// A program that quits ends its conversations with the protocol's own
// message, so that its partners learn of it.
void EndConversations() {
  for (HCONV served : g_served) {
    CONVINFO info{};
    info.cb = sizeof info;
    if (DdeQueryConvInfo(served, QID_SYNC, &info))
      ::PostMessageA(info.hwndPartner, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(info.hwnd), 0);
  }
  g_served.clear();
}

std::string BaseName(const std::string& path) {
  const size_t slash = path.find_last_of("\\/");
  std::string name = path.substr(slash == std::string::npos ? 0 : slash + 1);
  const size_t dot = name.rfind('.');
  return dot == std::string::npos ? name : name.substr(0, dot);
}

}  // namespace

int main(int argc, char** argv) {
  char program[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, program, MAX_PATH);
  g_service = BaseName(program);
  const std::string folder(program, std::strrchr(program, '\\') - program);
  g_log = std::fopen((folder + "\\" + g_service + ".log").c_str(), "a");
  if (!g_log) return 2;
  std::string arguments;
  for (int i = 1; i < argc; ++i) arguments += std::string(i > 1 ? " " : "") + argv[i];
  Log("started " + arguments);
  if (g_service.find("Silent") != std::string::npos) {
    ::Sleep(kSilentMs);
    Log("ended");
    return 0;
  }
  if (DdeInitializeA(&g_instance, Callback, APPCLASS_STANDARD | CBF_SKIP_REGISTRATIONS, 0) != DMLERR_NO_ERROR)
    return 1;
  HSZ service = DdeCreateStringHandleA(g_instance, g_service.c_str(), CP_WINANSI);
  DdeNameService(g_instance, service, nullptr, DNS_REGISTER);
  Log("serving");
  const DWORD start = ::GetTickCount();
  MSG message;
  while (!g_quit && ::GetTickCount() - start < kIdleEndMs) {
    if (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      ::DispatchMessageA(&message);
    } else {
      ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
    }
  }
  EndConversations();
  // The partners answer the end before this program's windows go.
  const DWORD ending = ::GetTickCount();
  while (::GetTickCount() - ending < 500) {
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&message);
    ::Sleep(20);
  }
  DdeNameService(g_instance, service, nullptr, DNS_UNREGISTER);
  DdeFreeStringHandle(g_instance, service);
  DdeUninitialize(g_instance);
  Log("ended");
  return 0;
}
