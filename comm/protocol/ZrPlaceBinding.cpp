#include "ZrPlaceBinding.h"

#include "TvlBlob.h"
#include "ZrChannel.h"
#include "ZrClientPlace.h"
#include "ZrGroupInfo.h"
#include "ZrMessage.h"
#include "ZrMessageReader.h"
#include "ZrPerson.h"
#include "ZrPlaceRequest.h"
#include "ZrPlaceSelector.h"
#include "ZrPosition.h"
#include "ZrString.h"

namespace {

constexpr uint8_t kLayout = ZrModule::kPlaceOperation;

// The error pair of the operation being dispatched; saved and restored
// around a dispatch, so that a nested one leaves it as it was.
ZrProtocolError g_error;

bool Malformed(uint8_t error)
{
    return CZrPlaceBinding::Fail(kLayout, error);
}

CZrPerson* AsPerson(CZrObject& object)
{
    return object.HasBit8() ? static_cast<CZrPerson*>(&object) : nullptr;
}

// Enter fields: flag, [position], place selector.
bool ReadPlacement(TvlNdr& reader, bool& hasPosition, CZrPosition& position, CZrPlaceSelector& selector)
{
    int32_t flag = 0;
    if (!reader.GetBool(flag))
        return false;
    hasPosition = flag != 0;
    return (!hasPosition || position.Read(reader)) && selector.Read(reader);
}

} // namespace

CZrPlaceBinding::CZrPlaceBinding(CZrChannel& channel, CZrClientPlace& place, CZrPerson& person)
    : m_key(0), m_channel(&channel), m_place(&place), m_person(&person)
{
}

CZrPlaceBinding::~CZrPlaceBinding()
{
    if (m_person && m_person->GetChannel() == this)
        m_person->SetChannel(nullptr);
    if (m_place)
        m_place->OnBindingReleased();
}

uint32_t CZrPlaceBinding::PersonId() const
{
    return m_person ? m_person->GetId() : 0;
}

bool CZrPlaceBinding::IsUp() const
{
    return m_channel && m_channel->GetState() == CZrChannel::kSetUp;
}

bool CZrPlaceBinding::Send(CZrMessage& message)
{
    if (!m_channel)
        return false;
    m_channel->Send(message);
    return true;
}

bool CZrPlaceBinding::SendStamped(TvlNdr& message)
{
    auto* request = dynamic_cast<CZrPlaceRequest*>(&message);
    if (!request || !m_channel)
        return false;
    request->StampKey(m_key);
    m_channel->Send(*request);
    return true;
}

bool CZrPlaceBinding::SendEnter(const CZrPosition* position, const std::string& text,
                                const CZrPlaceSelector& selector)
{
    if (!m_channel || !m_person || !m_place)
        return false;
    const uint16_t newKey = m_channel->TakeKey();
    CZrPlaceRequest request;
    request.BuildEnter(m_person->GetId(), newKey, m_place->GetName(), position, selector, text);
    SendStamped(request);
    m_key = newKey;
    return true;
}

void CZrPlaceBinding::ForgetLinks()
{
    m_channel = nullptr;
    m_place = nullptr;
    m_person = nullptr;
}

// The person drops its link: the link forgets it and the channel removes
// (and deletes) the link without telling the place.
void CZrPlaceBinding::ReleaseFromPerson()
{
    CZrChannel* channel = m_channel;
    if (m_place)
        m_place->OnBindingReleased();
    ForgetLinks();
    if (channel)
        channel->RemoveLink(this, 0);
}

void CZrPlaceBinding::OnRemoved(int32_t code)
{
    Close(code, std::string());
}

void CZrPlaceBinding::Close(int32_t code, const std::string& text)
{
    CZrClientPlace* place = m_place;
    CZrPerson* person = m_person;
    ForgetLinks();
    if (person && person->GetChannel() == this)
        person->SetChannel(nullptr);
    if (place)
        place->OnChannelClosed(person, code, text);
}

bool CZrPlaceBinding::Fail(uint8_t module, uint8_t error)
{
    g_error = ZrProtocolError{module, error};
    return false;
}

ZrProtocolError CZrPlaceBinding::OnOperation(CZrMessageReader& reader)
{
    return DispatchPlaceOp(reader);
}

ZrProtocolError CZrPlaceBinding::DispatchPlaceOp(CZrMessageReader& reader)
{
    uint32_t objectId = 0;
    uint16_t op = 0;
    if (!reader.GetLong(objectId) || !reader.GetShort(op))
        return ZrProtocolError{kLayout, 59};
    const ZrProtocolError savedError = g_error;
    g_error = ZrProtocolError();
    const bool handled = Dispatch(op, objectId, reader);
    const ZrProtocolError error = handled ? ZrProtocolError() : g_error;
    g_error = savedError;
    return error;
}

// An inactive person takes no operation about an object; an object that is
// not in the place makes the operation count as handled without effect.
bool CZrPlaceBinding::Dispatch(uint32_t op, uint32_t objectId, CZrMessageReader& reader)
{
    if (!m_place || !m_person)
        return true;
    if (!m_person->IsActive())
        return objectId == 0 ? true : Malformed(72);
    CZrObject* target = m_place->FindTargetById(objectId);
    if (!target)
        return true;
    return DispatchOp(op, *target, reader);
}

bool CZrPlaceBinding::DispatchOp(uint32_t op, CZrObject& target, CZrMessageReader& reader)
{
    CZrClientPlace& place = *m_place;
    CZrPerson* person = AsPerson(target);
    const bool isMyself = &target == m_person;
    switch (op) {
    case 0:
        return isMyself ? DecodeEnter(target, reader) : Malformed(9);
    case 1:
        return target.IsContainer() ? DecodeGroupEntry(target, reader) : Malformed(10);
    case 2: {
        uint16_t value = 0;
        if (!isMyself)
            return Malformed(11);
        return reader.GetShort(value) ? place.HandlePlaceValue(value) : Malformed(44);
    }
    case 3:
        return isMyself ? place.HandleEntryConfirmed(reader) : Malformed(3);
    case 4:
        return place.HandleChildAdded(target, reader);
    case 5: {
        std::string text;
        return reader.GetText(text) ? place.HandleChildRemoved(target, text) : Malformed(32);
    }
    case 6:
        return DecodeMove(target, reader);
    case 7: {
        uint32_t id = 0;
        uint16_t value = 0;
        uint16_t second = 0;
        if (!reader.GetLong(id) || !reader.GetShort(value) || value == 0 || !reader.GetShort(second) || second == 0)
            return Malformed(17);
        return place.HandleRequestForTargetEx();
    }
    case 8: {
        uint32_t id = 0;
        uint16_t value = 0;
        if (!reader.GetLong(id) || !reader.GetShort(value) || value == 0)
            return Malformed(19);
        return place.HandleRequestForTarget();
    }
    case 9:
        return DecodeDenied(target, reader);
    case 10:
        return person ? DecodeGroup(target, reader) : Malformed(7);
    case 11: {
        uint16_t code = 0;
        uint32_t kind = 0;
        uint16_t value = 0;
        if (!person)
            return Malformed(8);
        if (!reader.GetShort(code) || !reader.GetKind(kind) || (kind & kZrKindGroup) == 0 || !reader.GetShort(value))
            return Malformed(41);
        return place.HandleRequestError(*person, code, kind, value);
    }
    case 12:
    case 13:
        return DecodeHost(op, target, reader);
    case 14: {
        uint16_t value = 0;
        if (!person)
            return Malformed(16);
        return reader.GetShort(value) ? place.HandleNotice(*person, value) : Malformed(49);
    }
    case 15: {
        uint32_t id = 0;
        if (!person)
            return Malformed(12);
        return reader.GetLong(id) ? place.HandleTargeted(*person, id) : Malformed(50);
    }
    case 16:
        return person ? place.HandleTargetCleared(*person) : Malformed(13);
    case 17:
        return DecodeObjectMessage(target, reader);
    case 18:
        return DecodeAlert(target, reader);
    case 19:
        return place.HandleItemPut(target, reader);
    case 20:
        return place.HandleItemRemoved(target, reader);
    case 21: {
        uint16_t value = 0;
        return reader.GetShort(value) ? place.HandleMemberData(target, value, reader) : Malformed(33);
    }
    case 22:
        return DecodeMemberData(target, reader);
    case 23:
        return DecodeIdentity(target, reader);
    case 24: {
        CZrMemberFlags flags;
        if (!person)
            return Malformed(61);
        return flags.Read(reader) ? place.HandleFlagsChanged(*person, flags) : Malformed(62);
    }
    case 25:
        return DecodePlaced(target, reader);
    case 26:
        return person ? place.HandleReturned(*person) : Malformed(65);
    case 27:
        return person ? place.HandleSignal(*person, reader) : Malformed(66);
    case 28:
    case 29:
    case 30:
    case 31:
        return DecodePlaceRequest(op, target, reader);
    default:
        return reader.GetFlag() ? true : Malformed(31);
    }
}

// Operation 0: the new key, which no place link of the channel may hold
// yet, is taken before the handler refuses the operation.
bool CZrPlaceBinding::DecodeEnter(CZrObject&, CZrMessageReader& reader)
{
    uint16_t newKey = 0;
    std::string name;
    bool hasPosition = false;
    CZrPosition position;
    CZrPlaceSelector selector;
    std::string text;
    if (!reader.GetShort(newKey) || m_channel->FindLinkByKey(newKey) || !reader.GetText(name) ||
        !ReadPlacement(reader, hasPosition, position, selector) || !reader.GetText(text))
        return Malformed(42);
    m_key = newKey;
    return m_place->HandleEnterRequest();
}

bool CZrPlaceBinding::DecodeGroupEntry(CZrObject& target, CZrMessageReader& reader)
{
    std::string name;
    bool hasPosition = false;
    CZrPosition position;
    CZrPlaceSelector selector;
    if (!reader.GetText(name) || !ReadPlacement(reader, hasPosition, position, selector))
        return Malformed(43);
    return m_place->HandleGroupEntry(target, name, hasPosition ? &position : nullptr, selector, reader);
}

bool CZrPlaceBinding::DecodeMove(CZrObject& target, CZrMessageReader& reader)
{
    uint32_t id = 0;
    CZrPosition position;
    uint16_t value = 0;
    if (!reader.GetLong(id) || !position.Read(reader) || !reader.GetShort(value))
        return Malformed(4);
    return m_place->HandleMove(target, id, position, value, reader);
}

bool CZrPlaceBinding::DecodeDenied(CZrObject& target, CZrMessageReader& reader)
{
    uint16_t code = 0;
    uint32_t id = 0;
    uint16_t value = 0;
    if (!reader.GetShort(code) || !reader.GetLong(id) || !reader.GetShort(value) || value == 0)
        return Malformed(35);
    CZrObject* object = m_place->FindTargetById(id);
    if (object && !object->IsContainer())
        return Malformed(36);
    return m_place->HandleDenied(target, code, id, value);
}

// Operation 10: the group's info record, kind, identifier and value, then a
// position (flag 0) or a partner (flag 1).
bool CZrPlaceBinding::DecodeGroup(CZrObject& target, CZrMessageReader& reader)
{
    CZrPerson& person = static_cast<CZrPerson&>(target);
    CZrGroupInfo record;
    uint32_t kind = 0;
    uint32_t id = 0;
    uint16_t value = 0;
    int32_t paired = 0;
    if (!record.Read(reader, m_place) || !reader.GetKind(kind) || (kind & kZrKindGroup) == 0 ||
        !reader.GetLong(id) || !reader.GetShort(value) || !reader.GetBool(paired))
        return Malformed(37);
    if (!paired) {
        CZrPosition position;
        if (!position.Read(reader) || record.GetCapacity() == 0)
            return Malformed(40);
        return m_place->HandleGroupCreated(person, record, kind, id, position, value);
    }
    uint32_t partnerId = 0;
    if (record.GetCapacity() < 2 || !reader.GetLong(partnerId))
        return Malformed(38);
    CZrObject* partner = m_place->FindTargetById(partnerId);
    if (partner && !partner->HasBit8())
        return Malformed(39);
    return m_place->HandlePaired(person, record, kind, id, partner, value);
}

bool CZrPlaceBinding::DecodeHost(uint32_t op, CZrObject& target, CZrMessageReader& reader)
{
    CZrPerson* person = AsPerson(target);
    uint32_t id = 0;
    if (op == 12) {
        if (!person)
            return Malformed(14);
        if (!reader.GetLong(id))
            return Malformed(45);
        CZrGroup* parent = target.GetParent();
        CZrGroup* group = parent && parent->GetId() == id ? parent : nullptr;
        if (group && (group->IsRoom() || group->IsCorridor()))
            return Malformed(46);
        return m_place->HandleHostGained(*person, group);
    }
    if (!person)
        return Malformed(15);
    if (!reader.GetLong(id))
        return Malformed(47);
    CZrObject* object = m_place->FindTargetById(id);
    if (object && !object->IsContainer())
        return Malformed(48);
    return m_place->HandleHostLost(*person, object);
}

bool CZrPlaceBinding::DecodeObjectMessage(CZrObject& target, CZrMessageReader& reader)
{
    CZrPerson* person = AsPerson(target);
    if (!person)
        return Malformed(24);
    uint32_t id = 0;
    uint16_t value = 0;
    std::string text;
    CTvlBlob blob;
    if (!reader.GetLong(id) || !reader.GetShort(value) || !reader.GetText(text) || !blob.Unmarshal(reader, true))
        return Malformed(58);
    return m_place->HandleReceive(*person, id, value, text, blob);
}

bool CZrPlaceBinding::DecodeAlert(CZrObject& target, CZrMessageReader& reader)
{
    CZrPerson* person = AsPerson(target);
    if (!person)
        return Malformed(18);
    uint32_t id = 0;
    if (!reader.GetLong(id))
        return Malformed(52);
    CZrObject* object = m_place->FindTargetById(id);
    if (object && !object->HasBit8())
        return Malformed(53);
    return m_place->HandleAlerted(*person, id);
}

// Operation 22: the serial goes into the target's member record before the
// handler runs.
bool CZrPlaceBinding::DecodeMemberData(CZrObject& target, CZrMessageReader& reader)
{
    CZrPerson* person = AsPerson(target);
    if (!person)
        return Malformed(20);
    uint8_t serial = 0;
    int32_t flag = 0;
    if (!reader.GetByte(serial) || !reader.GetBool(flag))
        return Malformed(54);
    person->GetInfo().Member()->SetSerial(serial);
    return m_place->HandleDataFlag(*person, flag != 0);
}

bool CZrPlaceBinding::DecodeIdentity(CZrObject& target, CZrMessageReader& reader)
{
    CZrPerson* person = AsPerson(target);
    if (!person)
        return Malformed(30);
    std::string fullName;
    std::string location;
    std::string email;
    if (!reader.GetText(fullName) || !reader.GetText(location) || !reader.GetText(email))
        return Malformed(67);
    return m_place->HandleInfoChanged(*person, fullName, location, email);
}

bool CZrPlaceBinding::DecodePlaced(CZrObject& target, CZrMessageReader& reader)
{
    CZrPerson* person = AsPerson(target);
    if (!person)
        return Malformed(63);
    uint32_t id = 0;
    CZrPosition position;
    if (!reader.GetLong(id) || !position.Read(reader))
        return Malformed(64);
    CZrObject* group = m_place->FindTargetById(id);
    if (group && !group->AsGroup())
        return Malformed(64);
    return m_place->HandlePlaced(*person, group, position);
}

// Operations 28 to 31: u16 value and u32 identifier, then for 28 and 29 a
// normalised name key (not empty for 28).
bool CZrPlaceBinding::DecodePlaceRequest(uint32_t op, CZrObject& target, CZrMessageReader& reader)
{
    static constexpr uint8_t kNotPerson[] = {68, 69, 70, 71};
    static constexpr uint8_t kMalformed[] = {34, 5, 51, 60};
    const uint32_t index = op - 28;
    CZrPerson* person = AsPerson(target);
    if (!person)
        return Malformed(kNotPerson[index]);
    uint16_t value = 0;
    uint32_t id = 0;
    if (!reader.GetShort(value) || !reader.GetLong(id))
        return Malformed(kMalformed[index]);
    if (op == 30)
        return m_place->HandleNameKeyList(*person, value, id, reader);
    if (op == 31)
        return m_place->HandlePlaceFlag(*person, value, id, reader);
    CZrString key;
    if (!key.Read(reader))
        return Malformed(kMalformed[index]);
    key.Normalise();
    if (op == 28) {
        if (key.GetText().empty())
            return Malformed(kMalformed[index]);
        return m_place->HandleInvited(*person, value, id, key, reader);
    }
    return m_place->HandleUninvited(*person, value, id, key, reader);
}
