// The records, status codes, event codes and operation numbers of the voice
// engine's exported interface. The records cross the library boundary with
// the platform's natural layout: "long" fields are 32-bit, contexts and
// texts pointer-sized.
#pragma once

#include <cstdint>

extern "C" {

struct SonorelleIfcEvent
{
    int32_t code;
    int32_t one;      // always 1
    void* context;    // as registered with the callback
    void* payload;    // laid out by code; valid only during the call
};

typedef void (*SonorelleIfcEventFunction)(SonorelleIfcEvent* event);

struct SonorelleIfcCallback
{
    int32_t version;  // 1
    void* context;
    SonorelleIfcEventFunction function;
};

struct SonorelleIfcSelectorBlock
{
    int32_t version;  // 1, not read
    void* instance;   // the host's window handle
    int32_t operation;
    void* arguments;
};

// Operation 16, SonorelleIfc_SetSdkParam and event 13: the value is a number
// or a pointer to text, by the parameter's kind.
struct SonorelleIfcIndexValue
{
    int32_t index;
    intptr_t value;
};

// Operations 12, 14 and 18.
struct SonorelleIfcNameValue
{
    const char* name;
    const char* value;
};

// Operations 13 and 15: the engine writes a newly allocated text into `value`.
struct SonorelleIfcNameResult
{
    const char* name;
    void* value;
};

// Operation 11.
struct SonorelleIfcJoinArgs
{
    const char* serverAddress;
    const char* confName;
    const char* username;
    const char* account;
    const char* accountKey;
};

// Operation 17.
struct SonorelleIfcCreateArgs
{
    int32_t kind;
    uint8_t sdk;
};

struct SonorelleIfcRecordArgs        { const char* file; int32_t format; int32_t sources; }; // op 0
struct SonorelleIfcPlayFileArgs      { const char* file; int32_t playId; int32_t checkFormat;
                                       int32_t repeat; int32_t destination; int32_t pause; }; // op 2
struct SonorelleIfcRecordPacketArgs  { int32_t on; int32_t format; int32_t sources; };   // op 4
// The host's VARIANT, laid out as the platform's (16 bytes, 24 in 64-bit code).
struct SonorelleIfcVariant           { alignas(8) unsigned char bytes[sizeof(void*) == 8 ? 24 : 16]; };
struct SonorelleIfcPlayResourceArgs  { void* module; const char* name; int32_t playId;
                                       int32_t checkFormat; int32_t repeat; int32_t destination;
                                       int32_t pause; };                                      // op 5
struct SonorelleIfcPlayPacketArgs    { SonorelleIfcVariant array; int32_t repeat;
                                       int32_t destination; int32_t pause; };                 // op 6
struct SonorelleIfcPlayBufferArgs    { SonorelleIfcVariant array; int32_t playId;
                                       int32_t checkFormat; int32_t repeat; int32_t destination;
                                       int32_t pause; };                                      // op 7
struct SonorelleIfcUserFlag          { int32_t user; int32_t on; };                        // op 9
struct SonorelleIfcGagArgs           { int32_t user; int32_t flagWord; int32_t duration; }; // op 10
struct SonorelleIfcKickArgs          { int32_t user; const char* reason; };                // op 19
struct SonorelleIfcToneArgs          { char key; };                                        // op 20
struct SonorelleIfcLongArg           { int32_t value; };                                   // ops 3, 8

// Event payloads.
struct SonorelleIfcErrorPayload      { int32_t code; const char* text; };            // 2
struct SonorelleIfcPlayStatusPayload { int32_t playId; int32_t code; int32_t value; }; // 16
struct SonorelleIfcTextPayload       { const char* text; };                          // 1, 3
struct SonorelleIfcLongPayload       { int32_t value; };                             // 5, 6, 8
struct SonorelleIfcRosterPayload     { int32_t user; const char* name; int32_t icon; }; // 4
struct SonorelleIfcUserTextPayload   { int32_t user; const char* text; };            // 7, 19
struct SonorelleIfcUserLongPayload   { int32_t user; int32_t value; };               // 11, 18
struct SonorelleIfcMessagePayload    { int32_t user; const char* name; const char* text; }; // 9, 10, 12, 14
struct SonorelleIfcGagStatePayload   { int32_t values[4]; };                         // 17

// The arguments of SonorelleIfc_OnCreate, passed by value. The host passes
// its window handle where a framework window object would not cross
// between modules.
struct SonorelleIfcCreateInfo
{
    const char* pageUrl;
    void* hostWindow;
    const char* confName;
    const char* serverAddress;
    const char* username;
    int32_t autoJoin;
    const char* account;
    const char* stitchUrl;
    int32_t enableBreakout;
    int32_t host;
    int32_t userIcon;
    int32_t showConf;
};

} // extern "C"

namespace SonorelleIfcStatus {
constexpr int32_t kDone = 0;
constexpr int32_t kSession = 1005;
constexpr int32_t kUnknownInstance = 1204;
constexpr int32_t kAgreement = 1205;
constexpr int32_t kTransmitStart = 1101;
constexpr int32_t kTransmitStop = 1102;
constexpr int32_t kMissingParameter = 1301;
constexpr int32_t kAlreadyConnected = 1302;
constexpr int32_t kAlreadyJoined = 1303;
constexpr int32_t kNotJoined = 1304;
constexpr int32_t kNotInRoster = 1305;
constexpr int32_t kWithoutAccountKey = 1307;
constexpr int32_t kJoinStarting = 1308;
constexpr int32_t kNotKeypad = 1501;
} // namespace SonorelleIfcStatus

namespace SonorelleIfcEventCode {
constexpr int32_t kJoined = 0;
constexpr int32_t kDisconnected = 1;
constexpr int32_t kError = 2;
constexpr int32_t kStatus = 3;
constexpr int32_t kRosterAdd = 4;
constexpr int32_t kRosterDelete = 5;
constexpr int32_t kInvited = 6;
constexpr int32_t kInvitationAccepted = 7;
constexpr int32_t kInvitationDeclined = 8;
constexpr int32_t kTextMessage = 9;
constexpr int32_t kAppMessage = 10;
constexpr int32_t kGag = 11;
constexpr int32_t kWarning = 12;
constexpr int32_t kParameterChanged = 13;
constexpr int32_t kAppBroadcast = 14;
constexpr int32_t kRecordPacket = 15;
constexpr int32_t kPlayStatus = 16;
constexpr int32_t kGagState = 17;
constexpr int32_t kIconChanged = 18;
constexpr int32_t kNameChanged = 19;
} // namespace SonorelleIfcEventCode

namespace SonorelleIfcOp {
constexpr int32_t kStartRecord = 0;
constexpr int32_t kStopRecord = 1;
constexpr int32_t kPlayWaveFile = 2;
constexpr int32_t kStopWavePlay = 3;
constexpr int32_t kRegisterRecordPacket = 4;
constexpr int32_t kPlayWaveResource = 5;
constexpr int32_t kPlayWavePacket = 6;
constexpr int32_t kPlayWaveBuffer = 7;
constexpr int32_t kMute = 8;
constexpr int32_t kIgnore = 9;
constexpr int32_t kGag = 10;
constexpr int32_t kJoin = 11;
constexpr int32_t kSetUiOption = 12;
constexpr int32_t kGetUiOption = 13;
constexpr int32_t kSetSdkProperty = 14;
constexpr int32_t kGetSdkProperty = 15;
constexpr int32_t kSetByIndex = 16;
constexpr int32_t kCreateInstance = 17;
constexpr int32_t kSetByName = 18;
constexpr int32_t kKick = 19;
constexpr int32_t kTone = 20;
} // namespace SonorelleIfcOp

namespace SonorelleIfcString {
constexpr int32_t kAnotherInstance = 220;
constexpr int32_t kAlreadyConnected = 222;
constexpr int32_t kConnecting = 223;
constexpr int32_t kMissingParameter = 225;
constexpr int32_t kMessageSent = 219;
constexpr int32_t kMicrophoneOn = 230;
constexpr int32_t kMicrophoneOnSpeakersOff = 231;
constexpr int32_t kMicrophoneOff = 232;
constexpr int32_t kWarningSent = 238;
constexpr int32_t kNoServer = 221;
constexpr int32_t kUnableToConnect = 254;
} // namespace SonorelleIfcString
