#include "ZrPersonDesc.h"

#include "TvlNdr.h"
#include "ZrKind.h"

namespace {
constexpr bool kLittleEndian = false;
}

CZrPersonDesc::CZrPersonDesc()
    : CZrObjectDesc(kZrKindPerson), placeKind(0), parentId(0), parentKind(0), parentFlag(0)
{
}

bool CZrPersonDesc::Read(TvlNdr& reader, uint32_t localId)
{
    if (!reader.GetLong(id) || !reader.GetKind(kind) || (kind & kZrKindPerson) == 0 || !reader.GetBool(flag) ||
        !reader.GetText(name) || !reader.GetByte(status) || !reader.GetText(fullName) ||
        !reader.GetText(location) || !reader.GetText(email) || !reader.GetLong(address, kLittleEndian) ||
        !reader.GetText(placeTitle) || !reader.GetText(placeAddress) || !reader.GetKind(placeKind) ||
        (placeKind & kZrKindPlace) == 0)
        return false;
    if (ZrKindIsReplicated(placeKind) && !reader.GetByte(copyNumber))
        return false;
    if (!reader.GetLong(parentId) || !reader.GetText(parentName) || !reader.GetKind(parentKind) ||
        (parentKind & kZrKindContainerMask) == 0 || !reader.GetBool(parentFlag) || !items.Read(reader, false))
        return false;
    kind = ZrKindForOwner(kind, id, localId);
    return true;
}

void CZrPersonDesc::Write(TvlNdr& writer) const
{
    writer.PutLong(id);
    writer.PutShort(static_cast<uint16_t>(ZrKindLow7(kind)));
    writer.PutByte(flag ? 1 : 0);
    writer.PutText(name);
    writer.PutByte(status);
    writer.PutText(fullName);
    writer.PutText(location);
    writer.PutText(email);
    writer.PutLong(address, kLittleEndian);
    writer.PutText(placeTitle);
    writer.PutText(placeAddress);
    writer.PutShort(static_cast<uint16_t>(placeKind));
    if (ZrKindIsReplicated(placeKind))
        writer.PutByte(copyNumber);
    writer.PutLong(parentId);
    writer.PutText(parentName);
    writer.PutShort(static_cast<uint16_t>(parentKind));
    writer.PutByte(parentFlag ? 1 : 0);
    items.Write(writer, false);
}
