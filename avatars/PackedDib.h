// CPackedDib: a checked device-independent bitmap in packed form: a 40-byte
// info header, the colour table and the pixel rows (bottom-up, rows padded to
// 4 bytes), all in one byte vector. Made only from data that passed every
// check, so its accessors never reach outside the vector.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class CPackedDib {
public:
    static constexpr uint32_t kHeaderSize = 40;
    // Largest pixel area a picture may have, and largest packed DIB that a
    // BMP or resource bitmap may make.
    static constexpr uint64_t kMaxImageSize = 250000;
    static constexpr uint64_t kMaxPackedSize = 50000;

    CPackedDib() = default;

    // A BMP file image ("BM", 14-byte file header, info header, colour table,
    // pixel rows at the header's offset). False with `error` set when refused.
    bool ReadBmpFile(const uint8_t* data, size_t length, int32_t& error);
    // A packed DIB as a bitmap resource holds it (info header, table, rows).
    // `maxTotal` caps the whole packed DIB (a decoded GIF may be larger than
    // a bitmap resource).
    bool ReadPacked(const uint8_t* data, size_t length, int32_t& error,
                    uint64_t maxTotal = kMaxPackedSize);
    // A new DIB of 4 or 8 bits per pixel, all pixels 0; colours as RGBQUAD
    // entries (blue, green, red, 0), 2^bits of them. At most kMaxImageSize
    // bytes in all.
    bool Create(int32_t width, int32_t height, uint16_t bitCount, const uint8_t* colours);

    // Width and height of a BMP file image from its header alone.
    static bool BmpFileSize(const uint8_t* data, size_t length, int32_t& width, int32_t& height);
    static uint64_t StrideOf(int32_t width, uint16_t bitCount);

    bool IsEmpty() const { return m_bytes.empty(); }
    int32_t Width() const;
    int32_t Height() const;
    uint16_t BitCount() const;
    uint32_t ColourCount() const;
    uint32_t Stride() const { return static_cast<uint32_t>(StrideOf(Width(), BitCount())); }
    uint8_t* Colours() { return m_bytes.data() + kHeaderSize; }
    const uint8_t* Colours() const { return m_bytes.data() + kHeaderSize; }
    uint8_t* Pixels() { return Colours() + 4 * ColourCount(); }
    const uint8_t* Pixels() const { return Colours() + 4 * ColourCount(); }
    // Colour index (up to 8 bits) or, above 8 bits, the pixel's first byte;
    // rows counted from the top of the picture.
    uint8_t IndexAt(int32_t x, int32_t yFromTop) const;
    void SetIndex(int32_t x, int32_t yFromTop, uint8_t index);
    // Red, green, blue of a pixel, for every bit count.
    void RgbAt(int32_t x, int32_t yFromTop, uint8_t rgb[3]) const;

    const std::vector<uint8_t>& Bytes() const { return m_bytes; }

private:
    bool ReadInfo(const uint8_t* info, size_t infoLength, const uint8_t* bits, size_t bitsLength,
                  uint64_t maxTotal, int32_t& error);
    uint8_t* RowFromTop(int32_t yFromTop);
    const uint8_t* RowFromTop(int32_t yFromTop) const;

    std::vector<uint8_t> m_bytes;
};
