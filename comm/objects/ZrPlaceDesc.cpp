#include "ZrPlaceDesc.h"

#include "TvlNdr.h"
#include "ZrKind.h"

CZrPlaceDesc::CZrPlaceDesc() : CZrObjectDesc(kZrKindPlace) {}

bool CZrPlaceDesc::Read(TvlNdr& reader)
{
    uint16_t members;
    uint16_t places;
    if (!reader.GetKind(kind) || (kind & kZrKindPlace) == 0 || !reader.GetText(name) || !reader.GetText(title) ||
        !reader.GetShort(members) || !reader.GetLong(id) || !reader.GetLong(observerCount) ||
        !reader.GetShort(places))
        return false;
    memberCount = members;
    capacity = places;
    return !ZrKindIsReplicated(kind) || (reader.GetByte(copyNumber) && copyNumber != 0);
}

void CZrPlaceDesc::Write(TvlNdr& writer) const
{
    writer.PutShort(static_cast<uint16_t>(kind));
    writer.PutText(name);
    writer.PutText(title);
    writer.PutShort(static_cast<uint16_t>(memberCount));
    writer.PutLong(id);
    writer.PutLong(observerCount);
    writer.PutShort(capacity);
    if (ZrKindIsReplicated(kind))
        writer.PutByte(copyNumber);
}

bool CZrPlaceDesc::ReadUpdate(TvlNdr& reader, bool& applied)
{
    applied = false;
    uint32_t newId;
    uint32_t observers;
    uint16_t places;
    uint8_t copy;
    if (!reader.GetLong(newId) || !reader.GetLong(observers) || !reader.GetShort(places) ||
        !reader.GetByte(copy))
        return false;
    if (copy <= copyNumber)
        return true;
    id = newId;
    observerCount = observers;
    capacity = places;
    copyNumber = copy;
    applied = true;
    return true;
}
