// TreeBytes: a tiny byte-string builder for the object tree's tests, written
// apart from the production coder so that a coding mistake made the same way
// on both sides still shows.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class TreeBytes {
public:
    TreeBytes& U8(uint32_t v)
    {
        m_bytes.push_back(static_cast<uint8_t>(v));
        return *this;
    }
    TreeBytes& U16(uint32_t v) { return U8(v >> 8).U8(v); }
    TreeBytes& U32(uint32_t v) { return U16(v >> 16).U16(v); }
    TreeBytes& U32Le(uint32_t v) { return U8(v).U8(v >> 8).U8(v >> 16).U8(v >> 24); }
    TreeBytes& Text(const std::string& s)
    {
        U16(static_cast<uint32_t>(s.size()));
        m_bytes.insert(m_bytes.end(), s.begin(), s.end());
        return *this;
    }
    TreeBytes& Blob(const std::string& s)
    {
        U32(static_cast<uint32_t>(s.size()));
        m_bytes.insert(m_bytes.end(), s.begin(), s.end());
        return *this;
    }
    TreeBytes& Append(const TreeBytes& other)
    {
        m_bytes.insert(m_bytes.end(), other.m_bytes.begin(), other.m_bytes.end());
        return *this;
    }

    // Positions: kind byte, then the seat, the pair or the name.
    TreeBytes& NoPosition() { return U8(0); }
    TreeBytes& Seat(uint32_t seat) { return U8(1).U16(seat); }
    TreeBytes& XY(uint32_t x, uint32_t y) { return U8(2).U16(x).U16(y); }

    // The short info form without items: flag 0, name, serial, data flag,
    // an empty item table.
    TreeBytes& ShortInfo(const std::string& name, uint32_t serial = 0, uint32_t dataFlag = 0)
    {
        return U8(0).Text(name).U8(serial).U8(dataFlag).U16(0);
    }
    // A person's info tail: four texts and the little-endian value.
    TreeBytes& PersonTail(uint32_t value = 0) { return Text("").Text("").Text("").Text("").U32Le(value); }

    // Object forms as a group writes its children: u16 kind, then the form.
    TreeBytes& PersonChild(uint32_t id, const std::string& name, uint32_t kind = 0x100,
                           const TreeBytes& position = TreeBytes().NoPosition())
    {
        return U16(kind).U32(id).Append(position).ShortInfo(name).PersonTail().U8(1).U16(0);
    }
    // Opens a group form: identifier, position, info with capacity and
    // flags, then the child count; the children and HostTail follow.
    TreeBytes& GroupHead(uint32_t id, const std::string& name, uint32_t capacity, uint32_t flags,
                         uint32_t childCount, const TreeBytes& position = TreeBytes().NoPosition())
    {
        return U32(id).Append(position).ShortInfo(name).U16(capacity).U16(flags).U16(childCount);
    }
    TreeBytes& NoHost() { return U8(0); }
    TreeBytes& Host(uint32_t id) { return U8(1).U32(id); }

    const std::vector<uint8_t>& Bytes() const { return m_bytes; }
    const uint8_t* Data() const { return m_bytes.data(); }
    uint32_t Size() const { return static_cast<uint32_t>(m_bytes.size()); }

private:
    std::vector<uint8_t> m_bytes;
};
