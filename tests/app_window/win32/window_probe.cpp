// The outside program of the main window tests, run under Wine beside the
// client. It finds the top-level window of class "ZRFrame" (--class NAME for
// another; --title TEXT also asks for that title) of another process, of the
// program at --program PATH when given
// (a Unix path is taken as one on drive Z:), waiting up to --timeout SECONDS
// (default 30) for it to show, then runs the commands on its command line, or else one a
// line from standard input (words split at blanks, "double quotes" keep a
// text with blanks together), and prints one JSON object a line per answer:
// {"cmd": NAME, ...} or {"cmd": NAME, "error": TEXT}.
//
//   frame                the frame: handle, process, thread, class, title,
//                        and the screen's size
//   tree                 the frame's windows: class, text, id, style, visible,
//                        enabled, window and client rectangles (screen)
//   rect CLASS|TEXT|ID   the first window below the frame of that class,
//                        title or control id
//   menu                 the menu bar, each popup updated by the program
//                        (WM_INITMENU, WM_INITMENUPOPUP) before it is read
//   openmenu INDEX [LETTER] [keep]
//                        opens popup INDEX of the menu bar with real keys
//                        (Alt+LETTER, or F10 and arrows), reads the open
//                        "#32768" popup, then closes it with Escape unless
//                        "keep" is given ("closed" tells whether the menu
//                        mode ended)
//   list ID              the rows of the list box with that control id: their
//                        texts, their item data, count, the selected row
//                        (-1: none), the top row, the rows' height and the
//                        client rectangle
//   status [ID]          the status bar's panes: texts and rectangles (of
//                        the status bar with control id ID when given)
//   waitstatus TEXT MS [ID]
//                        polls until pane 0 contains TEXT
//   command ID           posts WM_COMMAND ID to the frame
//   key VK [ctrl|alt|shift]...
//                        a real key press (SendInput) after bringing the frame
//                        to the front; VK is a number, a letter or digit, or a
//                        name such as F10, ESCAPE, RETURN, LEFT, DELETE
//   keydown VK, keyup VK a real key pressed, or let go, alone (a key held
//                        across commands), after bringing the frame to the
//                        front
//   type TEXT            the keys that type TEXT (printable ASCII) on the
//                        keyboard, shift included, after bringing the frame
//                        to the front
//   focus                the window with the keyboard focus in the frame's
//                        thread, and the active window; for an edit also its
//                        selection (start, end) and text length
//   click X Y, rclick X Y, dblclick X Y
//                        real mouse clicks at a screen point
//   move X Y             moves the mouse there without a button
//   drag X1 Y1 X2 Y2     presses the left button at X1 Y1, moves to X2 Y2 in
//                        steps and lets it go there
//   cputime [PID]        user and kernel time of the frame's process (or PID)
//   placement            show state and normal rectangle
//   close                posts WM_CLOSE to the frame
//   waitgone MS          waits until the frame is destroyed
//   wait MS              sleeps
//   objects              the client's live GDI objects and windows, counted in
//                        its process by the hook
//   dropfile X Y PATH    drops the file on the window at the screen point
//                        as the shell does (WM_DROPFILES, through the hook)
//   plainwindows COUNT W H
//                        the milliseconds the client's thread takes to create
//                        and show COUNT plain W x H child windows of its frame
//                        (destroyed again)
//   watchcapture MS      watches for MS whether the frame has the mouse
//                        captured: for how long, in how many spans, when first
//   waitcount TITLE N MS polls until N visible windows below the frame carry
//                        TITLE: the count and the system clock (seconds since
//                        1970) when it was reached
//   clipboard            the clipboard's text (CF_TEXT); null when it holds
//                        none
//   quit                 ends the probe (so does the end of the input)
//
// Menus can be read only inside their own process under Wine, so `menu` and
// `openmenu` hook the frame's thread with window_probe_hook.dll (beside this
// program) and let it answer; see ProbeHook.h.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwctype>
#include <functional>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "ProbeHook.h"
#include "ProbeJson.h"

using probe_json::Bool;
using probe_json::Field;
using probe_json::Handle;
using probe_json::Quote;
using probe_json::Rect;

namespace {

using Words = std::vector<std::string>;

constexpr DWORD kPollMs = 50;
constexpr UINT kAnswerTimeoutMs = 15000;
constexpr DWORD kMenuOpenTimeoutMs = 5000;
constexpr int kStatusBarId = 59393;
constexpr char kPopupMenuClass[] = "#32768";

// ---- Frame and helpers -----------------------------------------------------

// Waits ms while answering the messages other programs send to the probe's
// windows: a program that broadcasts (a DDE connect, say) waits for every
// top-level window, the probe's too.
void PollWait(DWORD ms) {
  const DWORD start = ::GetTickCount();
  for (DWORD waited = 0; waited < ms; waited = ::GetTickCount() - start) {
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, ms - waited, QS_SENDMESSAGE);
    MSG message;
    ::PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
}

struct Target {
  std::string className = "ZRFrame";
  std::wstring title;
  HWND frame = nullptr;
  DWORD processId = 0;
  DWORD threadId = 0;
  HHOOK hook = nullptr;
  HWND answerWindow = nullptr;
  std::string answer;
};

Target g_target;

std::string Answer(const std::string& command, const std::string& fields) {
  return "{" + Field("cmd", Quote(command)) + (fields.empty() ? "" : "," + fields) + "}";
}

std::string Error(const std::string& command, const std::string& text) {
  return Answer(command, Field("error", Quote(text)));
}

std::wstring Wide(const std::string& utf8) {
  const int size = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(size), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &wide[0], size);
  return wide;
}

bool ParseNumber(const std::string& text, long long& value) {
  if (text.empty()) return false;
  char* end = nullptr;
  value = std::strtoll(text.c_str(), &end, 0);
  return end && *end == '\0';
}

std::string ClassOf(HWND window) {
  char name[256] = {};
  ::GetClassNameA(window, name, sizeof name);
  return name;
}

std::wstring TextOf(HWND window) {
  DWORD_PTR length = 0;
  if (!::SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length))
    return {};
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  ::SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]),
                        SMTO_ABORTIFHUNG, 2000, &copied);
  text.resize(copied);
  return text;
}

RECT ClientOnScreen(HWND window) {
  RECT rect{};
  ::GetClientRect(window, &rect);
  ::MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

RECT WindowRect(HWND window) {
  RECT rect{};
  ::GetWindowRect(window, &rect);
  return rect;
}

struct Search {
  std::string className;
  std::wstring title;
  std::wstring program;
  HWND found = nullptr;
  bool visibleOnly = true;
  // Programs of the frames passed over, for the error.
  std::vector<std::wstring> others;
};

std::wstring Lower(std::wstring text) {
  for (wchar_t& c : text) c = static_cast<wchar_t>(::towlower(c));
  return text;
}

// A Windows path in lower case; a Unix path is taken as one on drive Z:, as
// Wine shows it.
std::wstring ProgramPath(const std::string& path) {
  std::wstring wide(path.begin(), path.end());
  for (wchar_t& c : wide) c = c == L'/' ? L'\\' : c;
  return Lower(!path.empty() && path[0] == '/' ? L"z:" + wide : wide);
}

std::wstring ImageOf(HWND window) {
  DWORD processId = 0;
  ::GetWindowThreadProcessId(window, &processId);
  HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
  if (!process) return {};
  wchar_t path[MAX_PATH * 2] = {};
  DWORD size = MAX_PATH * 2;
  const bool read = ::QueryFullProcessImageNameW(process, 0, path, &size);
  ::CloseHandle(process);
  return read ? Lower(path) : std::wstring();
}

// A class name, or a prefix of class names when the pattern ends with "*"
// (classes registered at run time carry varying suffixes); case ignored.
bool ClassMatches(const std::string& className, const std::string& pattern) {
  if (!pattern.empty() && pattern.back() == '*')
    return _strnicmp(className.c_str(), pattern.c_str(), pattern.size() - 1) == 0;
  return _stricmp(className.c_str(), pattern.c_str()) == 0;
}

BOOL CALLBACK FindFrameWindow(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<Search*>(context);
  if (!ClassMatches(ClassOf(window), search->className)) return TRUE;
  if (search->visibleOnly && !::IsWindowVisible(window)) return TRUE;
  if (!search->title.empty() && TextOf(window) != search->title) return TRUE;
  if (!search->program.empty() && ImageOf(window) != search->program) {
    search->others.push_back(ImageOf(window));
    return TRUE;
  }
  search->found = window;
  return FALSE;
}

// The visible frame (of `program` when given), or after the timeout one that is still hidden.
HWND FindFrame(const std::string& className, const std::wstring& title, const std::string& program,
               DWORD timeoutMs, std::vector<std::wstring>& others) {
  Search search{className, title, program.empty() ? std::wstring() : ProgramPath(program), nullptr, true, {}};
  for (DWORD waited = 0;; waited += kPollMs) {
    search.others.clear();
    ::EnumWindows(FindFrameWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found || waited >= timeoutMs) break;
    PollWait(kPollMs);
  }
  if (!search.found) {
    search.visibleOnly = false;
    ::EnumWindows(FindFrameWindow, reinterpret_cast<LPARAM>(&search));
  }
  others = search.others;
  return search.found;
}

bool FrameAlive() { return g_target.frame && ::IsWindow(g_target.frame); }

// ---- tree, rect, frame, placement ------------------------------------------

std::string WindowFields(HWND window) {
  const LONG style = ::GetWindowLongW(window, GWL_STYLE);
  return Field("hwnd", Handle(window)) + "," + Field("class", Quote(ClassOf(window))) + "," +
         Field("text", Quote(TextOf(window))) + "," +
         Field("id", std::to_string(::GetDlgCtrlID(window))) + "," +
         Field("style", std::to_string(static_cast<unsigned long>(style))) + "," +
         Field("visible", Bool(::IsWindowVisible(window))) + "," +
         Field("enabled", Bool(::IsWindowEnabled(window))) + "," +
         Field("rect", Rect(WindowRect(window))) + "," +
         Field("client", Rect(ClientOnScreen(window)));
}

std::string TreeOf(HWND window) {
  std::string children;
  for (HWND child = ::GetWindow(window, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
    children += (children.empty() ? "" : ",") + TreeOf(child);
  return "{" + WindowFields(window) + "," + Field("children", "[" + children + "]") + "}";
}

std::string Tree(const Words&) { return Answer("tree", Field("window", TreeOf(g_target.frame))); }

std::string FrameInfo(const Words&) {
  return Answer("frame", WindowFields(g_target.frame) + "," +
                             Field("pid", std::to_string(g_target.processId)) + "," +
                             Field("tid", std::to_string(g_target.threadId)) + "," +
                             Field("program", Quote(ImageOf(g_target.frame))) + "," +
                             Field("screen", "[" + std::to_string(::GetSystemMetrics(SM_CXSCREEN)) +
                                                 "," + std::to_string(::GetSystemMetrics(SM_CYSCREEN)) +
                                                 "]"));
}

HWND FindBelow(HWND parent, const std::function<bool(HWND)>& matches) {
  for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (matches(child)) return child;
    if (HWND found = FindBelow(child, matches)) return found;
  }
  return nullptr;
}

// The first match that is visible, else the first match: the pages of a
// window may hold controls of the same id, one page shown at a time.
HWND FindShownBelow(HWND parent, const std::function<bool(HWND)>& matches) {
  HWND first = nullptr;
  HWND shown = FindBelow(parent, [&](HWND window) {
    if (!matches(window)) return false;
    if (!first) first = window;
    return ::IsWindowVisible(window) != FALSE;
  });
  return shown ? shown : first;
}

std::string RectOf(const Words& words) {
  long long id = 0;
  const std::string& key = words[1];
  const bool byId = ParseNumber(key, id);
  HWND found = FindShownBelow(g_target.frame, [&](HWND window) {
    if (byId) return ::GetDlgCtrlID(window) == id;
    return _stricmp(ClassOf(window).c_str(), key.c_str()) == 0 ||
           probe_json::Utf8(TextOf(window)) == key;
  });
  if (!found) return Error("rect", "no window " + key);
  return Answer("rect", WindowFields(found));
}

std::string Placement(const Words&) {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  if (!::GetWindowPlacement(g_target.frame, &placement)) return Error("placement", "unreadable");
  const char* shown = placement.showCmd == SW_SHOWMAXIMIZED   ? "maximized"
                      : placement.showCmd == SW_SHOWMINIMIZED ? "minimized"
                                                              : "normal";
  return Answer("placement", Field("show", Quote(std::string(shown))) + "," +
                                 Field("showcmd", std::to_string(placement.showCmd)) + "," +
                                 Field("zoomed", Bool(::IsZoomed(g_target.frame))) + "," +
                                 Field("iconic", Bool(::IsIconic(g_target.frame))) + "," +
                                 Field("visible", Bool(::IsWindowVisible(g_target.frame))) + "," +
                                 Field("normal", Rect(placement.rcNormalPosition)) + "," +
                                 Field("rect", Rect(WindowRect(g_target.frame))));
}

// ---- Status bar, read through memory in the client's process --------------

// The main window's status bar, or the one with control id `id` when given.
HWND StatusBar(long long id = 0) {
  const long long wanted = id ? id : kStatusBarId;
  HWND byId = FindBelow(g_target.frame, [wanted](HWND window) {
    return ::GetDlgCtrlID(window) == wanted && ClassOf(window) == STATUSCLASSNAMEA;
  });
  if (byId || id) return byId;
  return FindBelow(g_target.frame, [](HWND window) { return ClassOf(window) == STATUSCLASSNAMEA; });
}

// A buffer in the client's process: the status bar writes its answers there.
class RemoteBuffer {
 public:
  static constexpr SIZE_T kSize = 64 * 1024;

  explicit RemoteBuffer(DWORD processId)
      : m_process(::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE |
                                    PROCESS_QUERY_INFORMATION,
                                FALSE, processId)),
        m_memory(m_process ? ::VirtualAllocEx(m_process, nullptr, kSize, MEM_COMMIT | MEM_RESERVE,
                                              PAGE_READWRITE)
                           : nullptr) {}
  ~RemoteBuffer() {
    if (m_memory) ::VirtualFreeEx(m_process, m_memory, 0, MEM_RELEASE);
    if (m_process) ::CloseHandle(m_process);
  }
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;

  bool Valid() const { return m_memory != nullptr; }
  LPARAM Address() const { return reinterpret_cast<LPARAM>(m_memory); }
  bool Read(void* out, SIZE_T size) const {
    SIZE_T read = 0;
    return size <= kSize && ::ReadProcessMemory(m_process, m_memory, out, size, &read) && read == size;
  }

 private:
  HANDLE m_process;
  void* m_memory;
};

constexpr int kMaxParts = 256;

LRESULT SendTo(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  ::SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result);
  return static_cast<LRESULT>(result);
}

std::wstring PaneText(HWND bar, const RemoteBuffer& buffer, int pane) {
  const size_t length = LOWORD(SendTo(bar, SB_GETTEXTLENGTHW, pane, 0));
  if (length == 0 || (length + 1) * sizeof(wchar_t) > RemoteBuffer::kSize) return {};
  SendTo(bar, SB_GETTEXTW, pane, buffer.Address());
  std::wstring text(length + 1, L'\0');
  if (!buffer.Read(&text[0], text.size() * sizeof(wchar_t))) return {};
  text.resize(length);
  return text;
}

RECT PaneRect(HWND bar, const RemoteBuffer& buffer, int pane) {
  RECT rect{};
  SendTo(bar, SB_GETRECT, pane, buffer.Address());
  if (!buffer.Read(&rect, sizeof rect)) return RECT{};
  ::MapWindowPoints(bar, nullptr, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

// Texts of every pane; empty when the frame has no status bar.
bool ReadPanes(std::vector<std::wstring>& texts, std::vector<RECT>* rects, HWND& bar, long long id = 0) {
  bar = StatusBar(id);
  if (!bar) return false;
  RemoteBuffer buffer(g_target.processId);
  if (!buffer.Valid()) return false;
  const int parts = static_cast<int>(SendTo(bar, SB_GETPARTS, kMaxParts, buffer.Address()));
  for (int pane = 0; pane < std::max(parts, 1); ++pane) {
    texts.push_back(PaneText(bar, buffer, pane));
    if (rects) rects->push_back(PaneRect(bar, buffer, pane));
  }
  return true;
}

std::string Status(const Words& words) {
  long long id = 0;
  if (words.size() > 1 && !ParseNumber(words[1], id)) return Error("status", "usage: status [ID]");
  std::vector<std::wstring> texts;
  std::vector<RECT> rects;
  HWND bar = nullptr;
  if (!ReadPanes(texts, &rects, bar, id)) return Error("status", bar ? "unreadable" : "no status bar");
  std::string panes, boxes;
  for (size_t pane = 0; pane < texts.size(); ++pane) {
    panes += (pane ? "," : "") + Quote(texts[pane]);
    boxes += (pane ? "," : "") + Rect(rects[pane]);
  }
  return Answer("status", Field("hwnd", Handle(bar)) + "," +
                              Field("simple", Bool(SendTo(bar, SB_ISSIMPLE, 0, 0) != 0)) + "," +
                              Field("panes", "[" + panes + "]") + "," +
                              Field("rects", "[" + boxes + "]"));
}

std::string WaitStatus(const Words& words) {
  long long limit = 0;
  long long id = 0;
  if (!ParseNumber(words[2], limit) || (words.size() > 3 && !ParseNumber(words[3], id)))
    return Error("waitstatus", "usage: waitstatus TEXT MS [ID]");
  std::string text;
  for (DWORD waited = 0;; waited += kPollMs) {
    std::vector<std::wstring> texts;
    HWND bar = nullptr;
    if (ReadPanes(texts, nullptr, bar, id)) text = probe_json::Utf8(texts[0]);
    if (text.find(words[1]) != std::string::npos || waited >= limit) {
      return Answer("waitstatus", Field("found", Bool(text.find(words[1]) != std::string::npos)) +
                                      "," + Field("text", Quote(text)) + "," +
                                      Field("waited_ms", std::to_string(waited)));
    }
    PollWait(kPollMs);
  }
}

// ---- List boxes ---------------------------------------------------------------

LRESULT AskList(HWND list, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  DWORD_PTR result = static_cast<DWORD_PTR>(LB_ERR);
  if (!::SendMessageTimeoutW(list, message, wParam, lParam, SMTO_ABORTIFHUNG, 2000, &result))
    return LB_ERR;
  return static_cast<LRESULT>(result);
}

std::string ListRows(const Words& words) {
  long long id = 0;
  if (!ParseNumber(words[1], id)) return Error("list", "usage: list ID");
  HWND list = FindShownBelow(g_target.frame, [id](HWND window) { return ::GetDlgCtrlID(window) == id; });
  if (!list) return Error("list", "no window " + words[1]);
  const LRESULT count = AskList(list, LB_GETCOUNT);
  if (count == LB_ERR) return Error("list", "unreadable");
  std::string rows;
  std::string data;
  for (LRESULT row = 0; row < count; ++row) {
    data += (row ? "," : "") + std::to_string(AskList(list, LB_GETITEMDATA, static_cast<WPARAM>(row)));
    const LRESULT length = AskList(list, LB_GETTEXTLEN, static_cast<WPARAM>(row));
    std::wstring text(length > 0 ? static_cast<size_t>(length) + 1 : 1, L'\0');
    const LRESULT copied = length > 0 ? AskList(list, LB_GETTEXT, static_cast<WPARAM>(row),
                                                reinterpret_cast<LPARAM>(&text[0]))
                                      : 0;
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    rows += (row ? "," : "") + Quote(text);
  }
  return Answer("list", Field("hwnd", Handle(list)) + "," + Field("count", std::to_string(count)) + "," +
                            Field("selected", std::to_string(AskList(list, LB_GETCURSEL))) + "," +
                            Field("top", std::to_string(AskList(list, LB_GETTOPINDEX))) + "," +
                            Field("height", std::to_string(AskList(list, LB_GETITEMHEIGHT))) + "," +
                            Field("client", Rect(ClientOnScreen(list))) + "," +
                            Field("rows", "[" + rows + "]") + "," + Field("data", "[" + data + "]"));
}

// ---- Menus, read by the hook in the client's thread ------------------------

LRESULT CALLBACK AnswerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COPYDATA) {
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (data->dwData != probe_hook::kAnswerCode) return FALSE;
    g_target.answer.assign(static_cast<const char*>(data->lpData), data->cbData);
    return TRUE;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

std::string HookFolder() {
  char path[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, path, sizeof path);
  std::string folder = path;
  return folder.substr(0, folder.find_last_of("\\/") + 1);
}

// Hooks the frame's thread once; false with `why` set when it cannot.
bool HookFrameThread(std::string& why) {
  if (g_target.hook) return true;
  const std::string path = HookFolder() + probe_hook::kLibraryName;
  HMODULE library = ::LoadLibraryA(path.c_str());
  if (!library) {
    why = "cannot load " + path;
    return false;
  }
  auto procedure = reinterpret_cast<HOOKPROC>(::GetProcAddress(library, probe_hook::kProcName));
  g_target.hook = procedure ? ::SetWindowsHookExA(WH_CALLWNDPROC, procedure, library, g_target.threadId)
                            : nullptr;
  if (!g_target.hook) why = "cannot hook the frame's thread";
  return g_target.hook != nullptr;
}

// The hook's JSON answer to a request, or an empty text.
std::string AskHook(const wchar_t* request, LPARAM lParam, std::string& why) {
  if (!HookFrameThread(why)) return {};
  g_target.answer.clear();
  DWORD_PTR result = 0;
  // SMTO_NORMAL: the answer is sent back to this thread while it waits.
  if (!::SendMessageTimeoutW(g_target.frame, ::RegisterWindowMessageW(request),
                             reinterpret_cast<WPARAM>(g_target.answerWindow), lParam, SMTO_NORMAL,
                             kAnswerTimeoutMs, &result)) {
    why = "the frame's thread did not answer";
    return {};
  }
  if (g_target.answer.empty()) why = "no answer from the hook";
  return g_target.answer;
}

std::string Menu(const Words&) {
  std::string why;
  const std::string menu = AskHook(probe_hook::kReadMenuBar, 0, why);
  if (menu.empty()) return Error("menu", why);
  // The hook's object without its braces: {"bar":..,"popups":[..]}.
  return Answer("menu", menu.substr(1, menu.size() - 2));
}

// The client's live GDI objects and windows, counted in its process.
std::string Objects(const Words&) {
  std::string why;
  const std::string counts = AskHook(probe_hook::kCountObjects, 0, why);
  if (counts.empty()) return Error("objects", why);
  return Answer("objects", counts.substr(1, counts.size() - 2));
}

// The time the client's thread takes to create and show COUNT plain child
// windows of W x H on its frame.
std::string PlainWindows(const Words& words) {
  long long count = 0, width = 0, height = 0;
  if (!ParseNumber(words[1], count) || !ParseNumber(words[2], width) || !ParseNumber(words[3], height) ||
      count <= 0 || count > 1000 || width <= 0 || width > 1000 || height <= 0 || height > 1000)
    return Error("plainwindows", "usage: plainwindows COUNT W H (each 1..1000)");
  std::string why;
  const LPARAM request = static_cast<LPARAM>(count | width << 10 | height << 20);
  const std::string timing = AskHook(probe_hook::kPlainWindows, request, why);
  if (timing.empty()) return Error("plainwindows", why);
  return Answer("plainwindows", timing.substr(1, timing.size() - 2));
}

// Drops the file on the window at the screen point, as the shell would
// (see ProbeHook.h).
std::string DropFileAt(const Words& words) {
  long long x = 0, y = 0;
  if (!ParseNumber(words[1], x) || !ParseNumber(words[2], y) || x < 0 || y < 0 || x > 0xFFFFFF || y > 0xFFFFFF)
    return Error("dropfile", "usage: dropfile X Y PATH");
  const std::wstring path = Wide(words[3]);
  if (path.empty() || path.size() > 255) return Error("dropfile", "the path must have 1 to 255 characters");
  const ATOM atom = ::GlobalAddAtomW(path.c_str());
  if (!atom) return Error("dropfile", "cannot make the path's atom");
  std::string why;
  const LPARAM request = static_cast<LPARAM>(atom | x << 16 | y << 40);
  const std::string answer = AskHook(probe_hook::kDropFile, request, why);
  ::GlobalDeleteAtom(atom);
  if (answer.empty()) return Error("dropfile", why);
  return Answer("dropfile", answer.substr(1, answer.size() - 2));
}

double Milliseconds(const FILETIME& time);

// Seconds since 1970 of the system clock, as Python's time.time() reads it.
double WallSeconds() {
  FILETIME now{};
  ::GetSystemTimePreciseAsFileTime(&now);
  return (Milliseconds(now) - 11644473600000.0) / 1000.0;
}

int CountShownTitled(const std::string& title) {
  struct Search {
    std::string title;
    int count = 0;
  } search{title};
  ::EnumChildWindows(g_target.frame, [](HWND window, LPARAM data) -> BOOL {
    auto* wanted = reinterpret_cast<Search*>(data);
    char text[256] = {};
    ::GetWindowTextA(window, text, sizeof text);
    if (wanted->title == text && ::IsWindowVisible(window)) ++wanted->count;
    return TRUE;
  }, reinterpret_cast<LPARAM>(&search));
  return search.count;
}

// Polls every 2 ms until at least N visible windows below the frame carry
// TITLE, for up to MS: the count, and the system clock when it was reached.
std::string WaitCount(const Words& words) {
  long long wanted = 0, ms = 0;
  if (!ParseNumber(words[2], wanted) || !ParseNumber(words[3], ms) || wanted < 0 || ms < 0)
    return Error("waitcount", "usage: waitcount TITLE N MS");
  const ULONGLONG end = ::GetTickCount64() + static_cast<ULONGLONG>(ms);
  int count = 0;
  while (true) {
    count = CountShownTitled(words[1]);
    if (count >= wanted) {
      return Answer("waitcount", Field("count", std::to_string(count)) + "," + Field("reached", "true") + "," +
                                     Field("wall", std::to_string(WallSeconds())));
    }
    if (::GetTickCount64() >= end) break;
    ::Sleep(2);
  }
  return Answer("waitcount", Field("count", std::to_string(count)) + "," + Field("reached", "false"));
}

// Watches for MS which window of the frame's thread has the mouse captured,
// every millisecond: how long the frame held it, in how many spans, and the
// system clock when it first took it.
std::string WatchCapture(const Words& words) {
  long long ms = 0;
  if (!ParseNumber(words[1], ms) || ms < 0) return Error("watchcapture", "usage: watchcapture MS");
  const ULONGLONG end = ::GetTickCount64() + static_cast<ULONGLONG>(ms);
  LARGE_INTEGER frequency{}, last{}, now{};
  ::QueryPerformanceFrequency(&frequency);
  double heldMs = 0;
  int spans = 0;
  bool held = false;
  double first = 0;
  ::QueryPerformanceCounter(&last);
  while (::GetTickCount64() < end) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    const bool captured = ::GetGUIThreadInfo(g_target.threadId, &info) && info.hwndCapture == g_target.frame;
    ::QueryPerformanceCounter(&now);
    if (held) heldMs += 1000.0 * static_cast<double>(now.QuadPart - last.QuadPart) / frequency.QuadPart;
    if (captured && !held) {
      ++spans;
      if (spans == 1) first = WallSeconds();
    }
    held = captured;
    last = now;
    ::Sleep(1);
  }
  return Answer("watchcapture", Field("held_ms", std::to_string(heldMs)) + "," +
                                    Field("spans", std::to_string(spans)) + "," +
                                    Field("first", std::to_string(first)) + "," + Field("held_at_end", Bool(held)));
}

// ---- Real input --------------------------------------------------------------

struct KeyName {
  const char* name;
  WORD key;
};

constexpr KeyName kKeyNames[] = {
    {"ESCAPE", VK_ESCAPE}, {"ESC", VK_ESCAPE},     {"RETURN", VK_RETURN}, {"ENTER", VK_RETURN},
    {"TAB", VK_TAB},       {"SPACE", VK_SPACE},    {"BACK", VK_BACK},     {"DELETE", VK_DELETE},
    {"INSERT", VK_INSERT}, {"HOME", VK_HOME},      {"END", VK_END},       {"PRIOR", VK_PRIOR},
    {"PAGEUP", VK_PRIOR},  {"NEXT", VK_NEXT},      {"PAGEDOWN", VK_NEXT}, {"LEFT", VK_LEFT},
    {"RIGHT", VK_RIGHT},   {"UP", VK_UP},          {"DOWN", VK_DOWN},     {"APPS", VK_APPS},
    {"MENU", VK_MENU},     {"CONTROL", VK_CONTROL}, {"SHIFT", VK_SHIFT},
};

bool IsExtended(WORD key) {
  switch (key) {
    case VK_INSERT: case VK_DELETE: case VK_HOME: case VK_END: case VK_PRIOR: case VK_NEXT:
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: case VK_APPS:
      return true;
    default:
      return false;
  }
}

// A virtual key from a number, a letter or digit, F1-F24 or a name above.
bool ParseKey(const std::string& word, WORD& key) {
  long long number = 0;
  std::string upper;
  for (char c : word) upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (upper.size() == 1 && std::isalnum(static_cast<unsigned char>(upper[0]))) {
    key = static_cast<WORD>(upper[0]);
    return true;
  }
  if (upper.size() > 1 && upper[0] == 'F' && ParseNumber(upper.substr(1), number) && number >= 1 &&
      number <= 24) {
    key = static_cast<WORD>(VK_F1 + number - 1);
    return true;
  }
  for (const KeyName& name : kKeyNames) {
    if (upper == name.name) {
      key = name.key;
      return true;
    }
  }
  if (ParseNumber(word, number) && number > 0 && number < 256) {
    key = static_cast<WORD>(number);
    return true;
  }
  return false;
}

INPUT KeyInput(WORD key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.wScan = static_cast<WORD>(::MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (IsExtended(key) ? KEYEVENTF_EXTENDEDKEY : 0);
  return input;
}

bool BringFrameForward() {
  ::SetForegroundWindow(g_target.frame);
  for (DWORD waited = 0; waited < 2000 && ::GetForegroundWindow() != g_target.frame; waited += kPollMs)
    PollWait(kPollMs);
  return ::GetForegroundWindow() == g_target.frame;
}

// Presses the modifiers, the key, and lets go in the reverse order.
void PressKey(WORD key, const std::vector<WORD>& modifiers) {
  std::vector<INPUT> inputs;
  for (WORD modifier : modifiers) inputs.push_back(KeyInput(modifier, false));
  inputs.push_back(KeyInput(key, false));
  inputs.push_back(KeyInput(key, true));
  for (auto it = modifiers.rbegin(); it != modifiers.rend(); ++it) inputs.push_back(KeyInput(*it, true));
  ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// A key pressed and held, or let go: words[0] says which.
std::string KeyHalf(const Words& words) {
  WORD key = 0;
  if (!ParseKey(words[1], key)) return Error(words[0], "unknown key " + words[1]);
  const bool front = BringFrameForward();
  INPUT input = KeyInput(key, words[0] == "keyup");
  ::SendInput(1, &input, sizeof(INPUT));
  return Answer(words[0], Field("vk", std::to_string(key)) + "," + Field("foreground", Bool(front)));
}

std::string Key(const Words& words) {
  WORD key = 0;
  if (!ParseKey(words[1], key)) return Error("key", "unknown key " + words[1]);
  std::vector<WORD> modifiers;
  for (size_t i = 2; i < words.size(); ++i) {
    if (words[i] == "ctrl") modifiers.push_back(VK_CONTROL);
    else if (words[i] == "alt") modifiers.push_back(VK_MENU);
    else if (words[i] == "shift") modifiers.push_back(VK_SHIFT);
    else return Error("key", "unknown modifier " + words[i]);
  }
  const bool front = BringFrameForward();
  PressKey(key, modifiers);
  return Answer("key", Field("vk", std::to_string(key)) + "," + Field("foreground", Bool(front)));
}

// Each character as the key (with shift when the layout needs it) that
// types it.
std::string Type(const Words& words) {
  const std::string& text = words[1];
  std::vector<std::pair<WORD, std::vector<WORD>>> presses;
  for (char c : text) {
    const SHORT scan = ::VkKeyScanA(c);
    if (scan == -1 || (HIBYTE(scan) & ~1)) return Error("type", std::string("cannot type ") + c);
    std::vector<WORD> modifiers;
    if (HIBYTE(scan) & 1) modifiers.push_back(VK_SHIFT);
    presses.emplace_back(LOBYTE(scan), modifiers);
  }
  const bool front = BringFrameForward();
  for (const auto& press : presses) PressKey(press.first, press.second);
  return Answer("type", Field("count", std::to_string(presses.size())) + "," +
                            Field("foreground", Bool(front)));
}

std::string Focus(const Words&) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!::GetGUIThreadInfo(g_target.threadId, &info)) return Error("focus", "unreadable");
  std::string fields = Field("active", Handle(info.hwndActive));
  if (!info.hwndFocus) return Answer("focus", fields + "," + Field("hwnd", Handle(nullptr)));
  fields += "," + WindowFields(info.hwndFocus);
  if (_stricmp(ClassOf(info.hwndFocus).c_str(), "Edit") == 0) {
    const LRESULT both = SendTo(info.hwndFocus, EM_GETSEL, 0, 0);
    const unsigned start = LOWORD(both);
    const unsigned end = HIWORD(both);
    fields += "," + Field("sel", "[" + std::to_string(start) + "," + std::to_string(end) + "]") +
              "," + Field("length", std::to_string(TextOf(info.hwndFocus).size()));
  }
  return Answer("focus", fields);
}

INPUT MouseInput(int x, int y, DWORD flags) {
  // Absolute positions are 0..65535 over the screen; rounding up lands on
  // the pixel itself.
  const int width = ::GetSystemMetrics(SM_CXSCREEN);
  const int height = ::GetSystemMetrics(SM_CYSCREEN);
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = static_cast<LONG>((static_cast<long long>(x) * 65536 + width - 1) / width);
  input.mi.dy = static_cast<LONG>((static_cast<long long>(y) * 65536 + height - 1) / height);
  input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
  return input;
}

std::string Click(const Words& words) {
  long long x = 0, y = 0;
  if (!ParseNumber(words[1], x) || !ParseNumber(words[2], y))
    return Error(words[0], "usage: " + words[0] + " X Y");
  const bool right = words[0] == "rclick";
  const DWORD down = right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
  const DWORD up = right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
  std::vector<INPUT> inputs{MouseInput(int(x), int(y), MOUSEEVENTF_MOVE)};
  const int clicks = words[0] == "dblclick" ? 2 : 1;
  for (int click = 0; click < clicks; ++click) {
    inputs.push_back(MouseInput(int(x), int(y), down));
    inputs.push_back(MouseInput(int(x), int(y), up));
  }
  ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  HWND under = ::WindowFromPoint(POINT{static_cast<LONG>(x), static_cast<LONG>(y)});
  return Answer(words[0], Field("hwnd", Handle(under)) + "," + Field("class", Quote(ClassOf(under))));
}

// The mouse to a point (no button), as a user's hand moves it there in steps.
std::string Move(const Words& words) {
  long long x = 0, y = 0;
  if (!ParseNumber(words[1], x) || !ParseNumber(words[2], y))
    return Error(words[0], "usage: move X Y");
  POINT from{};
  ::GetCursorPos(&from);
  std::vector<INPUT> inputs;
  constexpr int kSteps = 4;
  for (int step = 1; step <= kSteps; ++step)
    inputs.push_back(MouseInput(int(from.x + (x - from.x) * step / kSteps),
                                int(from.y + (y - from.y) * step / kSteps), MOUSEEVENTF_MOVE));
  ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  HWND under = ::WindowFromPoint(POINT{static_cast<LONG>(x), static_cast<LONG>(y)});
  return Answer(words[0], Field("hwnd", Handle(under)) + "," + Field("class", Quote(ClassOf(under))));
}

// The left button pressed at one point, moved in steps to another and let go
// there, with pauses that let the program follow.
std::string Drag(const Words& words) {
  long long x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  if (!ParseNumber(words[1], x1) || !ParseNumber(words[2], y1) || !ParseNumber(words[3], x2) ||
      !ParseNumber(words[4], y2))
    return Error(words[0], "usage: drag X1 Y1 X2 Y2");
  INPUT start[] = {MouseInput(int(x1), int(y1), MOUSEEVENTF_MOVE),
                   MouseInput(int(x1), int(y1), MOUSEEVENTF_LEFTDOWN)};
  ::SendInput(2, start, sizeof(INPUT));
  constexpr int kSteps = 8;
  for (int step = 1; step <= kSteps; ++step) {
    ::Sleep(50);
    INPUT move = MouseInput(int(x1 + (x2 - x1) * step / kSteps),
                            int(y1 + (y2 - y1) * step / kSteps), MOUSEEVENTF_MOVE);
    ::SendInput(1, &move, sizeof(INPUT));
  }
  ::Sleep(50);
  INPUT up = MouseInput(int(x2), int(y2), MOUSEEVENTF_LEFTUP);
  ::SendInput(1, &up, sizeof(INPUT));
  return Answer(words[0], Field("ok", "true"));
}

// ---- Opening a popup with real keys -----------------------------------------

BOOL CALLBACK FindOpenPopup(HWND window, LPARAM context) {
  DWORD processId = 0;
  ::GetWindowThreadProcessId(window, &processId);
  if (processId != g_target.processId || ClassOf(window) != kPopupMenuClass ||
      !::IsWindowVisible(window))
    return TRUE;
  *reinterpret_cast<HWND*>(context) = window;
  return FALSE;
}

HWND OpenPopup() {
  HWND popup = nullptr;
  ::EnumWindows(FindOpenPopup, reinterpret_cast<LPARAM>(&popup));
  return popup;
}

bool InMenuMode() {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return ::GetGUIThreadInfo(g_target.threadId, &info) && (info.flags & GUI_INMENUMODE);
}

// Escape until the popup and the menu bar's selection are gone.
void LeaveMenu() {
  for (int round = 0; round < 3 && (OpenPopup() || InMenuMode()); ++round) {
    PressKey(VK_ESCAPE, {});
    for (DWORD waited = 0; waited < 1000 && OpenPopup(); waited += kPollMs) PollWait(kPollMs);
    PollWait(kPollMs);
  }
}

std::string OpenMenu(const Words& words) {
  long long index = 0;
  if (!ParseNumber(words[1], index) || index < 0)
    return Error("openmenu", "usage: openmenu INDEX [LETTER] [keep]");
  char letter = 0;
  bool keep = false;
  for (size_t i = 2; i < words.size(); ++i) {
    if (words[i] == "keep") keep = true;
    else if (words[i].size() == 1 && std::isalnum(static_cast<unsigned char>(words[i][0])))
      letter = static_cast<char>(std::toupper(static_cast<unsigned char>(words[i][0])));
    else return Error("openmenu", "usage: openmenu INDEX [LETTER] [keep]");
  }
  BringFrameForward();
  if (letter) {
    PressKey(static_cast<WORD>(letter), {VK_MENU});
  } else {
    PressKey(VK_F10, {});
    for (long long step = 0; step < index; ++step) PressKey(VK_RIGHT, {});
    PressKey(VK_DOWN, {});
  }
  HWND popup = nullptr;
  for (DWORD waited = 0; !(popup = OpenPopup()) && waited < kMenuOpenTimeoutMs; waited += kPollMs)
    PollWait(kPollMs);
  if (!popup) {
    LeaveMenu();
    return Error("openmenu", "no popup opened");
  }
  const LRESULT menu = SendTo(popup, MN_GETHMENU, 0, 0);
  std::string why;
  const std::string items = AskHook(probe_hook::kReadMenu, menu, why);
  const std::string fields = Field("index", std::to_string(index)) + "," +
                             Field("popup", Handle(popup)) + "," +
                             Field("rect", Rect(WindowRect(popup)));
  if (!keep) LeaveMenu();
  if (items.empty()) return Error("openmenu", why);
  const bool closed = !OpenPopup() && !InMenuMode();
  return Answer("openmenu", fields + "," + Field("closed", Bool(closed)) + "," +
                                items.substr(1, items.size() - 2));
}

// The popup menu open now (a context menu a click opened), read and left
// open.
std::string Popup(const Words&) {
  HWND popup = nullptr;
  for (DWORD waited = 0; !(popup = OpenPopup()) && waited < kMenuOpenTimeoutMs; waited += kPollMs)
    PollWait(kPollMs);
  if (!popup) return Error("popup", "no popup open");
  const LRESULT menu = SendTo(popup, MN_GETHMENU, 0, 0);
  std::string why;
  const std::string items = AskHook(probe_hook::kReadMenu, menu, why);
  if (items.empty()) return Error("popup", why);
  return Answer("popup", Field("popup", Handle(popup)) + "," + Field("rect", Rect(WindowRect(popup))) + "," +
                             items.substr(1, items.size() - 2));
}

// ---- Commands without answers of their own --------------------------------

std::string Post(const Words& words) {
  long long id = 0;
  if (!ParseNumber(words[1], id)) return Error("command", "usage: command ID");
  ::PostMessageW(g_target.frame, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), 0), 0);
  return Answer("command", Field("id", std::to_string(id)));
}

std::string Close(const Words&) {
  ::PostMessageW(g_target.frame, WM_CLOSE, 0, 0);
  return Answer("close", Field("ok", "true"));
}

std::string WaitGone(const Words& words) {
  long long limit = 0;
  if (!ParseNumber(words[1], limit)) return Error("waitgone", "usage: waitgone MS");
  DWORD waited = 0;
  for (; ::IsWindow(g_target.frame) && waited < limit; waited += kPollMs) PollWait(kPollMs);
  return Answer("waitgone", Field("gone", Bool(!::IsWindow(g_target.frame))) + "," +
                                Field("waited_ms", std::to_string(waited)));
}

std::string Wait(const Words& words) {
  long long ms = 0;
  if (!ParseNumber(words[1], ms) || ms < 0) return Error("wait", "usage: wait MS");
  ::Sleep(static_cast<DWORD>(ms));
  return Answer("wait", Field("ms", std::to_string(ms)));
}

double Milliseconds(const FILETIME& time) {
  ULARGE_INTEGER value{};
  value.LowPart = time.dwLowDateTime;
  value.HighPart = time.dwHighDateTime;
  return static_cast<double>(value.QuadPart) / 10000.0;
}

std::string CpuTime(const Words& words) {
  long long pid = g_target.processId;
  if (words.size() > 1 && !ParseNumber(words[1], pid)) return Error("cputime", "usage: cputime [PID]");
  HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(pid));
  if (!process) return Error("cputime", "no process " + std::to_string(pid));
  FILETIME created{}, ended{}, kernel{}, user{};
  const bool read = ::GetProcessTimes(process, &created, &ended, &kernel, &user);
  ::CloseHandle(process);
  if (!read) return Error("cputime", "unreadable");
  char times[160];
  std::snprintf(times, sizeof times, "\"user_ms\":%.1f,\"kernel_ms\":%.1f,\"total_ms\":%.1f",
                Milliseconds(user), Milliseconds(kernel), Milliseconds(user) + Milliseconds(kernel));
  return Answer("cputime", Field("pid", std::to_string(pid)) + "," + times);
}

// ---- Clipboard ---------------------------------------------------------------

std::string Clipboard(const Words&) {
  if (!::OpenClipboard(nullptr)) return Error("clipboard", "cannot open");
  std::string text = "null";
  if (HANDLE data = ::GetClipboardData(CF_TEXT)) {
    if (const auto* chars = static_cast<const char*>(::GlobalLock(data))) {
      text = Quote(std::string(chars));
      ::GlobalUnlock(data);
    }
  }
  ::CloseClipboard();
  return Answer("clipboard", Field("text", text));
}

// ---- Command table and input -----------------------------------------------

struct Command {
  size_t minArgs;
  size_t maxArgs;
  bool needsFrame;
  std::function<std::string(const Words&)> run;
};

const std::map<std::string, Command>& Commands() {
  static const std::map<std::string, Command> commands = {
      {"frame", {0, 0, true, FrameInfo}},       {"tree", {0, 0, true, Tree}},
      {"rect", {1, 1, true, RectOf}},           {"menu", {0, 0, true, Menu}},
      {"openmenu", {1, 3, true, OpenMenu}},     {"status", {0, 1, true, Status}},
      {"waitstatus", {2, 3, true, WaitStatus}}, {"command", {1, 1, true, Post}},
      {"key", {1, 4, true, Key}},               {"click", {2, 2, false, Click}},
      {"rclick", {2, 2, false, Click}},         {"dblclick", {2, 2, false, Click}},
      {"cputime", {0, 1, false, CpuTime}},      {"placement", {0, 0, true, Placement}},
      {"close", {0, 0, true, Close}},           {"waitgone", {1, 1, false, WaitGone}},
      {"wait", {1, 1, false, Wait}},           {"move", {2, 2, false, Move}},
      {"drag", {4, 4, false, Drag}},           {"type", {1, 1, true, Type}},
      {"focus", {0, 0, true, Focus}},          {"list", {1, 1, true, ListRows}},
      {"keydown", {1, 1, true, KeyHalf}},      {"keyup", {1, 1, true, KeyHalf}},
      {"popup", {0, 0, true, Popup}},
      {"objects", {0, 0, true, Objects}},      {"plainwindows", {3, 3, true, PlainWindows}},
      {"waitcount", {3, 3, true, WaitCount}},  {"watchcapture", {1, 1, true, WatchCapture}},
      {"clipboard", {0, 0, false, Clipboard}},  {"dropfile", {3, 3, true, DropFileAt}},
  };
  return commands;
}

std::string Run(const Words& words) {
  const auto found = Commands().find(words[0]);
  if (found == Commands().end()) return Error(words[0], "unknown command");
  const Command& command = found->second;
  const size_t args = words.size() - 1;
  if (args < command.minArgs || args > command.maxArgs) return Error(words[0], "wrong number of arguments");
  if (command.needsFrame && !FrameAlive()) return Error(words[0], "the frame is gone");
  return command.run(words);
}

// Words of a line: blanks separate them, "double quotes" hold blanks and \"
// stands for a quote.
Words SplitLine(const std::string& line) {
  Words words;
  std::string word;
  bool quoted = false, inWord = false;
  for (size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (quoted && c == '\\' && i + 1 < line.size() && line[i + 1] == '"') {
      word += '"';
      ++i;
    } else if (c == '"') {
      quoted = !quoted;
      inWord = true;
    } else if (!quoted && std::isspace(static_cast<unsigned char>(c))) {
      if (inWord) words.push_back(word);
      word.clear();
      inWord = false;
    } else {
      word += c;
      inWord = true;
    }
  }
  if (inWord) words.push_back(word);
  return words;
}

// Command-line words grouped into commands: each takes its least number of
// arguments and then more up to its most while they are no command names.
std::vector<Words> GroupArguments(const Words& words) {
  std::vector<Words> commands;
  for (size_t i = 0; i < words.size();) {
    Words command{words[i++]};
    const auto found = Commands().find(command[0]);
    if (found != Commands().end()) {
      for (size_t taken = 0; i < words.size() && taken < found->second.maxArgs; ++taken, ++i) {
        if (taken >= found->second.minArgs && Commands().count(words[i])) break;
        command.push_back(words[i]);
      }
    }
    commands.push_back(command);
  }
  return commands;
}

void Print(const std::string& line) {
  std::fputs((line + "\n").c_str(), stdout);
  std::fflush(stdout);
}

bool CreateAnswerWindow() {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = AnswerWindowProc;
  windowClass.hInstance = ::GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"ZrWindowProbe";
  ::RegisterClassW(&windowClass);
  g_target.answerWindow = ::CreateWindowW(L"ZrWindowProbe", L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                                          nullptr, windowClass.hInstance, nullptr);
  return g_target.answerWindow != nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  long long timeoutSeconds = 30;
  std::string program;
  Words words;
  for (int i = 1; i < argc; ++i) {
    const std::string word = argv[i];
    if (word == "--class" && i + 1 < argc) g_target.className = argv[++i];
    else if (word == "--title" && i + 1 < argc) g_target.title = Wide(argv[++i]);
    else if (word == "--program" && i + 1 < argc) program = argv[++i];
    else if (word == "--timeout" && i + 1 < argc && ParseNumber(argv[i + 1], timeoutSeconds)) ++i;
    else words.push_back(word);
  }
  if (!CreateAnswerWindow()) {
    Print(Error("start", "cannot create the answer window"));
    return 1;
  }
  std::vector<std::wstring> others;
  g_target.frame =
      FindFrame(g_target.className, g_target.title, program,
                static_cast<DWORD>(timeoutSeconds * 1000), others);
  if (!g_target.frame) {
    std::string error = "no window of class " + g_target.className;
    for (const std::wstring& other : others) error += "; one of " + probe_json::Utf8(other);
    Print(Error("start", error));
    return 1;
  }
  g_target.threadId = ::GetWindowThreadProcessId(g_target.frame, &g_target.processId);
  if (!words.empty()) {
    for (const Words& command : GroupArguments(words)) Print(Run(command));
  } else {
    std::string line;
    while (std::getline(std::cin, line)) {
      const Words command = SplitLine(line);
      if (command.empty() || command[0][0] == '#') continue;
      if (command[0] == "quit") break;
      Print(Run(command));
    }
  }
  if (g_target.hook) ::UnhookWindowsHookEx(g_target.hook);
  return 0;
}
