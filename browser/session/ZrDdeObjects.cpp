#include "ZrDdeObjects.h"

#include "ZrGroup.h"
#include "ZrPerson.h"

namespace ZrDdeObjects {

CZrObject* Find(CZrObject& place, uint32_t id)
{
    CZrGroup* group = place.AsGroup();
    if (id == 0 || !group)
        return nullptr;
    for (CTvlListIter it = group->Children().Begin(); it.IsValid(); it.Next()) {
        CZrObject* member = it.Get<CZrObject>();
        if (member->GetId() == id)
            return member;
        if (!IsPerson(*member)) {
            if (CZrObject* found = Find(*member, id))
                return found;
        }
    }
    return nullptr;
}

CZrPerson* FindPerson(CZrObject& place, uint32_t id)
{
    CZrObject* found = Find(place, id);
    return found && IsPerson(*found) ? static_cast<CZrPerson*>(found) : nullptr;
}

bool IsGroup(const CZrObject& object)
{
    return object.IsContainer();
}

bool IsPerson(const CZrObject& object)
{
    return object.HasBit8();
}

uint32_t KindWord(const CZrObject& object)
{
    if (IsGroup(object))
        return object.GetKind() | kZrKindPerson;
    if (IsPerson(object))
        return ZrKindIsOwnPerson(object.GetKind()) ? 513 : 512;
    return 0;
}

uint32_t ContainerValue(const CZrObject& object)
{
    const CZrGroup* container = object.GetParent();
    if (!container || container->IsCorridor())
        return kMinusOne;
    if (container->IsRoom())
        return 0;
    return container->GetId();
}

uint32_t Attribute(const CZrObject& object)
{
    return object.GetPosition().GetId();
}

bool IsInRoom(const CZrPerson& myself)
{
    for (const CZrGroup* group = myself.GetParent(); group; group = group->GetParent()) {
        if (group->IsRoom())
            return true;
    }
    return false;
}

CZrGroup* OwnGroup(const CZrPerson& myself)
{
    CZrGroup* container = myself.GetParent();
    return container && (container->GetKind() & kZrKindGroup) != 0 ? container : nullptr;
}

} // namespace ZrDdeObjects
