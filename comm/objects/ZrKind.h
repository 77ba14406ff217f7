// Kind words of the replicated object tree and their tests.
//
// A kind is a 16-bit word kept in a 32-bit field. Bits 8-15 name the class
// (exactly one is set in a valid kind: person, group, standing group, place),
// bit 7 marks the local user's own objects and bits 0-6 are a subtype.
#pragma once

#include <cstdint>

constexpr uint32_t kZrKindPerson = 0x100;
constexpr uint32_t kZrKindGroup = 0x200;
constexpr uint32_t kZrKindStanding = 0x400;
constexpr uint32_t kZrKindPlace = 0x800;
constexpr uint32_t kZrKindOwn = 0x80;
constexpr uint32_t kZrKindContainerMask = 0xE00;
// The place's two standing groups.
constexpr uint32_t kZrKindRoom = 1024;
constexpr uint32_t kZrKindCorridor = 1025;

// Exactly one of bits 8-15 is set: the validity test of a kind word.
constexpr bool ZrKindCountBits8To15(uint32_t a)
{
    const uint32_t high = (a >> 8) & 0xFF;
    return high != 0 && (high & (high - 1)) == 0;
}

// Own person: bits 7 and 8 both set.
constexpr bool ZrKindIsOwnPerson(uint32_t a) { return (a & 0x180) == 0x180; }
// Other person: bit 8 set, bit 7 clear.
constexpr bool ZrKindIsOtherPerson(uint32_t a) { return (a & 0x180) == 0x100; }
// A person whose subtype lies in 16-31.
constexpr bool ZrKindIsModerator(uint32_t a)
{
    const uint32_t low = a & 0x7F;
    return (a & 0x100) != 0 && low >= 16 && low <= 31;
}
constexpr bool ZrKindIsListed(uint32_t a) { return (a & 0x880) == 0x880; }
// A replicated place: one of several numbered copies.
constexpr bool ZrKindIsReplicated(uint32_t a) { return (a & 0x840) == 0x840; }
// A private room.
constexpr bool ZrKindIsPrivateRoom(uint32_t a) { return (a & 0x820) == 0x820; }
// A plain room.
constexpr bool ZrKindIsPlainRoom(uint32_t a) { return (a & 0x820) == 0x800; }

// A place kind keeps its high byte and its low 5 bits; other kinds are left
// as they are.
constexpr uint32_t ZrNormalisePlaceKind(uint32_t a) { return (a & kZrKindPlace) != 0 ? a & ~0xE0u : a; }
// A person kind keeps its high byte and its low 7 bits.
constexpr uint32_t ZrNormalisePersonKind(uint32_t a) { return a & 0xFF7F; }
constexpr uint32_t ZrKindLow7(uint32_t a) { return a & ~kZrKindOwn; }
constexpr uint32_t ZrKindSetBit7(uint32_t a) { return a | kZrKindOwn; }

// A kind read together with the identifier of its owner carries bit 7 when
// that owner is the local user.
constexpr uint32_t ZrKindForOwner(uint32_t kind, uint32_t ownerId, uint32_t localId)
{
    return ownerId != 0 && ownerId == localId ? ZrKindSetBit7(kind) : kind;
}
