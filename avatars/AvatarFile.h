// CAvatarFile: one animated gesture or avatar file "<name>.zra": a name,
// display flags, a still picture, an animation strip whose frames stand side
// by side, and an optional sound. All numbers in the file are big-endian.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class CAvatarFile {
public:
    // Which blocks Load keeps.
    enum LoadFlags : uint32_t {
        kLoadStill = 0x01,
        kLoadStrip = 0x02,
        kLoadSound = 0x04,
    };
    // Display flags stored in the file.
    enum Flags : uint8_t {
        kPlayOption1 = 0x01,
        kPlayOption2 = 0x02,
        kTransparent = 0x04,
        kSound = 0x08,
        kPlayOption16 = 0x10,
    };
    static constexpr uint32_t kMaxStillLength = 64000;
    // Largest strip or sound block: the largest object that can be sent.
    static constexpr uint32_t kMaxBlockLength = 130048;

    CAvatarFile() = default;

    // Reads folder + separator + lower-case name + ".zra". 1 on success, 0
    // on failure (the object then holds the given name and no blocks).
    int Load(const std::string& folder, const std::string& name, uint32_t flags);
    // The same from the bytes of a file already read.
    int LoadBytes(const uint8_t* data, size_t length, uint32_t flags);
    // Writes the object as version "0101" into folder/<lower-case name>.zra.
    bool Save(const std::string& folder) const;
    std::vector<uint8_t> Serialize() const;
    void FreeBlocks();

    // A name that may be joined into a path: not empty, no separators, no "..".
    static bool IsSafeName(const std::string& name);
    static std::string FileNameOf(const std::string& folder, const std::string& name);

    std::string GetName() const { return m_name; }
    std::string FormatNameSuffix() const { return " (" + m_name + ")"; }

    uint8_t GetFlags() const { return m_head[3]; }
    bool HasPlayOption1() const { return (GetFlags() & kPlayOption1) != 0; }
    bool HasPlayOption2() const { return (GetFlags() & kPlayOption2) != 0; }
    bool IsTransparent() const { return (GetFlags() & kTransparent) != 0; }
    bool HasSound() const { return (GetFlags() & kSound) != 0; }
    bool HasPlayOption16() const { return (GetFlags() & kPlayOption16) != 0; }

    uint16_t GetFrameWidth() const { return m_frameWidth; }
    // Frames in a strip of the given width: 1 when the frame width is 0.
    uint32_t FrameCount(int32_t stripWidth) const;
    // Key colour laid out blue << 16 | green << 8 | red.
    uint32_t GetKeyColour() const { return m_keyColour; }
    uint8_t GetPlayParameter1() const { return m_param1; }
    uint8_t GetPlayParameter2() const { return m_param2; }
    uint8_t GetThirdParameter() const { return m_param3; }

    const std::vector<uint8_t>& GetStill() const { return m_still; }
    const std::vector<uint8_t>& GetStrip() const { return m_strip; }
    const std::vector<uint8_t>& GetSound() const { return m_sound; }

    void SetName(const std::string& name) { m_name = name; }
    void SetFlags(uint8_t flags) { m_head[3] = flags; }
    void SetFrameWidth(uint16_t width) { m_frameWidth = width; }
    void SetKeyColour(uint32_t colour) { m_keyColour = colour & 0xFFFFFF; }
    void SetPlayParameters(uint8_t first, uint8_t second, uint8_t third);
    void SetStill(std::vector<uint8_t> bytes) { m_still = std::move(bytes); }
    void SetStrip(std::vector<uint8_t> bytes) { m_strip = std::move(bytes); }
    void SetSound(std::vector<uint8_t> bytes) { m_sound = std::move(bytes); }

private:
    class Cursor;
    bool ReadBlock(Cursor& in, uint32_t limit, std::vector<uint8_t>& block);

    std::string m_name;
    uint8_t m_head[4] = {};  // three reserved bytes, then the flags
    uint16_t m_frameWidth = 0;
    uint32_t m_keyColour = 0;
    std::vector<uint8_t> m_strip;
    std::vector<uint8_t> m_sound;
    std::vector<uint8_t> m_still;
    uint8_t m_param1 = 0;
    uint8_t m_param2 = 0;
    uint8_t m_param3 = 0;
};
