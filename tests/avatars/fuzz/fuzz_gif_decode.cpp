// GIF decoder on arbitrary bytes; what decodes must encode and decode again
// to the same DIB.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "GifCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CGifCodec codec;
    CPackedDib dib = codec.Decode(data, size);
    if (dib.IsEmpty()) {
        return 0;
    }
    std::vector<uint8_t> gif = codec.Encode(dib);
    CPackedDib back = codec.Decode(gif.data(), gif.size());
    if (back.Bytes() != dib.Bytes()) {
        std::abort();
    }
    int32_t width = 0;
    int32_t height = 0;
    CGifCodec::ImageSize(data, size, width, height);
    return 0;
}
