#include "ZrClientProtocol.h"

#include <memory>
#include <vector>

#include "BroadcastInfo.h"
#include "TvlBlob.h"
#include "ZrChannel.h"
#include "ZrClientPlace.h"
#include "ZrHelloCheck.h"
#include "ZrKind.h"
#include "ZrMessage.h"
#include "ZrMessageReader.h"
#include "ZrObjectDesc.h"
#include "ZrObjectRef.h"
#include "ZrPerson.h"
#include "ZrPersonDesc.h"
#include "ZrPlaceBinding.h"
#include "ZrPlaceConnection.h"
#include "ZrPlaceDesc.h"
#include "ZrSession.h"
#include "ZrSessionOwner.h"
#include "ZrTextMessage.h"

namespace {

constexpr uint8_t kHandlers = ZrModule::kClientHandlers;
constexpr uint16_t kMajor = 3;
constexpr int32_t kEjectCode = 220;
constexpr int32_t kAlreadyCreated = 101;
constexpr int32_t kWindowFailed = 1;

enum Type : uint32_t {
    kTalkRefused = 6,
    kSuperUserError = 8,
    kLogin = 11,
    kWelcome = 12,
    kWelcomeReply = 13,
    kWarning = 16,
    kMemberOn = 17,
    kMemberOff = 18,
    kPairNotice = 20,
    kPlaceReport = 22,
    kTextsRequest = 23,
    kReferenceAdded = 26,
    kReferenceRemoved = 27,
    kRequestFailed = 30,
    kInvitationFailed = 31,
    kRefused = 34,
    kServerText = 35,
};

enum Action : uint8_t { kEject = 0, kMute = 1, kLockData = 2 };

CZrClientProtocol* g_client = nullptr;

std::vector<CZrClientPlace*> PlacesOf(CZrChannel& channel)
{
    std::vector<CZrClientPlace*> places;
    for (IZrPlaceLink* link : channel.Links()) {
        auto* binding = dynamic_cast<CZrPlaceBinding*>(link);
        if (binding && binding->GetPlace())
            places.push_back(binding->GetPlace());
    }
    return places;
}

// Reads u32 n and n descriptions of the class.
template <class Desc>
bool ReadDescriptions(TvlNdr& reader, uint32_t count, std::vector<std::unique_ptr<Desc>>& out)
{
    for (uint32_t i = 0; i < count; ++i) {
        auto description = std::make_unique<Desc>();
        if (!description->Read(reader))
            return false;
        out.push_back(std::move(description));
    }
    return true;
}

} // namespace

CZrClientProtocol::CZrClientProtocol(uint32_t registrationLimit) : CZrProtocol(registrationLimit) {}

CZrClientProtocol::~CZrClientProtocol()
{
    Shutdown();
}

IZrPlaceConnection* CZrClientProtocol::ConnectionFor(CZrChannel& channel)
{
    return dynamic_cast<IZrPlaceConnection*>(channel.Session().Owner());
}

IZrHelloCheck* CZrClientProtocol::HelloCheckFor(CZrChannel& channel)
{
    return dynamic_cast<IZrHelloCheck*>(channel.Session().Owner());
}

int32_t CZrClientProtocol::OnHello(CZrChannel& channel, CZrMessageReader& reader)
{
    if (channel.PeerMajor() != kMajor)
        return kWrongMajor;
    uint32_t received = 0;
    IZrHelloCheck* check = HelloCheckFor(channel);
    return check && check->CheckHello(reader, received) != 0 ? kZrProtocolErrorCode : 0;
}

int32_t CZrClientProtocol::OnResumedHello(CZrChannel& channel, CZrMessageReader& reader, uint32_t& received)
{
    if (channel.PeerMajor() != kMajor)
        return kWrongMajor;
    IZrHelloCheck* check = HelloCheckFor(channel);
    if (check)
        return check->CheckHello(reader, received) != 0 ? kZrProtocolErrorCode : 0;
    return reader.GetLong(received) ? 0 : kZrProtocolErrorCode;
}

CZrClientPlace* CZrClientProtocol::PlaceByRecipient(CZrChannel& channel, uint32_t recipient)
{
    auto* binding = dynamic_cast<CZrPlaceBinding*>(recipient != 0 ? channel.FindLinkByObject(recipient) : nullptr);
    return binding ? binding->GetPlace() : nullptr;
}

CZrClientPlace* CZrClientProtocol::PlaceByKey(CZrChannel& channel, uint16_t key)
{
    auto* binding = dynamic_cast<CZrPlaceBinding*>(channel.FindLinkByKey(key));
    return binding ? binding->GetPlace() : nullptr;
}

ZrProtocolError CZrClientProtocol::OnText(CZrChannel& channel, uint32_t recipient, const std::string& text,
                                          const CTvlBlob& blob, CZrMessageReader& reader)
{
    CZrClientPlace* place = PlaceByRecipient(channel, recipient);
    if (!place)
        return {};
    CZrTextMessage record;
    std::string second;
    if (!record.Read(reader, recipient) || !reader.GetText(second))
        return {kHandlers, 6};
    place->whispered(text, blob, record, second);
    return {};
}

ZrProtocolError CZrClientProtocol::OnBroadcast(CZrChannel& channel, uint32_t recipient, const CBroadcastInfo& record)
{
    if (recipient != 0) {
        if (CZrClientPlace* place = PlaceByRecipient(channel, recipient))
            place->OnBroadcast(record);
        return {};
    }
    for (CZrClientPlace* place : PlacesOf(channel)) {
        if (place->IsConnected())
            place->OnBroadcast(record);
    }
    return {};
}

ZrProtocolError CZrClientProtocol::OnPersonDescriptions(CZrChannel& channel, uint32_t recipient, uint32_t id,
                                                        CZrMessageReader& reader)
{
    CZrClientPlace* place = PlaceByRecipient(channel, recipient);
    if (!place)
        return {};
    std::string text;
    uint32_t count = 0;
    CZrClientPlace::PersonList persons;
    if (!reader.GetText(text) || !reader.GetLong(count))
        return {kHandlers, 5};
    for (uint32_t i = 0; i < count; ++i) {
        auto person = std::make_unique<CZrPersonDesc>();
        if (!person->Read(reader, recipient))
            return {kHandlers, 5};
        persons.push_back(std::move(person));
    }
    place->OnPersonDescription(id, text, persons);
    return {};
}

ZrProtocolError CZrClientProtocol::OnPersonPicture(CZrChannel& channel, uint32_t recipient, uint32_t person,
                                                   CZrMessageReader& reader)
{
    CZrClientPlace* place = PlaceByRecipient(channel, recipient);
    if (!place)
        return {};
    int32_t present = 0;
    CTvlBlob picture;
    if (!reader.GetBool(present) || (present && !picture.Unmarshal(reader, true)))
        return {kHandlers, 7};
    place->OnPersonPicture(person, present ? &picture : nullptr);
    return {};
}

ZrProtocolError CZrClientProtocol::OnObjectDescription(CZrChannel& channel, uint32_t recipient,
                                                       const uint32_t (&values)[4], CZrMessageReader& reader)
{
    CZrClientPlace* place = PlaceByRecipient(channel, recipient);
    if (!place || (values[1] != 0 && values[1] != place->GetId()))
        return {};
    CZrObjectDesc description(kZrKindGroup);
    if (!description.ReadNested(reader, recipient))
        return {kHandlers, 8};
    place->OnObjectDescription(values[0], values[1], values[2], values[3], description);
    return {};
}

// The place list: u32 count and the place descriptions, then three u32.
ZrProtocolError CZrClientProtocol::OnPlaceList(CZrChannel& channel, uint32_t recipient, uint32_t,
                                               CZrMessageReader& reader)
{
    CZrClientPlace* place = PlaceByRecipient(channel, recipient);
    if (!place)
        return {};
    uint32_t count = 0;
    uint32_t values[3] = {};
    CZrClientPlace::PlaceList places;
    if (!reader.GetLong(count) || !ReadDescriptions(reader, count, places) || !reader.GetLong(values[0]) ||
        !reader.GetLong(values[1]) || !reader.GetLong(values[2]))
        return {kHandlers, 9};
    place->OnPlaceList(places, values[0], values[1], values[2]);
    return {};
}

ZrProtocolError CZrClientProtocol::OnPlaceDescriptions(CZrChannel& channel, uint32_t recipient, uint32_t first,
                                                       uint32_t second, bool flag, CZrMessageReader& reader)
{
    CZrClientPlace* place = PlaceByRecipient(channel, recipient);
    if (!place)
        return {};
    uint32_t values[4] = {};
    for (uint32_t& value : values) {
        if (!reader.GetLong(value))
            return {kHandlers, 25};
    }
    CZrClientPlace::PlaceList places;
    if (!ReadDescriptions(reader, values[3], places))
        return {kHandlers, 26};
    place->OnPlaceDescription(first, second, flag, values[0], values[1], values[2], places);
    return {};
}

ZrProtocolError CZrClientProtocol::OnServiceReply(CZrChannel& channel, uint32_t recipient, uint32_t id, uint32_t mode,
                                                  const std::string& text, const CTvlBlob& blob,
                                                  CZrMessageReader& reader)
{
    CZrClientPlace* place = PlaceByRecipient(channel, recipient);
    if (!place)
        return {};
    CZrTextMessage record;
    if (!record.Read(reader, recipient))
        return {kHandlers, 10};
    place->OnServiceReply(id, mode, text, blob, record);
    return {};
}

ZrProtocolError CZrClientProtocol::OnGameNotice(CZrChannel& channel, uint32_t recipient, uint32_t id, uint32_t mode,
                                                const std::string& text, const CTvlBlob& blob, uint32_t member)
{
    CZrClientPlace* place = PlaceByRecipient(channel, recipient);
    if (!place)
        return {};
    const CZrObjectRef* reference = place->FindMemberOfSession(member);
    if (!reference)
        return {kHandlers, 11};
    place->OnGameNotice(id, mode, text, blob, *reference);
    return {};
}

ZrProtocolError CZrClientProtocol::OnKindChanged(CZrChannel& channel, uint32_t recipient, uint32_t kind)
{
    CZrClientPlace* place = PlaceByRecipient(channel, recipient);
    if (!place)
        return {};
    CZrPerson* myself = place->GetMyself();
    const uint32_t old = myself->GetKind();
    myself->SetKind(ZrKindSetBit7(kind));
    myself->OnKindChanged(old);
    return {};
}

ZrProtocolError CZrClientProtocol::OnHandlerMessage(CZrChannel& channel, CZrMessageReader& reader)
{
    switch (reader.Type()) {
    case kLogin:
        return {kHandlers, 1};
    case kWelcome:
        return OnWelcome(channel, reader);
    case kWelcomeReply:
        return {kHandlers, 28};
    case kTextsRequest:
        return {kHandlers, 3};
    case kRefused:
        return {kHandlers, 31};
    case kMemberOn:
    case kMemberOff:
        return OnMemberAction(channel, reader);
    case kReferenceAdded:
        return OnReferenceAdded(channel, reader);
    case kReferenceRemoved:
        return OnReferenceRemoved(channel, reader);
    case kServerText:
        return OnServerText(channel, reader);
    default:
        return OnRecipientValues(channel, reader);
    }
}

ZrProtocolError CZrClientProtocol::OnWelcome(CZrChannel& channel, CZrMessageReader& reader)
{
    uint16_t key = 0;
    if (!reader.GetShort(key))
        return {kHandlers, 29};
    CZrClientPlace* place = PlaceByKey(channel, key);
    return place ? place->ReadWelcome(reader) : ZrProtocolError();
}

// Types 6, 8, 16, 20, 22, 30 and 31: the recipient and a few values.
ZrProtocolError CZrClientProtocol::OnRecipientValues(CZrChannel& channel, CZrMessageReader& reader)
{
    const uint32_t type = reader.Type();
    uint32_t recipient = 0;
    uint32_t a = 0;
    uint32_t b = 0;
    uint32_t c = 0;
    uint16_t value = 0;
    std::string text;
    switch (type) {
    case kTalkRefused:
        if (!reader.GetLong(recipient) || recipient == 0 || !reader.GetLong(a) || !reader.GetShort(value))
            return {kHandlers, 13};
        break;
    case kSuperUserError:
        if (!reader.GetLong(recipient) || recipient == 0 || !reader.GetShort(value))
            return {kHandlers, 12};
        break;
    case kWarning:
        if (!reader.GetLong(recipient) || !reader.GetText(text))
            return {kHandlers, 14};
        break;
    case kPairNotice:
        if (!reader.GetLong(recipient) || recipient == 0 || !reader.GetLong(a) || !reader.GetShort(value))
            return {kHandlers, 19};
        break;
    case kPlaceReport:
        if (!reader.GetLong(recipient) || recipient == 0 || !reader.GetLong(a) || !reader.GetLong(b) ||
            !reader.GetLong(c) || !reader.GetShort(value))
            return {kHandlers, 20};
        break;
    case kRequestFailed:
    case kInvitationFailed:
        if (!reader.GetLong(recipient) || !reader.GetLong(a) || !reader.GetLong(b) || !reader.GetShort(value))
            return {kHandlers, static_cast<uint8_t>(type == kRequestFailed ? 23 : 24)};
        break;
    default:
        return reader.GetFlag() ? ZrProtocolError() : ZrProtocolError{ZrModule::kSession, 7};
    }
    CZrClientPlace* place = PlaceByRecipient(channel, recipient);
    if (!place)
        return {};
    switch (type) {
    case kTalkRefused:
        place->OnTalkRefused(a, value);
        break;
    case kSuperUserError:
        place->OnSuperUserError(value);
        break;
    case kWarning:
        place->OnWarning(text);
        break;
    case kPairNotice:
        place->OnPairNotice(a, value);
        break;
    case kPlaceReport:
        if (b == 0 || b == place->GetId())
            place->OnPlaceReport(a, b, b != 0, c, value);
        break;
    case kRequestFailed:
        place->OnRequestFailed(a, b, value);
        break;
    default:
        place->OnInvitationFailed(a, b, value);
        break;
    }
    return {};
}

// Types 17 and 18: action 0 ejects the place (its link goes with code 220),
// 1 mutes or unmutes, 2 locks or unlocks the member data.
ZrProtocolError CZrClientProtocol::OnMemberAction(CZrChannel& channel, CZrMessageReader& reader)
{
    const bool on = reader.Type() == kMemberOn;
    const ZrProtocolError malformed{kHandlers, static_cast<uint8_t>(on ? 15 : 17)};
    uint32_t recipient = 0;
    uint8_t action = 0;
    uint32_t member = 0;
    if (!reader.GetLong(recipient) || !reader.GetByte(action) || (on && !reader.GetLong(member)))
        return malformed;
    if (action > kLockData || (!on && action == kEject))
        return malformed;
    CZrClientPlace* place = PlaceByRecipient(channel, recipient);
    if (!place)
        return {};
    if (action == kEject)
        channel.RemoveLink(channel.FindLinkByObject(recipient), kEjectCode);
    else if (action == kMute)
        on ? place->SetMuted(member) : place->ClearMuted();
    else
        on ? place->LockData(member) : place->UnlockData();
    return {};
}

ZrProtocolError CZrClientProtocol::OnReferenceAdded(CZrChannel& channel, CZrMessageReader& reader)
{
    CZrObjectRef read;
    const CZrObjectRef* kept = &read;
    IZrPlaceConnection* connection = ConnectionFor(channel);
    if (connection)
        kept = connection->AddReference(reader, 0);
    else if (!read.Read(reader, 0))
        kept = nullptr;
    if (!kept)
        return {kHandlers, 21};
    for (CZrClientPlace* place : PlacesOf(channel))
        place->OnMemberAppeared(*kept);
    return {};
}

ZrProtocolError CZrClientProtocol::OnReferenceRemoved(CZrChannel& channel, CZrMessageReader& reader)
{
    IZrPlaceConnection* connection = ConnectionFor(channel);
    std::unique_ptr<CZrObjectRef> reference = connection ? connection->RemoveReference(reader) : nullptr;
    if (!reference)
        return {kHandlers, 21};
    for (CZrClientPlace* place : PlacesOf(channel))
        place->OnMemberLeft(*reference);
    return {};
}

ZrProtocolError CZrClientProtocol::OnServerText(CZrChannel& channel, CZrMessageReader& reader)
{
    std::string text;
    if (!reader.GetText(text))
        return {kHandlers, 27};
    for (CZrClientPlace* place : PlacesOf(channel))
        place->OnServerMessage(text);
    return {};
}

int32_t ZrCreateProtocolSingleton(uint32_t registrationLimit, const std::string& className, uint32_t,
                                  const ZrSocketWindowCreator& createWindow)
{
    if (CZrProtocol::Instance())
        return kAlreadyCreated;
    auto handler = std::make_unique<CZrClientProtocol>(registrationLimit);
    if (createWindow && !createWindow(className))
        return kWindowFailed;
    g_client = handler.release();
    return 0;
}

void ZrDestroyProtocolSingleton()
{
    CZrClientProtocol* handler = g_client;
    g_client = nullptr;
    delete handler;
}
