// CZrPlaceBinding: the place link that ties a channel, the client place and
// its local user together, and the dispatcher of incoming place operations.
#pragma once

#include <cstdint>
#include <string>

#include "TvlObject.h"
#include "ZrPersonLink.h"
#include "ZrPlaceLink.h"

class CZrChannel;
class CZrClientPlace;
class CZrMessage;
class CZrObject;
class CZrPerson;
class CZrPlaceSelector;
class CZrPosition;
class TvlNdr;

// The channel owns the link and keeps it in its list of place links; the
// local user holds it as its place link and sends through it. Place
// operations (message type 15) reach it by its key.
class CZrPlaceBinding : public CTvlObject, public IZrPlaceLink, public IZrPersonLink {
public:
    CZrPlaceBinding(CZrChannel& channel, CZrClientPlace& place, CZrPerson& person);
    ~CZrPlaceBinding() override;

    // IZrPlaceLink
    uint16_t Key() const override { return m_key; }
    void SetKey(uint16_t key) override { m_key = key; }
    uint32_t PersonId() const override;
    ZrProtocolError OnOperation(CZrMessageReader& reader) override;
    void OnRemoved(int32_t code) override;

    // IZrPersonLink
    bool IsUp() const override;
    bool SendStamped(TvlNdr& message) override;
    void ReleaseFromPerson() override;

    // Sends a message unchanged on the channel.
    bool Send(CZrMessage& message);
    // Operation 0 about the person with a new key from the channel's key
    // counter, sent with the current key; the link takes the new key only
    // afterwards, so that the server's messages for the old key are dropped.
    bool SendEnter(const CZrPosition* position, const std::string& text, const CZrPlaceSelector& selector);
    // Clears the links; the person loses its place link and the place hears
    // OnChannelClosed.
    void Close(int32_t code, const std::string& text);

    CZrChannel* GetChannel() const { return m_channel; }
    CZrClientPlace* GetPlace() const { return m_place; }
    CZrPerson* GetPerson() const { return m_person; }

    // Reads the object identifier and operation code and dispatches one
    // place operation; the error pair of a failure, or none.
    ZrProtocolError DispatchPlaceOp(CZrMessageReader& reader);

    // Sets the error pair of the operation being dispatched; answers false
    // so that a decoder or handler can return it.
    static bool Fail(uint8_t module, uint8_t error);

private:
    bool Dispatch(uint32_t op, uint32_t objectId, CZrMessageReader& reader);
    bool DispatchOp(uint32_t op, CZrObject& target, CZrMessageReader& reader);
    bool DecodeEnter(CZrObject& target, CZrMessageReader& reader);
    bool DecodeGroupEntry(CZrObject& target, CZrMessageReader& reader);
    bool DecodeMove(CZrObject& target, CZrMessageReader& reader);
    bool DecodeDenied(CZrObject& target, CZrMessageReader& reader);
    bool DecodeGroup(CZrObject& target, CZrMessageReader& reader);
    bool DecodeHost(uint32_t op, CZrObject& target, CZrMessageReader& reader);
    bool DecodeObjectMessage(CZrObject& target, CZrMessageReader& reader);
    bool DecodeAlert(CZrObject& target, CZrMessageReader& reader);
    bool DecodeMemberData(CZrObject& target, CZrMessageReader& reader);
    bool DecodeIdentity(CZrObject& target, CZrMessageReader& reader);
    bool DecodePlaced(CZrObject& target, CZrMessageReader& reader);
    bool DecodePlaceRequest(uint32_t op, CZrObject& target, CZrMessageReader& reader);
    void ForgetLinks();

    uint16_t m_key;
    CZrChannel* m_channel;
    CZrClientPlace* m_place;
    CZrPerson* m_person;
};
