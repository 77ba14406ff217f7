// CGifCodec: decodes the first image of GIF87a/GIF89a data into a 4- or
// 8-bit packed DIB, and encodes 4- and 8-bit DIBs as GIF89a.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "PackedDib.h"

class CGifCodec {
public:
    // The first image as a packed DIB; empty with Error() set on failure.
    // Extensions (transparency, animation control) are skipped.
    CPackedDib Decode(const uint8_t* data, size_t length);
    // GIF89a bytes of a 4- or 8-bit DIB; empty with Error() set on failure.
    std::vector<uint8_t> Encode(const CPackedDib& dib);

    // Width and height of the first image descriptor, without decoding.
    static bool ImageSize(const uint8_t* data, size_t length, int32_t& width, int32_t& height);

    int32_t Error() const { return m_error; }

private:
    class Reader;
    bool DecodeImage(Reader& in, const uint8_t* globalTable, uint32_t globalCount, CPackedDib& dib);

    int32_t m_error = 0;
};
