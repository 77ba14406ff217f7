#include "GifCodec.h"

#include <array>
#include <cstring>

#include "PictureError.h"

namespace {

constexpr uint8_t kExtension = 0x21;
constexpr uint8_t kImage = 0x2C;
constexpr uint8_t kTrailer = 0x3B;
constexpr int kMaxCodes = 4096;
constexpr size_t kEncoderBlock = 254;

uint16_t Le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
void PutLe16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

// Row of the n-th decoded line of an interlaced image: rows 0, 8, 16 ...;
// 4, 12 ...; 2, 6 ...; 1, 3 ...
int32_t InterlacedRow(int32_t line, int32_t height) {
    static const int32_t kStart[4] = {0, 4, 2, 1};
    static const int32_t kStep[4] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass) {
        int32_t rows = height > kStart[pass] ? (height - kStart[pass] + kStep[pass] - 1) / kStep[pass] : 0;
        if (line < rows) {
            return kStart[pass] + line * kStep[pass];
        }
        line -= rows;
    }
    return height;
}

}  // namespace

// Bounded cursor over the GIF bytes, with the LSB-first code reader that
// crosses data sub-blocks.
class CGifCodec::Reader {
public:
    Reader(const uint8_t* data, size_t length) : m_data(data), m_length(length) {}

    bool Has(size_t count) const { return m_length - m_pos >= count; }
    const uint8_t* Take(size_t count) {
        const uint8_t* p = m_data + m_pos;
        m_pos += count;
        return p;
    }
    // Skips data sub-blocks up to and including the zero-length one.
    bool SkipSubBlocks() {
        for (;;) {
            if (!Has(1)) {
                return false;
            }
            uint8_t size = *Take(1);
            if (size == 0) {
                return true;
            }
            if (!Has(size)) {
                return false;
            }
            Take(size);
        }
    }
    // Next code of `width` bits: kPictureOk, kPictureEndOfData at a
    // zero-length sub-block, kPictureTruncated when the data runs out.
    int32_t ReadCode(int width, int& code) {
        while (m_bitCount < width) {
            if (m_blockLeft == 0) {
                if (!Has(1)) {
                    return kPictureTruncated;
                }
                m_blockLeft = *Take(1);
                if (m_blockLeft == 0) {
                    return kPictureEndOfData;
                }
            }
            if (!Has(1)) {
                return kPictureTruncated;
            }
            m_bits |= static_cast<uint32_t>(*Take(1)) << m_bitCount;
            m_bitCount += 8;
            --m_blockLeft;
        }
        code = static_cast<int>(m_bits & ((1u << width) - 1));
        m_bits >>= width;
        m_bitCount -= width;
        return kPictureOk;
    }

private:
    const uint8_t* m_data;
    size_t m_length;
    size_t m_pos = 0;
    uint32_t m_bits = 0;
    int m_bitCount = 0;
    uint8_t m_blockLeft = 0;
};

CPackedDib CGifCodec::Decode(const uint8_t* data, size_t length) {
    m_error = kPictureBadFormat;
    CPackedDib dib;
    if (!data || length < 3 || std::memcmp(data, "GIF", 3) != 0) {
        return dib;
    }
    Reader in(data, length);
    if (!in.Has(13)) {
        m_error = kPictureTruncated;
        return dib;
    }
    const uint8_t* screen = in.Take(13);
    uint8_t packed = screen[10];
    if (!(packed & 0x80)) {
        return dib;  // a global colour table is required
    }
    uint32_t globalCount = 2u << (packed & 7);
    if (!in.Has(3 * globalCount)) {
        m_error = kPictureTruncated;
        return dib;
    }
    const uint8_t* globalTable = in.Take(3 * globalCount);
    for (;;) {
        if (!in.Has(1)) {
            m_error = kPictureTruncated;
            return dib;
        }
        uint8_t introducer = *in.Take(1);
        if (introducer == 0) {
            continue;
        }
        if (introducer == kExtension) {
            if (!in.Has(1) || (in.Take(1), !in.SkipSubBlocks())) {
                m_error = kPictureTruncated;
                return dib;
            }
            continue;
        }
        if (introducer == kImage) {
            DecodeImage(in, globalTable, globalCount, dib);
            return dib;
        }
        if (introducer == kTrailer) {
            m_error = kPictureTruncated;  // no image at all
        }
        return dib;
    }
}

bool CGifCodec::DecodeImage(Reader& in, const uint8_t* globalTable, uint32_t globalCount,
                            CPackedDib& dib) {
    m_error = kPictureTruncated;
    if (!in.Has(9)) {
        return false;
    }
    const uint8_t* descriptor = in.Take(9);
    int32_t width = Le16(descriptor + 4);
    int32_t height = Le16(descriptor + 6);
    uint8_t packed = descriptor[8];
    if (width == 0 || height == 0) {
        m_error = kPictureZeroSize;
        return false;
    }
    const uint8_t* table = globalTable;
    uint32_t count = globalCount;
    if (packed & 0x80) {
        count = 2u << (packed & 7);
        if (!in.Has(3 * count)) {
            return false;
        }
        table = in.Take(3 * count);
    }
    std::array<uint8_t, 4 * 256> quads{};
    for (uint32_t i = 0; i < count; ++i) {
        quads[4 * i] = table[3 * i + 2];
        quads[4 * i + 1] = table[3 * i + 1];
        quads[4 * i + 2] = table[3 * i];
    }
    if (!in.Has(1)) {
        return false;
    }
    int minCodeSize = *in.Take(1);
    if (minCodeSize < 1 || minCodeSize > 8) {
        m_error = kPictureBadCode;
        return false;
    }
    uint16_t bitCount = minCodeSize <= 4 ? 4 : 8;
    if (!dib.Create(width, height, bitCount, quads.data())) {
        m_error = kPictureNoMemory;
        return false;
    }

    const int clear = 1 << minCodeSize;
    const int end = clear + 1;
    std::array<uint16_t, kMaxCodes> prefix{};
    std::array<uint8_t, kMaxCodes> suffix{};
    std::array<uint8_t, kMaxCodes> stack{};
    for (int i = 0; i < clear; ++i) {
        suffix[i] = static_cast<uint8_t>(i);
    }
    int width_ = minCodeSize + 1;
    int next = clear + 2;
    int previous = -1;
    uint8_t first = 0;
    const bool interlaced = (packed & 0x40) != 0;
    int64_t pixel = 0;
    const int64_t total = static_cast<int64_t>(width) * height;

    while (pixel < total) {
        int code = 0;
        int32_t status = in.ReadCode(width_, code);
        if (status == kPictureEndOfData) {
            break;  // remaining pixels stay 0
        }
        if (status != kPictureOk) {
            m_error = status;
            dib = CPackedDib();
            return false;
        }
        if (code == clear) {
            width_ = minCodeSize + 1;
            next = clear + 2;
            previous = -1;
            continue;
        }
        if (code == end) {
            break;
        }
        int depth = 0;
        if (previous < 0) {
            if (code >= clear) {
                m_error = kPictureBadCode;  // the first code after a clear is a literal
                dib = CPackedDib();
                return false;
            }
            stack[depth++] = static_cast<uint8_t>(code);
        } else {
            if (code > next || (code == next && next >= kMaxCodes)) {
                m_error = kPictureBadCode;
                dib = CPackedDib();
                return false;
            }
            int walk = code;
            if (code == next) {
                stack[depth++] = first;
                walk = previous;
            }
            while (walk >= clear) {
                stack[depth++] = suffix[walk];
                walk = prefix[walk];
            }
            stack[depth++] = static_cast<uint8_t>(walk);
            if (next < kMaxCodes) {
                prefix[next] = static_cast<uint16_t>(previous);
                suffix[next] = static_cast<uint8_t>(walk);
                ++next;
                if (next == (1 << width_) && width_ < 12) {
                    ++width_;
                }
            }
        }
        first = stack[depth - 1];
        previous = code;
        while (depth > 0 && pixel < total) {
            int32_t line = static_cast<int32_t>(pixel / width);
            int32_t row = interlaced ? InterlacedRow(line, height) : line;
            dib.SetIndex(static_cast<int32_t>(pixel % width), row, stack[--depth]);
            ++pixel;
        }
    }
    m_error = kPictureOk;
    return true;
}

bool CGifCodec::ImageSize(const uint8_t* data, size_t length, int32_t& width, int32_t& height) {
    width = height = 0;
    if (!data || length < 13 || std::memcmp(data, "GIF", 3) != 0) {
        return false;
    }
    Reader in(data, length);
    uint8_t packed = in.Take(13)[10];
    if (packed & 0x80) {
        size_t tableSize = 3 * (2u << (packed & 7));
        if (!in.Has(tableSize)) {
            return false;
        }
        in.Take(tableSize);
    }
    while (in.Has(1)) {
        uint8_t introducer = *in.Take(1);
        if (introducer == 0) {
            continue;
        }
        if (introducer == kExtension) {
            if (!in.Has(1) || (in.Take(1), !in.SkipSubBlocks())) {
                return false;
            }
            continue;
        }
        if (introducer != kImage || !in.Has(9)) {
            return false;
        }
        const uint8_t* descriptor = in.Take(9);
        width = Le16(descriptor + 4);
        height = Le16(descriptor + 6);
        return true;
    }
    return false;
}

namespace {

// LZW code writer: packs codes LSB first into sub-blocks of at most 254
// bytes, each preceded by its length byte.
class CodeWriter {
public:
    explicit CodeWriter(std::vector<uint8_t>& out) : m_out(out) {}
    void Put(int code, int width) {
        m_bits |= static_cast<uint32_t>(code) << m_bitCount;
        m_bitCount += width;
        while (m_bitCount >= 8) {
            PutByte(static_cast<uint8_t>(m_bits));
            m_bits >>= 8;
            m_bitCount -= 8;
        }
    }
    void Finish() {
        if (m_bitCount > 0) {
            PutByte(static_cast<uint8_t>(m_bits));
        }
        Flush();
        m_out.push_back(0);
    }

private:
    void PutByte(uint8_t byte) {
        m_block[m_blockLength++] = byte;
        if (m_blockLength == kEncoderBlock) {
            Flush();
        }
    }
    void Flush() {
        if (m_blockLength == 0) {
            return;
        }
        m_out.push_back(static_cast<uint8_t>(m_blockLength));
        m_out.insert(m_out.end(), m_block.begin(), m_block.begin() + m_blockLength);
        m_blockLength = 0;
    }

    std::vector<uint8_t>& m_out;
    std::array<uint8_t, kEncoderBlock> m_block{};
    size_t m_blockLength = 0;
    uint32_t m_bits = 0;
    int m_bitCount = 0;
};

constexpr size_t kHashSlots = 8192;
constexpr uint32_t kEmptySlot = 0xFFFFFFFFu;
constexpr int kEncoderCodeLimit = 4095;

}  // namespace

std::vector<uint8_t> CGifCodec::Encode(const CPackedDib& dib) {
    std::vector<uint8_t> out;
    m_error = kPictureBadFormat;
    if (dib.IsEmpty() || (dib.BitCount() != 4 && dib.BitCount() != 8) || dib.Width() > 0xFFFF ||
        dib.Height() > 0xFFFF) {
        return out;
    }
    const int bits = dib.BitCount();
    const int32_t width = dib.Width();
    const int32_t height = dib.Height();
    const char* signature = "GIF89a";
    out.insert(out.end(), signature, signature + 6);
    PutLe16(out, static_cast<uint32_t>(width));
    PutLe16(out, static_cast<uint32_t>(height));
    out.push_back(static_cast<uint8_t>(0x80 | (bits - 1) << 4 | (bits - 1)));
    out.push_back(0);
    out.push_back(0);
    const uint32_t tableCount = 1u << bits;
    for (uint32_t i = 0; i < tableCount; ++i) {
        const uint8_t* quad = dib.Colours() + 4 * i;
        bool present = i < dib.ColourCount();
        out.push_back(present ? quad[2] : 0);
        out.push_back(present ? quad[1] : 0);
        out.push_back(present ? quad[0] : 0);
    }
    out.push_back(kImage);
    PutLe16(out, 0);
    PutLe16(out, 0);
    PutLe16(out, static_cast<uint32_t>(width));
    PutLe16(out, static_cast<uint32_t>(height));
    out.push_back(static_cast<uint8_t>(bits - 1));
    out.push_back(static_cast<uint8_t>(bits));

    const int clear = 1 << bits;
    const int end = clear + 1;
    std::vector<uint32_t> hash(kHashSlots, kEmptySlot);
    CodeWriter writer(out);
    int codeWidth = bits + 1;
    int next = clear + 2;
    auto writeCode = [&](int code) {
        writer.Put(code, codeWidth);
        if (next == (1 << codeWidth) && codeWidth < 12) {
            ++codeWidth;
        }
    };
    writeCode(clear);
    int prefixCode = -1;
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            uint8_t pixel = dib.IndexAt(x, y);
            if (prefixCode < 0) {
                prefixCode = pixel;
                continue;
            }
            uint32_t key = static_cast<uint32_t>(prefixCode) << 8 | pixel;
            size_t slot = ((key >> 12) ^ key) & (kHashSlots - 1);
            while (hash[slot] != kEmptySlot && hash[slot] >> 12 != key) {
                slot = (slot + 1) & (kHashSlots - 1);
            }
            if (hash[slot] != kEmptySlot) {
                prefixCode = static_cast<int>(hash[slot] & 0xFFF);
                continue;
            }
            writeCode(prefixCode);
            prefixCode = pixel;
            if (next < kEncoderCodeLimit) {
                hash[slot] = key << 12 | static_cast<uint32_t>(next);
                ++next;
            } else {
                writeCode(clear);
                std::fill(hash.begin(), hash.end(), kEmptySlot);
                codeWidth = bits + 1;
                next = clear + 2;
            }
        }
    }
    writeCode(prefixCode);
    writeCode(end);
    writer.Finish();
    out.push_back(kTrailer);
    m_error = kPictureOk;
    return out;
}
