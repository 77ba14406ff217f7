// Numbers of the socket layer: system errors, event bits, event masks and the
// library codes that failures are turned into.
#pragma once

#include <cstdint>

// System error numbers of Windows Sockets, mirrored so that the portable
// code needs no system header (comm/win32 checks them against the headers).
namespace UcmSys {
constexpr int32_t kInterrupted = 10004;      // WSAEINTR
constexpr int32_t kBadHandle = 10009;        // WSAEBADF
constexpr int32_t kAccess = 10013;           // WSAEACCES
constexpr int32_t kInvalid = 10022;          // WSAEINVAL
constexpr int32_t kTooManySockets = 10024;   // WSAEMFILE
constexpr int32_t kWouldBlock = 10035;       // WSAEWOULDBLOCK
constexpr int32_t kInProgress = 10036;       // WSAEINPROGRESS
constexpr int32_t kAddressInUse = 10048;     // WSAEADDRINUSE
constexpr int32_t kNetDown = 10050;          // WSAENETDOWN
constexpr int32_t kNetUnreachable = 10051;   // WSAENETUNREACH
constexpr int32_t kNetReset = 10052;         // WSAENETRESET
constexpr int32_t kConnAborted = 10053;      // WSAECONNABORTED
constexpr int32_t kConnReset = 10054;        // WSAECONNRESET
constexpr int32_t kNoBuffers = 10055;        // WSAENOBUFS
constexpr int32_t kIsConnected = 10056;      // WSAEISCONN
constexpr int32_t kNotConnected = 10057;     // WSAENOTCONN
constexpr int32_t kShutDown = 10058;         // WSAESHUTDOWN
constexpr int32_t kTimedOut = 10060;         // WSAETIMEDOUT
constexpr int32_t kConnRefused = 10061;      // WSAECONNREFUSED
constexpr int32_t kHostDown = 10064;         // WSAEHOSTDOWN
constexpr int32_t kHostUnreachable = 10065;  // WSAEHOSTUNREACH
constexpr int32_t kSysNotReady = 10091;      // WSASYSNOTREADY
constexpr int32_t kDisconnected = 10101;     // WSAEDISCON
constexpr int32_t kHostNotFound = 11001;     // WSAHOST_NOT_FOUND
constexpr int32_t kTryAgain = 11002;         // WSATRY_AGAIN
constexpr int32_t kNoRecovery = 11003;       // WSANO_RECOVERY
constexpr int32_t kNoData = 11004;           // WSANO_DATA
} // namespace UcmSys

// Socket event bits (FD_READ and its kin) and the masks the library selects.
namespace UcmEvent {
constexpr uint32_t kRead = 0x01;
constexpr uint32_t kWrite = 0x02;
constexpr uint32_t kAccept = 0x08;
constexpr uint32_t kConnect = 0x10;
constexpr uint32_t kClose = 0x20;
// While a connect is in progress, and the default of the select poll.
constexpr uint32_t kMaskConnecting = kRead | kWrite | kConnect | kClose; // 51
// After a connect that completed at once.
constexpr uint32_t kMaskConnected = kRead | kClose; // 33
// Whenever output must be flushed.
constexpr uint32_t kMaskFlush = kRead | kWrite | kClose; // 35
// While closing: what the peer still sends is read and thrown away, so
// that no unread input is left when the socket is closed.
constexpr uint32_t kMaskClosing = kRead | kWrite | kClose; // 35
} // namespace UcmEvent

// Library codes of the socket manager.
namespace UcmCode {
constexpr int32_t kNotPossible = 1;
constexpr int32_t kNoBuffers = 2;
constexpr int32_t kAccess = 3;
constexpr int32_t kTooManySockets = 4;
constexpr int32_t kAddressInUse = 5;
constexpr int32_t kNetDown = 7;
constexpr int32_t kHostDown = 8;
constexpr int32_t kHostUnreachable = 9;
constexpr int32_t kFraming = 10;
constexpr int32_t kNoMemory = 11;
constexpr int32_t kProxy = 12;
constexpr int32_t kHostNotFound = 31;
constexpr int32_t kLookupFailed = 32;
constexpr int32_t kLookupNotNow = 33;
constexpr int32_t kLost = 41;
constexpr int32_t kAborted = 42;
constexpr int32_t kRefused = 43;
constexpr int32_t kReset = 44;
constexpr int32_t kTimedOut = 45;
constexpr int32_t kOrderlyEnd = 46;
} // namespace UcmCode

// The library code of a system error; `defaultCode` for an error the table
// does not name.
int32_t UcmCodeFromError(int32_t defaultCode, int32_t systemError);
