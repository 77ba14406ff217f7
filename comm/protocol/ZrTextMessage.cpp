#include "ZrTextMessage.h"

#include "TvlNdr.h"
#include "ZrKind.h"

namespace {
constexpr bool kLittleEndian = false;
}

CZrTextMessage::CZrTextMessage() : senderId(0), kind(0), mode(0), value(0) {}

bool CZrTextMessage::Read(TvlNdr& reader, uint32_t localId)
{
    if (!reader.GetLong(senderId) || !reader.GetKind(kind) || (kind & kZrKindPerson) == 0 ||
        !reader.GetText(name) || !reader.GetByte(mode) || !reader.GetLong(value, kLittleEndian))
        return false;
    kind = ZrKindForOwner(kind, senderId, localId);
    return true;
}

void CZrTextMessage::Write(TvlNdr& writer) const
{
    writer.PutLong(senderId);
    writer.PutShort(static_cast<uint16_t>(ZrKindLow7(kind)));
    writer.PutText(name);
    writer.PutByte(mode);
    writer.PutLong(value, kLittleEndian);
}
