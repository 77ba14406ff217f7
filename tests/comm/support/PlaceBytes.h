// PlaceBytes: the server's messages to a client place, written with the
// test encoders rather than the library's builders.
#pragma once

#include <cstdint>
#include <string>

#include "TreeBytes.h"
#include "WireEncoder.h"

namespace PlaceBytes {

// A place operation (type 15): key, object, operation code, fields.
inline Bytes Op(uint32_t key, uint32_t about, uint32_t op, const Bytes& fields = {}, uint32_t flags = 0)
{
    return CWireEncoder().Header(15, flags).U16(key).U32(about).U16(op).Raw(fields);
}

inline Bytes Fields(const TreeBytes& bytes)
{
    return bytes.Bytes();
}

struct WelcomeFields {
    uint32_t member = 7;
    std::string name = "ann";
    uint32_t kind = 0x100;
    uint32_t place = 100;
    uint32_t corridor = 101;
    uint32_t room = 102;
    uint32_t entryCount = 0;
    uint32_t flags = 0;
    std::string fullName;
};

inline Bytes Welcome(uint32_t key, const WelcomeFields& w)
{
    CWireEncoder e;
    e.Header(12).U16(key).U32(w.member).Text(w.name).U16(w.kind).U32(w.place).U32(w.corridor).U32(w.room);
    e.U16(w.entryCount).U16(w.flags);
    if (!w.fullName.empty())
        e.Text(w.fullName);
    return e;
}

// Group 1024 in its object form with the given person children (each a
// TreeBytes::PersonChild) and no host.
inline TreeBytes Room(uint32_t id, uint32_t capacity, const TreeBytes& children, uint32_t count)
{
    return TreeBytes().GroupHead(id, "lobby", capacity, 0, count).Append(children).NoHost();
}

// The enter answer (operation 3 fields): place id, kind, name, numeric
// selector, group 1025, group 1024, flag, last text.
inline TreeBytes Snapshot2(uint32_t place, const TreeBytes& room, uint32_t flag = 0,
                           const std::string& last = "welcome", uint32_t kind = 0x800, uint32_t number = 3)
{
    return TreeBytes()
        .U32(place)
        .U16(kind)
        .Text("http://page/")
        .U8(1)
        .U8(number)
        .U32(101)
        .Append(room)
        .U16(flag)
        .Text(last);
}

// A message of another type with the recipient first.
inline CWireEncoder To(uint32_t type, uint32_t recipient, uint32_t flags = 0)
{
    CWireEncoder e;
    e.Header(type, flags).U32(recipient);
    return e;
}

// The sender record of a text: id, kind, name, mode, little-endian value.
inline CWireEncoder& TextRecord(CWireEncoder& e, uint32_t sender, const std::string& name, uint32_t value = 0)
{
    return e.U32(sender).U16(0x100).Text(name).U8(0).U32Le(value);
}

} // namespace PlaceBytes
