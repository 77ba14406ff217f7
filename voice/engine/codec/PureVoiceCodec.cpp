#include "PureVoiceCodec.h"

#include <algorithm>
#include <limits>

const PureVoiceCodec::Guid PureVoiceCodec::kClassId = {
    0xE1EF31C0, 0xBCCE, 0x11D2, {0x84, 0xF6, 0x00, 0x80, 0xC7, 0xBB, 0x19, 0xD8}};
const PureVoiceCodec::Guid PureVoiceCodec::kInterfaceId = {
    0xE1EF31C1, 0xBCCE, 0x11D2, {0x84, 0xF6, 0x00, 0x80, 0xC7, 0xBB, 0x19, 0xD8}};

PureVoiceCodec::PureVoiceCodec(ICodecLibraries& libraries, CodecLibrary library)
    : Codec(kPayloadType, library, "QUAL68")
{
    const auto create =
        reinterpret_cast<CreateEntry>(libraries.FindEntry(library, "QPLCreateInstance"));
    if (create == nullptr)
        return;
    create(&kClassId, &kInterfaceId, &m_object);
    if (m_object == nullptr)
        return;
    m_object->table->frameSize(m_object, &m_frameBytes);
    SetReady(true);
}

PureVoiceCodec::~PureVoiceCodec()
{
    if (m_object != nullptr)
        m_object->table->release(m_object);
}

bool PureVoiceCodec::UseAs(Mode mode)
{
    if (m_firstUse) {
        m_firstUse = false;
        m_mode = mode;
        m_object->table->setMode(m_object, static_cast<int32_t>(mode));
        m_framesPerCall = WholeFrames(kFrameMs);
    }
    return m_mode == mode;
}

// The library codes a fixed number of frames per call; a call is made only
// when the coded buffer holds all of them, so a short packet from the network
// is never read past its end.
uint16_t PureVoiceCodec::Process(Mode mode, uint16_t codedBytes, const void* input,
                                 void* output)
{
    if (!IsReady() || !UseAs(mode) || m_framesPerCall <= 0)
        return 0;
    const int64_t needed = static_cast<int64_t>(m_framesPerCall) * m_frameBytes;
    if (codedBytes < needed)
        return 0;
    const int32_t result = m_object->table->process(m_object, m_framesPerCall, input, output);
    return static_cast<uint16_t>(static_cast<uint32_t>(result) >> 16);
}

uint16_t PureVoiceCodec::Encode(const int16_t* samples, uint16_t codedBytes, uint8_t* coded)
{
    return Process(Mode::Encoder, codedBytes, samples, coded);
}

uint16_t PureVoiceCodec::Decode(const uint8_t* coded, uint16_t codedBytes, int16_t* samples)
{
    return Process(Mode::Decoder, codedBytes, coded, samples);
}

int32_t PureVoiceCodec::CodedBytesPerPacket() const
{
    const int64_t bytes = static_cast<int64_t>(m_frameBytes) * WholeFrames(kFrameMs);
    return static_cast<int32_t>(std::min<int64_t>(bytes, std::numeric_limits<int32_t>::max()));
}
