#include "ZrObjectRef.h"

#include "TvlNdr.h"
#include "ZrKind.h"

namespace {
constexpr bool kLittleEndian = false;
}

CZrObjectRef::CZrObjectRef() : ownerId(0), kind(0), id(0), parentId(0) {}

bool CZrObjectRef::Read(TvlNdr& reader, uint32_t localId)
{
    if (!reader.GetLong(ownerId) || !reader.GetKind(kind) || !reader.GetLong(id) ||
        !reader.GetLong(parentId, kLittleEndian))
        return false;
    kind = ZrKindForOwner(kind, ownerId, localId);
    return true;
}

void CZrObjectRef::Write(TvlNdr& writer) const
{
    writer.PutLong(ownerId);
    writer.PutShort(static_cast<uint16_t>(ZrKindLow7(kind)));
    writer.PutLong(id);
    writer.PutLong(parentId, kLittleEndian);
}
