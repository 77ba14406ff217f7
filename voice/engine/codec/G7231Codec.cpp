#include "G7231Codec.h"

namespace {

// Every export the library must have, whether the codec calls it or not.
constexpr const char* kRequiredEntries[] = {"SX5363_Open",      "SX5363_Close",
                                            "SX5363_InitEncod", "SX5363_InitDecod",
                                            "SX53_SpeechEncode", "SX63_SpeechEncode",
                                            "SX5363_SpeechDecode"};

template <typename Entry>
Entry EntryAs(void* entry)
{
    return reinterpret_cast<Entry>(entry);
}

} // namespace

G7231Codec::G7231Codec(ICodecLibraries& libraries, CodecLibrary library)
    : Codec(kPayloadType, library, "G72364")
{
    for (const char* name : kRequiredEntries) {
        if (libraries.FindEntry(library, name) == nullptr)
            return;
    }
    const auto open = EntryAs<OpenEntry>(libraries.FindEntry(library, "SX5363_Open"));
    m_close = EntryAs<CloseEntry>(libraries.FindEntry(library, "SX5363_Close"));
    m_encode = EntryAs<EncodeEntry>(libraries.FindEntry(library, "SX63_SpeechEncode"));
    m_decode = EntryAs<DecodeEntry>(libraries.FindEntry(library, "SX5363_SpeechDecode"));
    SetReady(open(m_session.data()) == 0);
}

G7231Codec::~G7231Codec()
{
    if (IsReady())
        m_close(m_session.data());
}

uint16_t G7231Codec::Encode(const int16_t* samples, uint16_t codedBytes, uint8_t* coded)
{
    if (!IsReady())
        return 0;
    uint32_t total = 0;
    for (uint16_t frame = 0; frame < codedBytes / kCodedFrameBytes; ++frame) {
        int32_t count = 0;
        m_encode(SessionHandle(), kMode, samples + frame * kFrameSamples,
                 coded + frame * kCodedFrameBytes, &count);
        total += static_cast<uint32_t>(count);
    }
    return static_cast<uint16_t>(total);
}

uint16_t G7231Codec::Decode(const uint8_t* coded, uint16_t codedBytes, int16_t* samples)
{
    if (!IsReady())
        return 0;
    uint32_t total = 0;
    for (uint16_t frame = 0; frame < codedBytes / kCodedFrameBytes; ++frame) {
        int32_t count = 0;
        m_decode(SessionHandle(), kMode, coded + frame * kCodedFrameBytes,
                 samples + frame * kFrameSamples, &count);
        total += static_cast<uint32_t>(count);
    }
    return static_cast<uint16_t>(total);
}

int32_t G7231Codec::CodedBytesPerPacket() const
{
    return WholeFrames(kFrameMs) * kCodedFrameBytes;
}
