// Numbers of the engine strings the conference session uses.
#pragma once

#include <cstdint>

namespace ConfStrings {
constexpr int32_t kRejected = 205;          // "%s": reason
constexpr int32_t kServerDisconnected = 206;
constexpr int32_t kServerConnected = 207;
constexpr int32_t kJoinAccepted = 208;
constexpr int32_t kSendFailed = 210;        // "0x%x": socket error
constexpr int32_t kTerminated = 211;        // "%s": reason
constexpr int32_t kLineTooLong = 226;       // "%d": length
constexpr int32_t kNoCodec = 227;
constexpr int32_t kRedirected = 233;
constexpr int32_t kOneOnOne = 234;
constexpr int32_t kInvalidAccount = 253;
} // namespace ConfStrings

namespace ConfErrors {
constexpr int32_t kServerDisconnect = 1001;
constexpr int32_t kServerReject = 1002;
constexpr int32_t kAudioPrepare = 1003;
constexpr int32_t kNoCodec = 1004;
constexpr int32_t kSession = 1005;
} // namespace ConfErrors

namespace ConfLeaveReason {
constexpr int32_t kError = 0;
constexpr int32_t kRedirect = 1;
constexpr int32_t kBreakout = 2;
constexpr int32_t kGivenUp = 3;
} // namespace ConfLeaveReason
