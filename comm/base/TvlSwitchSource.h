// Where the debug switches and tunable values come from.
#pragma once

#include <cstdint>

// Names of the switch file and its section, and the keys the library reads.
constexpr char kTvlSwitchFile[] = "TVLDEBUG.INI";
constexpr char kTvlSwitchSection[] = "Debug";

namespace TvlKey {
constexpr char ZrsPortNum[] = "ZRS_PORT_NUM";         // 16-bit, default kTvlDefaultPort
constexpr char ZrSafeConn[] = "ZR_SAFE_CONN";         // hello's safe-connection flag
constexpr char ZrDebugAck[] = "ZR_DEBUG_ACK";         // trace switch, label "ZR_ACK"
constexpr char UcmSelectTimer[] = "UCM_SELECT_TIMER"; // 16-bit seconds, 0 = no select timer
constexpr char UcmTimerCount[] = "UCM_TIMER_COUNT";   // 16-bit keep-alive ticks, 0 = 65535
constexpr char UcmDebug[] = "UCM_DEBUG";
constexpr char UcmKernel[] = "UCM_KERNEL";
constexpr char UcmSelect[] = "UCM_SELECT";
constexpr char UcmSpawn[] = "UCM_SPAWN";
constexpr char UcmMessages[] = "UCM_MESSAGES";
constexpr char TvlDebug[] = "TVL_DEBUG";
} // namespace TvlKey

constexpr uint16_t kTvlDefaultPort = 1533;
constexpr uint16_t kTvlDefaultSelectTimer = 15;
constexpr uint16_t kTvlDefaultTimerCount = 15;

// Label of the five UCM_ trace switches, and of ZR_DEBUG_ACK.
constexpr char kTvlUcmLabel[] = "UCM";
constexpr char kTvlAckLabel[] = "ZR_ACK";

// Answers the integer of a key in section "Debug", or `defaultValue` when
// the key (or the whole file) is absent.
class ITvlSwitchSource {
public:
    virtual ~ITvlSwitchSource() = default;
    virtual int32_t GetInt(const char* key, int32_t defaultValue) = 0;
};

// Installs the source that every switch and value is read from and returns
// the previous one. nullptr restores the default, which answers every default
// (no switch file). A Windows program installs the private-profile reader of
// "TVLDEBUG.INI" at start-up, before the library reads anything.
ITvlSwitchSource* TvlSetSwitchSource(ITvlSwitchSource* source);

// The source in use.
ITvlSwitchSource& TvlSwitchSource();
