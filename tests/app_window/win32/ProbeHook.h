// What the window probe and its reader in the client's process agree on.
// Under Wine a menu can be read only in the process that owns it, so the
// probe hooks the frame's thread with window_probe_hook.dll and asks it with
// a sent message; the reader answers with WM_COPYDATA to the probe's window
// (the message's wParam) while the probe waits for its send to return.
#pragma once
#include <windows.h>

namespace probe_hook {

// The reader's hook procedure, exported by name from window_probe_hook.dll.
constexpr char kProcName[] = "ProbeCallWndProc";
constexpr char kLibraryName[] = "window_probe_hook.dll";
// Sends each popup of the frame's menu bar WM_INITMENUPOPUP, so that the
// program's own rules label, check and gray its items, then reads the bar.
constexpr wchar_t kReadMenuBar[] = L"ZrWindowProbe.ReadMenuBar";
// Reads the menu whose handle is in lParam as it is (an open popup).
constexpr wchar_t kReadMenu[] = L"ZrWindowProbe.ReadMenu";
// Counts the objects the client's process holds: GDI objects and its
// windows (USER objects).
constexpr wchar_t kCountObjects[] = L"ZrWindowProbe.CountObjects";
// Creates and shows as many plain child windows of a size under the window
// the request is sent to, then destroys them; answers the milliseconds that
// creating and showing took. lParam: count | width << 10 | height << 20.
constexpr wchar_t kPlainWindows[] = L"ZrWindowProbe.PlainWindows";
// Drops a file on the window at a screen point as the shell does: posts
// WM_DROPFILES with a DROPFILES block of the one path to that window, or to
// its nearest ancestor that accepts files. lParam: a global atom holding
// the path | x << 16 | y << 40.
constexpr wchar_t kDropFile[] = L"ZrWindowProbe.DropFile";
// dwData of the answer's WM_COPYDATA.
constexpr ULONG_PTR kAnswerCode = 0x5A525750;

}  // namespace probe_hook
