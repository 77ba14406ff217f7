// CZrPlaceRequest: an outgoing place operation (message type 15).
#pragma once

#include <cstdint>

#include <string_view>

#include "ZrMessage.h"

class CTvlBlob;
class CZrGroupInfo;
class CZrItem;
class CZrObject;
class CZrPlaceSelector;
class CZrPosition;
class CZrString;

// The message starts with the place key of the sender's place link, which is
// known only when the request is sent: the builder writes 0 there and
// StampKey fills it in.
class CZrPlaceRequest : public CZrMessage {
public:
    CZrPlaceRequest() = default;

    // Header, key 0, the id of the object the operation is about and the
    // operation code; the operation's own fields follow.
    void BuildOperation(uint32_t objectId, uint16_t operation);

    // One builder per outgoing operation; each starts with BuildOperation.
    // The enter request (0) about the local user; a position only when one
    // is given.
    void BuildEnter(uint32_t myselfId, uint16_t newKey, std::string_view placeName,
                    const CZrPosition* position, const CZrPlaceSelector& selector, std::string_view text);
    // Entry into a group (1) about the local user's parent.
    void BuildGroupEntry(uint32_t parentId, std::string_view name, const CZrPosition* position,
                         const CZrPlaceSelector& selector, std::string_view text);
    // Move (6); `child`, when given, follows as its kind and object form.
    void BuildMove(uint32_t objectId, uint32_t destination, const CZrPosition& position, uint16_t value,
                   const CZrObject* child);
    void BuildTargetEx(uint32_t objectId, uint32_t destination, uint16_t value, uint16_t second);
    void BuildTarget(uint32_t objectId, uint32_t destination, uint16_t value);
    // Operation 10 with a partner, or with a position.
    void BuildPair(uint32_t myselfId, const CZrGroupInfo& record, bool full, uint16_t kind,
                   uint32_t partnerParent, uint16_t value, uint32_t partner);
    void BuildGroupOp(uint32_t myselfId, const CZrGroupInfo& record, bool full, uint16_t kind,
                      uint32_t other, uint16_t value, const CZrPosition& position);
    void BuildTargetRequest(uint32_t myselfId, uint32_t target);
    void BuildClearTarget(uint32_t myselfId);
    // Operation 17: a message from the local user to an object.
    void BuildObjectMessage(uint32_t myselfId, uint32_t object, uint16_t value, std::string_view text,
                            const CTvlBlob& blob);
    void BuildAlert(uint32_t myselfId, uint32_t object);
    void BuildPutItem(uint32_t objectId, const CZrItem& item);
    void BuildRemoveItem(uint32_t objectId, uint16_t code);
    void BuildJoin(uint32_t objectId, uint16_t mode, const CTvlBlob* blob);
    void BuildMemberData(uint32_t myselfId, uint8_t serial, const CTvlBlob* data);
    void BuildIdentity(uint32_t myselfId, std::string_view fullName, std::string_view location,
                       std::string_view email);
    void BuildPosition(uint32_t objectId, uint32_t group, const CZrPosition& position);
    void BuildGroupLeave(uint32_t objectId, const uint32_t* room);
    // Operations 28 and 29.
    void BuildPlaceRequest(uint16_t operation, uint32_t myselfId, uint16_t value, uint32_t id,
                           const CZrString& key, const uint16_t* second);

    // Writes the key into the leading 16-bit field and marks it filled.
    void StampKey(uint16_t key);
    bool IsKeyFilled() const { return m_keyFilled != 0; }

private:
    int32_t m_keyFilled = 0;
};
