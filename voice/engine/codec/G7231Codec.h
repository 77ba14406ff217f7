// The G.723.1 codec: 240 samples (30 ms) become 24 coded bytes, through the
// seven exports of its library. Ready only when all exports exist and the
// library opened a session.
#pragma once

#include "Codec.h"

#include <array>

class G7231Codec : public Codec
{
public:
    static constexpr int32_t kPayloadType = 4;
    static constexpr int32_t kFrameMs = 30;
    static constexpr uint16_t kCodedFrameBytes = 24;
    static constexpr uint16_t kFrameSamples = 240;
    static constexpr int32_t kMode = 2;

    using OpenEntry = int32_t (*)(uint32_t* session);
    using CloseEntry = int32_t (*)(uint32_t* session);
    using EncodeEntry = int32_t (*)(int32_t handle, int32_t mode, const int16_t* samples,
                                    uint8_t* coded, int32_t* count);
    using DecodeEntry = int32_t (*)(int32_t handle, int32_t mode, const uint8_t* coded,
                                    int16_t* samples, int32_t* count);

    G7231Codec(ICodecLibraries& libraries, CodecLibrary library);
    ~G7231Codec() override;

    uint16_t Decode(const uint8_t* coded, uint16_t codedBytes, int16_t* samples) override;
    uint16_t Encode(const int16_t* samples, uint16_t codedBytes, uint8_t* coded) override;
    int32_t CodedBytesPerPacket() const override;

private:
    int32_t SessionHandle() const { return static_cast<int32_t>(m_session[0]); }

    std::array<uint32_t, 8> m_session{}; // 32 bytes the library fills on open
    CloseEntry m_close = nullptr;
    EncodeEntry m_encode = nullptr;
    DecodeEntry m_decode = nullptr;
};
