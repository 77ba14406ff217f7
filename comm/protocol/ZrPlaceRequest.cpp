#include "ZrPlaceRequest.h"

#include "TvlBlob.h"
#include "ZrGroupInfo.h"
#include "ZrItem.h"
#include "ZrObject.h"
#include "ZrPlaceSelector.h"
#include "ZrPosition.h"
#include "ZrString.h"

namespace {

enum Operation : uint16_t {
    kEnter = 0,
    kGroupEntry = 1,
    kMove = 6,
    kTargetEx = 7,
    kTarget = 8,
    kGroup = 10,
    kTargetRequest = 15,
    kClearTarget = 16,
    kObjectMessage = 17,
    kAlert = 18,
    kPutItem = 19,
    kRemoveItem = 20,
    kJoin = 21,
    kMemberData = 22,
    kIdentity = 23,
    kPosition = 25,
    kGroupLeave = 26,
};

void WriteBlob(TvlNdr& writer, const CTvlBlob& blob)
{
    writer.PutLong(blob.Length());
    writer.PutBytes(blob.Length(), blob.Bytes());
}

void PutOptionalPosition(TvlNdr& writer, const CZrPosition* position)
{
    writer.PutByte(position ? 1 : 0);
    if (position)
        position->Write(writer);
}

} // namespace

void CZrPlaceRequest::BuildOperation(uint32_t objectId, uint16_t operation)
{
    SetHeader(kZrPlaceOperation);
    m_keyFilled = 0;
    PutShort(0);
    PutLong(objectId);
    PutShort(operation);
}

void CZrPlaceRequest::StampKey(uint16_t key)
{
    if (Used() < HeaderLength() + 2)
        return;
    uint8_t* field = const_cast<uint8_t*>(Data()) + HeaderLength();
    field[0] = static_cast<uint8_t>(key >> 8);
    field[1] = static_cast<uint8_t>(key);
    m_keyFilled = 1;
}

void CZrPlaceRequest::BuildEnter(uint32_t myselfId, uint16_t newKey, std::string_view placeName,
                                 const CZrPosition* position, const CZrPlaceSelector& selector,
                                 std::string_view text)
{
    BuildOperation(myselfId, kEnter);
    PutShort(newKey);
    PutText(placeName);
    PutOptionalPosition(*this, position);
    selector.Write(*this);
    PutText(text);
}

void CZrPlaceRequest::BuildGroupEntry(uint32_t parentId, std::string_view name, const CZrPosition* position,
                                      const CZrPlaceSelector& selector, std::string_view text)
{
    BuildOperation(parentId, kGroupEntry);
    PutText(name);
    PutOptionalPosition(*this, position);
    selector.Write(*this);
    PutText(text);
}

void CZrPlaceRequest::BuildMove(uint32_t objectId, uint32_t destination, const CZrPosition& position,
                                uint16_t value, const CZrObject* child)
{
    BuildOperation(objectId, kMove);
    PutLong(destination);
    position.Write(*this);
    PutShort(value);
    PutByte(child ? 1 : 0);
    if (child) {
        PutShort(static_cast<uint16_t>(child->GetKind()));
        child->Marshal(*this);
    }
}

void CZrPlaceRequest::BuildTargetEx(uint32_t objectId, uint32_t destination, uint16_t value, uint16_t second)
{
    BuildOperation(objectId, kTargetEx);
    PutLong(destination);
    PutShort(value);
    PutShort(second);
}

void CZrPlaceRequest::BuildTarget(uint32_t objectId, uint32_t destination, uint16_t value)
{
    BuildOperation(objectId, kTarget);
    PutLong(destination);
    PutShort(value);
}

void CZrPlaceRequest::BuildPair(uint32_t myselfId, const CZrGroupInfo& record, bool full, uint16_t kind,
                                uint32_t partnerParent, uint16_t value, uint32_t partner)
{
    BuildOperation(myselfId, kGroup);
    record.Write(*this, full);
    PutShort(kind);
    PutLong(partnerParent);
    PutShort(value);
    PutByte(1);
    PutLong(partner);
}

void CZrPlaceRequest::BuildGroupOp(uint32_t myselfId, const CZrGroupInfo& record, bool full, uint16_t kind,
                                   uint32_t other, uint16_t value, const CZrPosition& position)
{
    BuildOperation(myselfId, kGroup);
    record.Write(*this, full);
    PutShort(kind);
    PutLong(other);
    PutShort(value);
    PutByte(0);
    position.Write(*this);
}

void CZrPlaceRequest::BuildTargetRequest(uint32_t myselfId, uint32_t target)
{
    BuildOperation(myselfId, kTargetRequest);
    PutLong(target);
}

void CZrPlaceRequest::BuildClearTarget(uint32_t myselfId)
{
    BuildOperation(myselfId, kClearTarget);
}

void CZrPlaceRequest::BuildObjectMessage(uint32_t myselfId, uint32_t object, uint16_t value,
                                         std::string_view text, const CTvlBlob& blob)
{
    BuildOperation(myselfId, kObjectMessage);
    PutLong(object);
    PutShort(value);
    PutText(text);
    WriteBlob(*this, blob);
}

void CZrPlaceRequest::BuildAlert(uint32_t myselfId, uint32_t object)
{
    BuildOperation(myselfId, kAlert);
    PutLong(object);
}

void CZrPlaceRequest::BuildPutItem(uint32_t objectId, const CZrItem& item)
{
    BuildOperation(objectId, kPutItem);
    item.Write(*this, true);
}

void CZrPlaceRequest::BuildRemoveItem(uint32_t objectId, uint16_t code)
{
    BuildOperation(objectId, kRemoveItem);
    PutShort(code);
}

void CZrPlaceRequest::BuildJoin(uint32_t objectId, uint16_t mode, const CTvlBlob* blob)
{
    BuildOperation(objectId, kJoin);
    PutShort(mode);
    if (blob)
        WriteBlob(*this, *blob);
}

void CZrPlaceRequest::BuildMemberData(uint32_t myselfId, uint8_t serial, const CTvlBlob* data)
{
    BuildOperation(myselfId, kMemberData);
    PutByte(serial);
    PutByte(data ? 1 : 0);
    if (data)
        WriteBlob(*this, *data);
}

void CZrPlaceRequest::BuildIdentity(uint32_t myselfId, std::string_view fullName, std::string_view location,
                                    std::string_view email)
{
    BuildOperation(myselfId, kIdentity);
    PutText(fullName);
    PutText(location);
    PutText(email);
}

void CZrPlaceRequest::BuildPosition(uint32_t objectId, uint32_t group, const CZrPosition& position)
{
    BuildOperation(objectId, kPosition);
    PutLong(group);
    position.Write(*this);
}

void CZrPlaceRequest::BuildGroupLeave(uint32_t objectId, const uint32_t* room)
{
    BuildOperation(objectId, kGroupLeave);
    if (room)
        PutLong(*room);
}

void CZrPlaceRequest::BuildPlaceRequest(uint16_t operation, uint32_t myselfId, uint16_t value, uint32_t id,
                                        const CZrString& key, const uint16_t* second)
{
    BuildOperation(myselfId, operation);
    PutShort(value);
    PutLong(id);
    key.Write(*this);
    if (second)
        PutShort(*second);
}
