#include "FakeCodecLibraries.h"

#include "G7231Codec.h"
#include "PureVoiceCodec.h"

#include <algorithm>
#include <cstring>

int32_t FakeCodecState::openResult = 0;
int FakeCodecState::openSessions = 0;
int32_t FakeCodecState::lastMode = 0;
bool FakeCodecState::createObjects = true;
int FakeCodecState::liveObjects = 0;
std::vector<int32_t> FakeCodecState::setModes;
std::vector<int32_t> FakeCodecState::processFrames;

void FakeCodecState::Reset()
{
    openResult = 0;
    openSessions = 0;
    lastMode = 0;
    createObjects = true;
    liveObjects = 0;
    setModes.clear();
    processFrames.clear();
}

namespace {

constexpr uint32_t kSession = 0x77;
constexpr uint16_t kPureVoiceFrameBytes = 6;
constexpr int kPureVoiceFrameSamples = 160;

int32_t Open(uint32_t* session)
{
    if (FakeCodecState::openResult == 0) {
        session[0] = kSession;
        ++FakeCodecState::openSessions;
    }
    return FakeCodecState::openResult;
}

int32_t Close(uint32_t* session)
{
    if (session[0] == kSession)
        --FakeCodecState::openSessions;
    return 0;
}

int32_t Unused()
{
    return 0;
}

int32_t Encode(int32_t handle, int32_t mode, const int16_t* samples, uint8_t* coded,
               int32_t* count)
{
    FakeCodecState::lastMode = mode;
    if (static_cast<uint32_t>(handle) != kSession || *count != 0)
        return -1;
    for (int i = 0; i < G7231Codec::kCodedFrameBytes; ++i)
        coded[i] = static_cast<uint8_t>(samples[i] + 1);
    *count = G7231Codec::kCodedFrameBytes;
    return 0;
}

int32_t Decode(int32_t handle, int32_t mode, const uint8_t* coded, int16_t* samples,
               int32_t* count)
{
    FakeCodecState::lastMode = mode;
    if (static_cast<uint32_t>(handle) != kSession || *count != 0)
        return -1;
    std::fill(samples, samples + G7231Codec::kFrameSamples, int16_t{0});
    for (int i = 0; i < G7231Codec::kCodedFrameBytes; ++i)
        samples[i] = static_cast<int16_t>(coded[i] - 1);
    *count = G7231Codec::kFrameSamples;
    return 0;
}

using Object = PureVoiceCodec::Interface;

uint32_t Release(Object* self)
{
    delete self;
    --FakeCodecState::liveObjects;
    return 0;
}

int32_t SetMode(Object*, int32_t mode)
{
    FakeCodecState::setModes.push_back(mode);
    return 0;
}

int32_t FrameSize(Object*, uint16_t* bytes)
{
    *bytes = kPureVoiceFrameBytes;
    return 0;
}

// Codes by the last mode set: encoding keeps the low bytes of each frame's
// first six samples, decoding writes the six bytes back as those samples.
int32_t Process(Object*, int32_t frames, const void* input, void* output)
{
    FakeCodecState::processFrames.push_back(frames);
    const bool encoding = FakeCodecState::setModes.back() == 1;
    int32_t count = 0;
    for (int32_t f = 0; f < frames; ++f) {
        for (int i = 0; i < kPureVoiceFrameBytes; ++i) {
            if (encoding) {
                const auto* samples = static_cast<const int16_t*>(input);
                static_cast<uint8_t*>(output)[f * kPureVoiceFrameBytes + i] =
                    static_cast<uint8_t>(samples[f * kPureVoiceFrameSamples + i]);
            } else {
                const auto* coded = static_cast<const uint8_t*>(input);
                static_cast<int16_t*>(output)[f * kPureVoiceFrameSamples + i] =
                    coded[f * kPureVoiceFrameBytes + i];
            }
        }
        count += encoding ? kPureVoiceFrameBytes : kPureVoiceFrameSamples;
    }
    return static_cast<int32_t>(static_cast<uint32_t>(count) << 16);
}

const PureVoiceCodec::InterfaceTable kTable = {nullptr, nullptr, Release, SetMode, FrameSize,
                                               Process};

int32_t Create(const PureVoiceCodec::Guid* classId, const PureVoiceCodec::Guid* interfaceId,
               Object** object)
{
    *object = nullptr;
    if (!FakeCodecState::createObjects ||
        std::memcmp(classId, &PureVoiceCodec::kClassId, sizeof(*classId)) != 0 ||
        std::memcmp(interfaceId, &PureVoiceCodec::kInterfaceId, sizeof(*interfaceId)) != 0)
        return -1;
    *object = new Object{&kTable};
    ++FakeCodecState::liveObjects;
    return 0;
}

template <typename F>
void* Entry(F function)
{
    return reinterpret_cast<void*>(function);
}

int g_g7231Library;
int g_pureVoiceLibrary;

} // namespace

CodecLibrary FakeCodecLibraries::G7231Handle()
{
    return &g_g7231Library;
}

CodecLibrary FakeCodecLibraries::PureVoiceHandle()
{
    return &g_pureVoiceLibrary;
}

CodecLibrary FakeCodecLibraries::Load(const std::string& fileName)
{
    loadAttempts.push_back(fileName);
    if (installed.count(fileName) == 0)
        return nullptr;
    CodecLibrary library = fileName == "qpl.dll" ? PureVoiceHandle() : G7231Handle();
    ++references[library];
    return library;
}

void FakeCodecLibraries::Free(CodecLibrary library)
{
    --references[library];
}

void* FakeCodecLibraries::FindEntry(CodecLibrary library, const char* name)
{
    if (missingEntries.count(name) != 0)
        return nullptr;
    const std::map<std::string, void*> g7231 = {
        {"SX5363_Open", Entry(Open)},           {"SX5363_Close", Entry(Close)},
        {"SX5363_InitEncod", Entry(Unused)},    {"SX5363_InitDecod", Entry(Unused)},
        {"SX53_SpeechEncode", Entry(Unused)},   {"SX63_SpeechEncode", Entry(Encode)},
        {"SX5363_SpeechDecode", Entry(Decode)}};
    const std::map<std::string, void*> pureVoice = {{"QPLCreateInstance", Entry(Create)}};
    const auto& entries = library == G7231Handle() ? g7231 : pureVoice;
    const auto found = entries.find(name);
    return found == entries.end() ? nullptr : found->second;
}

bool FakeCodecLibraries::FetchComponent(const std::string& codecName)
{
    fetches.push_back(codecName);
    const auto found = fetchable.find(codecName);
    if (found == fetchable.end())
        return false;
    installed.insert(found->second);
    return true;
}
