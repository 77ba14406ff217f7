#include "PackedDib.h"

#include <cstring>

#include "PictureError.h"

namespace {

constexpr size_t kFileHeaderSize = 14;

uint16_t Le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t Le32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}
void PutLe16(uint8_t* p, uint16_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}
void PutLe32(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        p[i] = static_cast<uint8_t>(v >> (8 * i));
    }
}

bool IsKnownInfoSize(uint32_t size) { return size == 40 || size == 108 || size == 124; }
bool IsKnownBitCount(uint16_t bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

void WriteHeader(uint8_t* h, int32_t width, int32_t height, uint16_t bits, uint32_t colours,
                 uint32_t imageSize) {
    std::memset(h, 0, CPackedDib::kHeaderSize);
    PutLe32(h, CPackedDib::kHeaderSize);
    PutLe32(h + 4, static_cast<uint32_t>(width));
    PutLe32(h + 8, static_cast<uint32_t>(height));
    PutLe16(h + 12, 1);
    PutLe16(h + 14, bits);
    PutLe32(h + 20, imageSize);
    PutLe32(h + 32, colours);
    PutLe32(h + 36, colours);
}

}  // namespace

uint64_t CPackedDib::StrideOf(int32_t width, uint16_t bitCount) {
    uint64_t bitsPerRow = static_cast<uint64_t>(width) * bitCount;
    return (bitsPerRow + 31) / 32 * 4;
}

bool CPackedDib::ReadBmpFile(const uint8_t* data, size_t length, int32_t& error) {
    error = kPictureBadFormat;
    if (!data || length < kFileHeaderSize + 4 || data[0] != 'B' || data[1] != 'M') {
        return false;
    }
    const uint8_t* info = data + kFileHeaderSize;
    size_t infoLength = length - kFileHeaderSize;
    uint32_t bitsOffset = Le32(data + 10);
    // Pixel rows lie at the file header's offset when it points inside the
    // file past the info header; otherwise they follow the colour table.
    const uint8_t* bits = nullptr;
    size_t bitsLength = 0;
    if (bitsOffset >= kFileHeaderSize + 40 && bitsOffset < length) {
        bits = data + bitsOffset;
        bitsLength = length - bitsOffset;
    }
    return ReadInfo(info, infoLength, bits, bitsLength, kMaxPackedSize, error);
}

bool CPackedDib::ReadPacked(const uint8_t* data, size_t length, int32_t& error,
                            uint64_t maxTotal) {
    error = kPictureBadFormat;
    if (!data) {
        return false;
    }
    return ReadInfo(data, length, nullptr, 0, maxTotal, error);
}

bool CPackedDib::ReadInfo(const uint8_t* info, size_t infoLength, const uint8_t* bits,
                          size_t bitsLength, uint64_t maxTotal, int32_t& error) {
    m_bytes.clear();
    error = kPictureBadFormat;
    if (infoLength < 40) {
        return false;
    }
    uint32_t infoSize = Le32(info);
    int32_t width = static_cast<int32_t>(Le32(info + 4));
    int32_t height = static_cast<int32_t>(Le32(info + 8));
    uint16_t planes = Le16(info + 12);
    uint16_t bitCount = Le16(info + 14);
    uint32_t compression = Le32(info + 16);
    uint32_t coloursUsed = Le32(info + 32);
    if (!IsKnownInfoSize(infoSize) || infoSize > infoLength || width <= 0 || height <= 0 ||
        planes != 1 || !IsKnownBitCount(bitCount) || compression != 0 || coloursUsed > 256) {
        return false;
    }
    uint64_t imageSize = StrideOf(width, bitCount) * static_cast<uint64_t>(height);
    if (imageSize > kMaxImageSize) {
        error = kPictureNoMemory;
        return false;
    }
    uint32_t colours = 0;
    if (bitCount <= 8) {
        colours = coloursUsed ? coloursUsed : 1u << bitCount;
    }
    uint64_t tableSize = 4ull * colours;
    if (infoSize + tableSize > infoLength) {
        return false;
    }
    if (!bits) {
        bits = info + infoSize + tableSize;
        bitsLength = infoLength - infoSize - tableSize;
    }
    if (bitsLength < imageSize) {
        return false;
    }
    uint64_t total = kHeaderSize + tableSize + imageSize;
    if (total > maxTotal) {
        error = kPictureNoMemory;
        return false;
    }
    m_bytes.assign(static_cast<size_t>(total), 0);
    WriteHeader(m_bytes.data(), width, height, bitCount, colours, static_cast<uint32_t>(imageSize));
    std::memcpy(Colours(), info + infoSize, static_cast<size_t>(tableSize));
    std::memcpy(Pixels(), bits, static_cast<size_t>(imageSize));
    error = kPictureOk;
    return true;
}

bool CPackedDib::Create(int32_t width, int32_t height, uint16_t bitCount, const uint8_t* colours) {
    m_bytes.clear();
    if (width <= 0 || height <= 0 || (bitCount != 4 && bitCount != 8)) {
        return false;
    }
    uint64_t imageSize = StrideOf(width, bitCount) * static_cast<uint64_t>(height);
    if (imageSize > kMaxImageSize) {
        return false;
    }
    uint32_t count = 1u << bitCount;
    if (kHeaderSize + 4 * count + imageSize > kMaxImageSize) {
        return false;
    }
    m_bytes.assign(kHeaderSize + 4 * count + static_cast<size_t>(imageSize), 0);
    WriteHeader(m_bytes.data(), width, height, bitCount, count, static_cast<uint32_t>(imageSize));
    std::memcpy(Colours(), colours, 4 * count);
    return true;
}

bool CPackedDib::BmpFileSize(const uint8_t* data, size_t length, int32_t& width, int32_t& height) {
    width = height = 0;
    if (!data || length < kFileHeaderSize + 12 || data[0] != 'B' || data[1] != 'M') {
        return false;
    }
    int32_t w = static_cast<int32_t>(Le32(data + 18));
    int32_t h = static_cast<int32_t>(Le32(data + 22));
    if (w <= 0 || h <= 0) {
        return false;
    }
    width = w;
    height = h;
    return true;
}

int32_t CPackedDib::Width() const { return static_cast<int32_t>(Le32(m_bytes.data() + 4)); }
int32_t CPackedDib::Height() const { return static_cast<int32_t>(Le32(m_bytes.data() + 8)); }
uint16_t CPackedDib::BitCount() const { return Le16(m_bytes.data() + 14); }
uint32_t CPackedDib::ColourCount() const { return Le32(m_bytes.data() + 32); }

uint8_t* CPackedDib::RowFromTop(int32_t yFromTop) {
    return Pixels() + static_cast<size_t>(Height() - 1 - yFromTop) * Stride();
}

const uint8_t* CPackedDib::RowFromTop(int32_t yFromTop) const {
    return Pixels() + static_cast<size_t>(Height() - 1 - yFromTop) * Stride();
}

uint8_t CPackedDib::IndexAt(int32_t x, int32_t yFromTop) const {
    const uint8_t* row = RowFromTop(yFromTop);
    switch (BitCount()) {
    case 1:
        return (row[x / 8] >> (7 - x % 8)) & 1;
    case 4:
        return (x % 2) ? row[x / 2] & 0x0F : row[x / 2] >> 4;
    case 8:
        return row[x];
    default:
        return row[static_cast<size_t>(x) * (BitCount() / 8)];
    }
}

void CPackedDib::SetIndex(int32_t x, int32_t yFromTop, uint8_t index) {
    uint8_t* row = RowFromTop(yFromTop);
    if (BitCount() == 4) {
        uint8_t& cell = row[x / 2];
        cell = (x % 2) ? static_cast<uint8_t>((cell & 0xF0) | (index & 0x0F))
                       : static_cast<uint8_t>((cell & 0x0F) | index << 4);
    } else if (BitCount() == 8) {
        row[x] = index;
    }
}

void CPackedDib::RgbAt(int32_t x, int32_t yFromTop, uint8_t rgb[3]) const {
    uint16_t bits = BitCount();
    if (bits <= 8) {
        uint8_t index = IndexAt(x, yFromTop);
        if (index >= ColourCount()) {
            rgb[0] = rgb[1] = rgb[2] = 0;
            return;
        }
        const uint8_t* entry = Colours() + 4 * index;
        rgb[0] = entry[2];
        rgb[1] = entry[1];
        rgb[2] = entry[0];
        return;
    }
    const uint8_t* row = RowFromTop(yFromTop);
    if (bits == 16) {
        uint16_t v = Le16(row + 2 * static_cast<size_t>(x));
        rgb[0] = static_cast<uint8_t>(((v >> 10) & 31) * 255 / 31);
        rgb[1] = static_cast<uint8_t>(((v >> 5) & 31) * 255 / 31);
        rgb[2] = static_cast<uint8_t>((v & 31) * 255 / 31);
        return;
    }
    const uint8_t* p = row + static_cast<size_t>(x) * (bits / 8);
    rgb[0] = p[2];
    rgb[1] = p[1];
    rgb[2] = p[0];
}
