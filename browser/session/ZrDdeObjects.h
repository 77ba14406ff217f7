// How the DDE session finds the objects of the place tree by identifier and
// which numbers it gives them in its items.
#pragma once

#include <cstdint>

class CZrGroup;
class CZrObject;
class CZrPerson;

namespace ZrDdeObjects {

// The value an item carries for "none" in a 32-bit field.
constexpr uint32_t kMinusOne = 0xFFFFFFFF;

// The member of the place with the identifier, depth first in member order
// below the place (the place itself is not a member); null for 0 or none.
CZrObject* Find(CZrObject& place, uint32_t id);
CZrPerson* FindPerson(CZrObject& place, uint32_t id);
bool IsGroup(const CZrObject& object);
bool IsPerson(const CZrObject& object);
// A group: its kind word with 0x100; a person: 512, or 513 for the own
// user; anything else 0.
uint32_t KindWord(const CZrObject& object);
// Where an object stands: -1 in the standing group 1025 (or nowhere), 0 in
// the room 1024, else its container's identifier.
uint32_t ContainerValue(const CZrObject& object);
// The 16-bit attribute of an object: the seat of its position.
uint32_t Attribute(const CZrObject& object);
// The own user stands in the room 1024, alone or inside a group there.
bool IsInRoom(const CZrPerson& myself);
// The own user's container is a group (kind bit 9).
CZrGroup* OwnGroup(const CZrPerson& myself);

} // namespace ZrDdeObjects
