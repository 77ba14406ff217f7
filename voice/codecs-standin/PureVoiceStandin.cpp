// Stand-in PureVoice library. A 20-ms frame of 160 samples codes into 10
// bytes: byte i is the high byte of sample 16*i XOR 0xA5; decoding repeats
// each byte's value (times 256) over its 16 samples. The object codes in the
// direction its mode names; process returns its count in the high 16 bits.
#include <cstdint>
#include <cstring>

#define STANDIN_EXPORT extern "C" __declspec(dllexport)

namespace {

struct Guid
{
    uint32_t data1;
    uint16_t data2;
    uint16_t data3;
    uint8_t data4[8];
};

constexpr Guid kClassId = {0xE1EF31C0, 0xBCCE, 0x11D2,
                           {0x84, 0xF6, 0x00, 0x80, 0xC7, 0xBB, 0x19, 0xD8}};
constexpr Guid kInterfaceId = {0xE1EF31C1, 0xBCCE, 0x11D2,
                               {0x84, 0xF6, 0x00, 0x80, 0xC7, 0xBB, 0x19, 0xD8}};
constexpr uint16_t kFrameBytes = 10;
constexpr int kSamplesPerByte = 16;
constexpr uint8_t kMask = 0xA5;
constexpr int32_t kEncoder = 1;
constexpr int32_t kDecoder = 2;

int32_t g_liveObjects = 0;

struct Object;

struct Table
{
    void* queryInterface;
    void* addRef;
    uint32_t (*release)(Object* self);
    int32_t (*setMode)(Object* self, int32_t mode);
    int32_t (*frameSize)(Object* self, uint16_t* bytes);
    int32_t (*process)(Object* self, int32_t frames, const void* input, void* output);
};

struct Object
{
    const Table* table;
    int32_t mode;
};

uint32_t Release(Object* self)
{
    delete self;
    --g_liveObjects;
    return 0;
}

int32_t SetMode(Object* self, int32_t mode)
{
    self->mode = mode;
    return 0;
}

int32_t FrameSize(Object*, uint16_t* bytes)
{
    *bytes = kFrameBytes;
    return 0;
}

int32_t EncodeFrames(int32_t frames, const int16_t* samples, uint8_t* coded)
{
    const int32_t bytes = frames * kFrameBytes;
    for (int32_t i = 0; i < bytes; ++i) {
        const uint16_t sample = static_cast<uint16_t>(samples[i * kSamplesPerByte]);
        coded[i] = static_cast<uint8_t>((sample >> 8) ^ kMask);
    }
    return bytes;
}

int32_t DecodeFrames(int32_t frames, const uint8_t* coded, int16_t* samples)
{
    const int32_t bytes = frames * kFrameBytes;
    for (int32_t i = 0; i < bytes; ++i) {
        const auto value = static_cast<int8_t>(coded[i] ^ kMask);
        for (int j = 0; j < kSamplesPerByte; ++j)
            samples[i * kSamplesPerByte + j] = static_cast<int16_t>(value * 256);
    }
    return bytes * kSamplesPerByte;
}

int32_t Process(Object* self, int32_t frames, const void* input, void* output)
{
    int32_t count = 0;
    if (self->mode == kEncoder)
        count = EncodeFrames(frames, static_cast<const int16_t*>(input), static_cast<uint8_t*>(output));
    else if (self->mode == kDecoder)
        count = DecodeFrames(frames, static_cast<const uint8_t*>(input), static_cast<int16_t*>(output));
    return static_cast<int32_t>(static_cast<uint32_t>(count) << 16);
}

const Table kTable = {nullptr, nullptr, Release, SetMode, FrameSize, Process};

} // namespace

STANDIN_EXPORT int32_t QPLCreateInstance(const Guid* classId, const Guid* interfaceId,
                                         Object** object)
{
    if (object == nullptr)
        return -1;
    *object = nullptr;
    if (std::memcmp(classId, &kClassId, sizeof(Guid)) != 0 ||
        std::memcmp(interfaceId, &kInterfaceId, sizeof(Guid)) != 0)
        return -1;
    *object = new Object{&kTable, 0};
    ++g_liveObjects;
    return 0;
}

// Live objects, for tests that check the engine releases what it created.
STANDIN_EXPORT int32_t StandinLiveObjects()
{
    return g_liveObjects;
}
