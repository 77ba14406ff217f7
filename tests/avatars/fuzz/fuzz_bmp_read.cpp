// BMP file and packed DIB reader on arbitrary bytes; every pixel of what is
// accepted must be readable.
#include <cstddef>
#include <cstdint>

#include "PackedDib.h"

namespace {

void TouchEveryPixel(const CPackedDib& dib) {
    uint8_t rgb[3];
    for (int32_t y = 0; y < dib.Height(); ++y) {
        for (int32_t x = 0; x < dib.Width(); ++x) {
            dib.RgbAt(x, y, rgb);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    int32_t error = 0;
    CPackedDib file;
    if (file.ReadBmpFile(data, size, error)) {
        TouchEveryPixel(file);
    }
    CPackedDib packed;
    if (packed.ReadPacked(data, size, error)) {
        TouchEveryPixel(packed);
    }
    int32_t width = 0;
    int32_t height = 0;
    CPackedDib::BmpFileSize(data, size, width, height);
    return 0;
}
