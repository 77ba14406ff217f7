// The socket layer's own copies of the Windows Sockets numbers must match
// the system headers; this file only checks them at compile time.
#include <winsock2.h>

#include "UcmError.h"
#include "UcmPort.h"

static_assert(UcmSys::kInterrupted == WSAEINTR);
static_assert(UcmSys::kBadHandle == WSAEBADF);
static_assert(UcmSys::kAccess == WSAEACCES);
static_assert(UcmSys::kInvalid == WSAEINVAL);
static_assert(UcmSys::kTooManySockets == WSAEMFILE);
static_assert(UcmSys::kWouldBlock == WSAEWOULDBLOCK);
static_assert(UcmSys::kInProgress == WSAEINPROGRESS);
static_assert(UcmSys::kAddressInUse == WSAEADDRINUSE);
static_assert(UcmSys::kNetDown == WSAENETDOWN);
static_assert(UcmSys::kNetUnreachable == WSAENETUNREACH);
static_assert(UcmSys::kNetReset == WSAENETRESET);
static_assert(UcmSys::kConnAborted == WSAECONNABORTED);
static_assert(UcmSys::kConnReset == WSAECONNRESET);
static_assert(UcmSys::kNoBuffers == WSAENOBUFS);
static_assert(UcmSys::kIsConnected == WSAEISCONN);
static_assert(UcmSys::kNotConnected == WSAENOTCONN);
static_assert(UcmSys::kShutDown == WSAESHUTDOWN);
static_assert(UcmSys::kTimedOut == WSAETIMEDOUT);
static_assert(UcmSys::kConnRefused == WSAECONNREFUSED);
static_assert(UcmSys::kHostDown == WSAEHOSTDOWN);
static_assert(UcmSys::kHostUnreachable == WSAEHOSTUNREACH);
static_assert(UcmSys::kSysNotReady == WSASYSNOTREADY);
static_assert(UcmSys::kDisconnected == WSAEDISCON);
static_assert(UcmSys::kHostNotFound == WSAHOST_NOT_FOUND);
static_assert(UcmSys::kTryAgain == WSATRY_AGAIN);
static_assert(UcmSys::kNoRecovery == WSANO_RECOVERY);
static_assert(UcmSys::kNoData == WSANO_DATA);

static_assert(UcmEvent::kRead == FD_READ);
static_assert(UcmEvent::kWrite == FD_WRITE);
static_assert(UcmEvent::kAccept == FD_ACCEPT);
static_assert(UcmEvent::kConnect == FD_CONNECT);
static_assert(UcmEvent::kClose == FD_CLOSE);
static_assert(UcmEvent::kMaskConnecting == 51 && UcmEvent::kMaskConnected == 33);
static_assert(UcmEvent::kMaskFlush == 35 && UcmEvent::kMaskClosing == 35);

static_assert(sizeof(SOCKET) <= sizeof(UcmSocketHandle));
static_assert(static_cast<UcmSocketHandle>(INVALID_SOCKET) == kUcmNoSocket);
