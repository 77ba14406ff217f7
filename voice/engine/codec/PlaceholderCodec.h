// The codec made for a name that cannot be served: never ready, codes nothing.
#pragma once

#include "Codec.h"

class PlaceholderCodec : public Codec
{
public:
    static constexpr int32_t kPayloadType = -1;

    PlaceholderCodec() : Codec(kPayloadType, nullptr, "XCODEC") {}

    uint16_t Decode(const uint8_t*, uint16_t, int16_t*) override { return 0; }
    uint16_t Encode(const int16_t*, uint16_t, uint8_t*) override { return 0; }
    int32_t CodedBytesPerPacket() const override { return 0; }
    int32_t SamplesPerPacket() const override { return 0; }
};
