#include "AvatarFile.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>

namespace {

constexpr char kMagic[4] = {'Z', 'R', 'A', 'G'};
constexpr char kVersion[4] = {'0', '1', '0', '1'};
constexpr size_t kReservedTail = 28;
// Largest file worth reading: the longest header and the three blocks.
constexpr size_t kMaxFileLength = 49 + 255 + 12 + CAvatarFile::kMaxStillLength +
                                  2 * CAvatarFile::kMaxBlockLength;

#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

std::string LowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

void PutBe32(std::vector<uint8_t>& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<uint8_t>(v >> shift));
    }
}

}  // namespace

// Bounded big-endian reader over the file's bytes.
class CAvatarFile::Cursor {
public:
    Cursor(const uint8_t* data, size_t length) : m_data(data), m_length(length) {}
    size_t Left() const { return m_length - m_pos; }
    bool Has(size_t count) const { return Left() >= count; }
    const uint8_t* Take(size_t count) {
        const uint8_t* p = m_data + m_pos;
        m_pos += count;
        return p;
    }
    uint32_t Be(size_t count) {
        uint32_t v = 0;
        for (const uint8_t* p = Take(count); count > 0; --count) {
            v = v << 8 | *p++;
        }
        return v;
    }

private:
    const uint8_t* m_data;
    size_t m_length;
    size_t m_pos = 0;
};

bool CAvatarFile::IsSafeName(const std::string& name) {
    return !name.empty() && name.find_first_of("\\/:") == std::string::npos &&
           name.find("..") == std::string::npos && name.find('\0') == std::string::npos;
}

std::string CAvatarFile::FileNameOf(const std::string& folder, const std::string& name) {
    return folder + kSeparator + LowerCase(name) + ".zra";
}

void CAvatarFile::FreeBlocks() {
    m_name.clear();
    std::memset(m_head, 0, sizeof m_head);
    m_frameWidth = 0;
    m_keyColour = 0;
    m_strip.clear();
    m_sound.clear();
    m_still.clear();
    m_param1 = m_param2 = m_param3 = 0;
}

void CAvatarFile::SetPlayParameters(uint8_t first, uint8_t second, uint8_t third) {
    m_param1 = first;
    m_param2 = second;
    m_param3 = third;
}

uint32_t CAvatarFile::FrameCount(int32_t stripWidth) const {
    if (m_frameWidth == 0) {
        return 1;
    }
    return stripWidth > 0 ? static_cast<uint32_t>(stripWidth) / m_frameWidth : 0;
}

int CAvatarFile::Load(const std::string& folder, const std::string& name, uint32_t flags) {
    FreeBlocks();
    m_name = name;
    if (!IsSafeName(name)) {
        return 0;
    }
    std::FILE* file = std::fopen(FileNameOf(folder, name).c_str(), "rb");
    if (!file) {
        return 0;
    }
    std::vector<uint8_t> bytes(kMaxFileLength);
    size_t got = std::fread(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    int loaded = LoadBytes(bytes.data(), got, flags);
    if (!loaded) {
        m_name = name;
    }
    return loaded;
}

bool CAvatarFile::ReadBlock(Cursor& in, uint32_t limit, std::vector<uint8_t>& block) {
    if (!in.Has(4)) {
        block.clear();  // the file ends before the block: nothing of it
        return true;
    }
    uint32_t length = in.Be(4);
    if (length > limit) {
        return false;
    }
    // A file that ends early gives the bytes it holds.
    size_t available = std::min<size_t>(length, in.Left());
    const uint8_t* p = in.Take(available);
    block.assign(p, p + available);
    return true;
}

int CAvatarFile::LoadBytes(const uint8_t* data, size_t length, uint32_t flags) {
    std::string given = m_name;
    FreeBlocks();
    m_name = given;
    if (!data) {
        return 0;
    }
    Cursor in(data, length);
    if (!in.Has(9) || std::memcmp(in.Take(4), kMagic, 4) != 0 ||
        std::memcmp(in.Take(4), kVersion, 4) > 0) {
        return 0;
    }
    size_t nameLength = *in.Take(1);
    if (!in.Has(nameLength + 4 + 2 + 3 + 3 + kReservedTail)) {
        return 0;
    }
    const uint8_t* name = in.Take(nameLength);
    std::memcpy(m_head, in.Take(4), 4);
    m_frameWidth = static_cast<uint16_t>(in.Be(2));
    m_keyColour = in.Be(3);
    m_param1 = *in.Take(1);
    m_param2 = *in.Take(1);
    m_param3 = *in.Take(1);
    in.Take(kReservedTail);
    m_name.assign(reinterpret_cast<const char*>(name), nameLength);

    bool fine = true;
    if (flags & (kLoadStill | kLoadStrip | kLoadSound)) {
        fine = ReadBlock(in, kMaxStillLength, m_still);
        if (!(flags & kLoadStill)) {
            m_still.clear();
        }
    }
    if (fine && (flags & (kLoadStrip | kLoadSound))) {
        fine = ReadBlock(in, kMaxBlockLength, m_strip);
        if (!(flags & kLoadStrip)) {
            m_strip.clear();
        }
        if (!(flags & kLoadSound)) {
            m_head[3] &= static_cast<uint8_t>(~kSound);
        }
        if (fine && HasSound()) {
            fine = ReadBlock(in, kMaxBlockLength, m_sound);
        }
    }
    if (!fine) {
        FreeBlocks();
        m_name = given;
        return 0;
    }
    return 1;
}

std::vector<uint8_t> CAvatarFile::Serialize() const {
    std::vector<uint8_t> out;
    out.reserve(49 + m_name.size() + 12 + m_still.size() + m_strip.size() + m_sound.size());
    out.insert(out.end(), kMagic, kMagic + 4);
    out.insert(out.end(), kVersion, kVersion + 4);
    size_t nameLength = std::min<size_t>(m_name.size(), 255);
    out.push_back(static_cast<uint8_t>(nameLength));
    out.insert(out.end(), m_name.begin(), m_name.begin() + static_cast<std::ptrdiff_t>(nameLength));
    out.insert(out.end(), m_head, m_head + 4);
    out.push_back(static_cast<uint8_t>(m_frameWidth >> 8));
    out.push_back(static_cast<uint8_t>(m_frameWidth));
    for (int shift = 16; shift >= 0; shift -= 8) {
        out.push_back(static_cast<uint8_t>(m_keyColour >> shift));
    }
    out.push_back(m_param1);
    out.push_back(m_param2);
    out.push_back(m_param3);
    out.insert(out.end(), kReservedTail, 0);
    auto putBlock = [&out](const std::vector<uint8_t>& block) {
        PutBe32(out, static_cast<uint32_t>(block.size()));
        out.insert(out.end(), block.begin(), block.end());
    };
    putBlock(m_still);
    putBlock(m_strip);
    if (HasSound()) {
        putBlock(m_sound);
    }
    return out;
}

bool CAvatarFile::Save(const std::string& folder) const {
    if (!IsSafeName(m_name) || m_name.size() > 255 || m_still.size() > kMaxStillLength ||
        m_strip.size() > kMaxBlockLength || m_sound.size() > kMaxBlockLength) {
        return false;
    }
    std::vector<uint8_t> bytes = Serialize();
    std::FILE* file = std::fopen(FileNameOf(folder, m_name).c_str(), "wb");
    if (!file) {
        return false;
    }
    bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}
