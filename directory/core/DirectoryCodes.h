// Command codes of the WM_COPYDATA link between the chat client (window class
// "ZRFrame") and the directory browser (window class "ZRDirectory"). Each
// command travels as a copy-data record whose dwData is the code and whose
// data is a NUL-terminated text.
#pragma once

#include <cstdint>

namespace zr::directory {

inline constexpr char kClientWindowClass[] = "ZRFrame";
inline constexpr char kBrowserWindowClass[] = "ZRDirectory";

// Client -> browser.
inline constexpr uint32_t kClose = 1536;
inline constexpr uint32_t kHideAndShowClient = 1537;
inline constexpr uint32_t kHide = 1538;
inline constexpr uint32_t kRestore = 1539;
inline constexpr uint32_t kShowMinimized = 1540;
inline constexpr uint32_t kShowMaximized = 1541;
inline constexpr uint32_t kDirectoryMode = 1542;
inline constexpr uint32_t kNavigate = 1543;
inline constexpr uint32_t kRefresh = 1544;
inline constexpr uint32_t kAnswerGo = 1545;
inline constexpr uint32_t kAnswerStay = 1546;
inline constexpr uint32_t kSetTitle = 1547;
inline constexpr uint32_t kEventMode = 1548;
inline constexpr uint32_t kMoveWindow = 1549;

// Browser -> client.
inline constexpr uint32_t kInDirectoryMode = 1552;
inline constexpr uint32_t kAskNavigation = 1553;
inline constexpr uint32_t kEcho = 1554;
inline constexpr uint32_t kInEventMode = 1555;

// Private messages that carry a received command, copied, to the receiver's
// own main window after the sender's call has returned.
inline constexpr uint32_t kBrowserPostedCommand = 0x600;
inline constexpr uint32_t kClientPostedCommand = 0x400 + 266;

// The browser's timer that ends it when the client's window is gone.
inline constexpr uint32_t kClientWatchTimer = 103;
inline constexpr uint32_t kClientWatchPeriodMs = 5000;

}  // namespace zr::directory
