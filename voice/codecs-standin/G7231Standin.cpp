// Stand-in G.723.1 library. A frame of 240 samples codes into 24 bytes: byte i
// is the high byte of sample 10*i XOR 0x5A; decoding repeats each byte's value
// (times 256) over its 10 samples. Coding answers only to the session handle
// that open gave and to mode 2.
#include <cstdint>
#include <cstring>

#define STANDIN_EXPORT extern "C" __declspec(dllexport)

namespace {

constexpr uint32_t kSessionHandle = 0x5363;
constexpr int32_t kMode = 2;
constexpr int kFrameBytes = 24;
constexpr int kSamplesPerByte = 10;
constexpr uint8_t kMask = 0x5A;
int32_t g_openSessions = 0;

bool Accepts(int32_t handle, int32_t mode, const int32_t* count)
{
    return count != nullptr && static_cast<uint32_t>(handle) == kSessionHandle &&
           mode == kMode && g_openSessions > 0;
}

} // namespace

STANDIN_EXPORT int32_t SX5363_Open(uint32_t* session)
{
    if (session == nullptr)
        return -1;
    std::memset(session, 0, 32);
    session[0] = kSessionHandle;
    ++g_openSessions;
    return 0;
}

STANDIN_EXPORT int32_t SX5363_Close(uint32_t* session)
{
    if (session == nullptr || session[0] != kSessionHandle || g_openSessions == 0)
        return -1;
    --g_openSessions;
    return 0;
}

STANDIN_EXPORT int32_t SX5363_InitEncod(int32_t)
{
    return 0;
}

#ifndef STANDIN_WITHOUT_INIT_DECODER
STANDIN_EXPORT int32_t SX5363_InitDecod(int32_t)
{
    return 0;
}
#endif

STANDIN_EXPORT int32_t SX53_SpeechEncode(int32_t, int32_t, const int16_t*, uint8_t*, int32_t* count)
{
    if (count != nullptr)
        *count = 0;
    return -1;
}

STANDIN_EXPORT int32_t SX63_SpeechEncode(int32_t handle, int32_t mode, const int16_t* samples,
                                         uint8_t* coded, int32_t* count)
{
    if (!Accepts(handle, mode, count))
        return -1;
    for (int i = 0; i < kFrameBytes; ++i) {
        const uint16_t sample = static_cast<uint16_t>(samples[i * kSamplesPerByte]);
        coded[i] = static_cast<uint8_t>((sample >> 8) ^ kMask);
    }
    *count = kFrameBytes;
    return 0;
}

STANDIN_EXPORT int32_t SX5363_SpeechDecode(int32_t handle, int32_t mode, const uint8_t* coded,
                                           int16_t* samples, int32_t* count)
{
    if (!Accepts(handle, mode, count))
        return -1;
    for (int i = 0; i < kFrameBytes; ++i) {
        const auto value = static_cast<int8_t>(coded[i] ^ kMask);
        for (int j = 0; j < kSamplesPerByte; ++j)
            samples[i * kSamplesPerByte + j] = static_cast<int16_t>(value * 256);
    }
    *count = kFrameBytes * kSamplesPerByte;
    return 0;
}

// Open sessions, for tests that check the engine closes what it opened.
STANDIN_EXPORT int32_t StandinOpenSessions()
{
    return g_openSessions;
}
