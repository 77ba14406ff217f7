// The PureVoice codec: 20-ms frames of a size the library gives, through an
// object interface that the library's one export creates. An object codes in
// one direction only, fixed at its first use.
#pragma once

#include "Codec.h"

class PureVoiceCodec : public Codec
{
public:
    static constexpr int32_t kPayloadType = 0;
    static constexpr int32_t kFrameMs = 20;

    // Identifiers laid out as the platform's 16-byte class identifiers.
    struct Guid
    {
        uint32_t data1;
        uint16_t data2;
        uint16_t data3;
        uint8_t data4[8];
    };
    static const Guid kClassId;
    static const Guid kInterfaceId;

    enum class Mode : int32_t { Unset = 0, Encoder = 1, Decoder = 2 };

    // The interface: three standard object functions, then the codec's own.
    struct Interface;
    struct InterfaceTable
    {
        void* queryInterface;
        void* addRef;
        uint32_t (*release)(Interface* self);
        int32_t (*setMode)(Interface* self, int32_t mode);
        int32_t (*frameSize)(Interface* self, uint16_t* bytes);
        int32_t (*process)(Interface* self, int32_t frames, const void* input, void* output);
    };
    struct Interface
    {
        const InterfaceTable* table;
    };
    using CreateEntry = int32_t (*)(const Guid* classId, const Guid* interfaceId,
                                    Interface** object);

    PureVoiceCodec(ICodecLibraries& libraries, CodecLibrary library);
    ~PureVoiceCodec() override;

    uint16_t Decode(const uint8_t* coded, uint16_t codedBytes, int16_t* samples) override;
    uint16_t Encode(const int16_t* samples, uint16_t codedBytes, uint8_t* coded) override;
    int32_t CodedBytesPerPacket() const override;

    Mode CurrentMode() const { return m_mode; }

private:
    // Fixes the mode at the first call; false when the object was fixed to
    // the other direction.
    bool UseAs(Mode mode);
    uint16_t Process(Mode mode, uint16_t codedBytes, const void* input, void* output);

    Interface* m_object = nullptr;
    uint16_t m_frameBytes = 0;
    bool m_firstUse = true;
    Mode m_mode = Mode::Unset;
    int32_t m_framesPerCall = 0;
};
