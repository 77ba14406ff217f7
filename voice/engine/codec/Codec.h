// A voice codec: turns 8-kHz 16-bit samples into coded bytes and back through
// an outside library. The pipeline sets the frame duration from the
// conference; a packet carries one frame duration of samples.
#pragma once

#include "ICodecLibraries.h"

#include <cstdint>
#include <string>

class Codec
{
public:
    static constexpr int32_t kSamplesPerMs = 8;
    static constexpr int32_t kStartFrameMs = 30;

    Codec(int32_t payloadType, CodecLibrary library, std::string name)
        : m_payloadType(payloadType), m_library(library), m_name(std::move(name))
    {
    }
    Codec(const Codec&) = delete;
    Codec& operator=(const Codec&) = delete;
    virtual ~Codec() = default;

    // Decodes `codedBytes` of `coded` into `samples`; the count the library
    // reports, 0 when nothing was coded.
    virtual uint16_t Decode(const uint8_t* coded, uint16_t codedBytes, int16_t* samples) = 0;
    // Encodes samples into at most `codedBytes` of `coded`.
    virtual uint16_t Encode(const int16_t* samples, uint16_t codedBytes, uint8_t* coded) = 0;
    virtual int32_t CodedBytesPerPacket() const = 0;
    virtual int32_t SamplesPerPacket() const;

    int32_t PayloadType() const { return m_payloadType; }
    int32_t FrameDurationMs() const { return m_frameDurationMs; }
    void SetFrameDurationMs(int32_t ms) { m_frameDurationMs = ms; }
    bool IsReady() const { return m_ready; }
    const std::string& Name() const { return m_name; }

protected:
    // Whole frames of `frameMs` in the frame duration; 0 for a duration that
    // is not positive.
    int32_t WholeFrames(int32_t frameMs) const;
    CodecLibrary Library() const { return m_library; }
    void SetReady(bool ready) { m_ready = ready; }

private:
    int32_t m_payloadType;
    int32_t m_frameDurationMs = kStartFrameMs;
    bool m_ready = false;
    CodecLibrary m_library;
    std::string m_name;
};
