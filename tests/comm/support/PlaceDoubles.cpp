#include "PlaceDoubles.h"

#include <algorithm>

#include "BroadcastInfo.h"
#include "ZrChannel.h"
#include "ZrItem.h"
#include "ZrMessageReader.h"
#include "ZrObjectRef.h"
#include "ZrPersonDesc.h"
#include "ZrPlaceDesc.h"
#include "ZrPlaceBinding.h"
#include "ZrTextMessage.h"

namespace {

std::string Id(const CZrObject* object)
{
    return object ? std::to_string(object->GetId()) : std::string("none");
}

std::string BlobText(const CTvlBlob* blob)
{
    return blob ? std::string(reinterpret_cast<const char*>(blob->Bytes()), blob->Length()) : std::string("none");
}

std::string U(uint32_t value)
{
    return std::to_string(value);
}

} // namespace

std::string PositionText(const CZrPosition& position)
{
    switch (position.GetKind()) {
    case CZrPosition::kSeat:
        return "seat:" + U(position.GetId());
    case CZrPosition::kXY:
        return "xy:" + U(position.GetFirst()) + "," + U(position.GetSecond());
    case CZrPosition::kName:
        return "name:" + position.GetName();
    default:
        return "none";
    }
}

std::string TreeDump(CZrObject& object)
{
    std::string text = (object.GetName().empty() ? std::string("?") : object.GetName()) + "(" + U(object.GetId()) + ")";
    if (!object.GetPosition().IsNone())
        text += "@" + PositionText(object.GetPosition());
    if (const CZrGroup* group = object.AsGroup()) {
        if (group->GetHost())
            text += "^" + U(group->GetHost()->GetId());
        text += "[";
        bool first = true;
        for (CTvlListIter it = group->Children().Begin(); it.IsValid(); it.Next()) {
            text += (first ? "" : " ") + TreeDump(*it.Get<CZrObject>());
            first = false;
        }
        text += "]";
    }
    return text;
}

// ---------------------------------------------------------------- persons and groups

void PersonDouble::Record(const std::string& text)
{
    m_events.push_back(U(GetId()) + " " + text);
}

void PersonDouble::OnEnter() { Record("OnEnter"); }
void PersonDouble::OnLeave(const std::string& reason) { Record("OnLeave " + reason); }
void PersonDouble::OnMove(CZrObject* oldParent, const CZrPosition& oldPosition, uint32_t value)
{
    Record("OnMove from=" + Id(oldParent) + " old=" + PositionText(oldPosition) + " value=" + U(value));
}
void PersonDouble::OnDenied(uint32_t code, uint32_t destination, uint32_t value)
{
    Record("OnDenied " + U(code) + " " + U(destination) + " " + U(value));
}
void PersonDouble::OnReceive(CZrObject* sender, uint32_t value, const std::string& text, const CTvlBlob& blob)
{
    Record("OnReceive from=" + Id(sender) + " value=" + U(value) + " text=" + text + " blob=" + BlobText(&blob));
}
void PersonDouble::OnSendRefused(uint32_t value, uint32_t code) { Record("OnSendRefused " + U(value) + " " + U(code)); }
void PersonDouble::OnDataChanged(const CTvlBlob* newData, const CTvlBlob* oldData, uint32_t value)
{
    Record("OnDataChanged new=" + BlobText(newData) + " old=" + BlobText(oldData) + " value=" + U(value));
}
void PersonDouble::OnItemPut(CZrItem& item) { Record("OnItemPut " + U(item.GetCode())); }
void PersonDouble::OnItemRemoved(CZrItem& item) { Record("OnItemRemoved " + U(item.GetCode())); }
void PersonDouble::OnGroupRefused(uint32_t code) { Record("OnGroupRefused " + U(code)); }
void PersonDouble::OnAlerted(CZrObject* sender) { Record("OnAlerted " + Id(sender)); }
void PersonDouble::OnHostGained() { Record("OnHostGained"); }
void PersonDouble::OnHostLost() { Record("OnHostLost"); }
void PersonDouble::OnNotice(uint32_t value) { Record("OnNotice " + U(value)); }
void PersonDouble::OnTargeted(CZrObject* object) { Record("OnTargeted " + Id(object)); }
void PersonDouble::OnTargetCleared() { Record("OnTargetCleared"); }
void PersonDouble::OnPaired(CZrObject* partner, const CZrPosition& oldPosition, uint32_t value)
{
    Record("OnPaired " + Id(partner) + " old=" + PositionText(oldPosition) + " value=" + U(value));
}
void PersonDouble::OnGroupCreated(uint32_t value) { Record("OnGroupCreated " + U(value)); }
void PersonDouble::OnRequestError(uint32_t code, uint32_t kind, uint32_t value)
{
    Record("OnRequestError " + U(code) + " " + U(kind) + " " + U(value));
}
void PersonDouble::OnDataReset(const CTvlBlob* oldData) { Record("OnDataReset old=" + BlobText(oldData)); }
void PersonDouble::OnDataRefused(uint32_t code) { Record("OnDataRefused " + U(code)); }
void PersonDouble::OnInfoChanged()
{
    Record("OnInfoChanged " + GetPersonInfo().GetFullName() + "/" + GetPersonInfo().GetLocation() + "/" +
           GetPersonInfo().GetEmail());
}
void PersonDouble::OnFlagsChanged(CZrMemberFlags oldFlags)
{
    Record("OnFlagsChanged " + U(oldFlags.Word()) + "->" + U(GetFlags().Word()));
}
void PersonDouble::OnPlaced(CZrObject* oldParent, const CZrPosition& oldPosition)
{
    Record("OnPlaced from=" + Id(oldParent) + " old=" + PositionText(oldPosition));
}
void PersonDouble::OnReturned(CZrObject* oldParent, const CZrPosition& oldPosition)
{
    Record("OnReturned from=" + Id(oldParent) + " old=" + PositionText(oldPosition));
}
void PersonDouble::OnSignal(uint32_t value) { Record("OnSignal " + U(value)); }
void PersonDouble::OnKindChanged(uint32_t oldKind) { Record("OnKindChanged " + U(oldKind) + "->" + U(GetKind())); }

void GroupDouble::Record(const std::string& text)
{
    m_events.push_back(U(GetId()) + " " + text);
}

void GroupDouble::OnEnter() { Record("OnEnter"); }
void GroupDouble::OnLeave(const std::string& reason) { Record("OnLeave " + reason); }
void GroupDouble::OnMove(CZrObject* oldParent, const CZrPosition& oldPosition, uint32_t value)
{
    Record("OnMove from=" + Id(oldParent) + " old=" + PositionText(oldPosition) + " value=" + U(value));
}
void GroupDouble::OnDissolve() { Record("OnDissolve"); }
void GroupDouble::OnReceive(CZrObject* sender, uint32_t value, const std::string& text, const CTvlBlob&)
{
    Record("OnReceive from=" + Id(sender) + " value=" + U(value) + " text=" + text);
}

// ---------------------------------------------------------------- place

PlaceDouble::PlaceDouble(PersonDouble* myself, PlaceEvents& events)
    : CZrClientPlace(myself, new GroupDouble(events), new GroupDouble(events), nullptr), m_events(events)
{
}

void PlaceDouble::Record(const std::string& text)
{
    m_events.push_back("place " + text);
}

void PlaceDouble::OnReceive(CZrObject* sender, uint32_t value, const std::string& text, const CTvlBlob& blob)
{
    Record("OnReceive from=" + Id(sender) + " value=" + U(value) + " text=" + text + " blob=" + BlobText(&blob));
}
void PlaceDouble::OnSendRefused(uint32_t value, uint32_t code)
{
    Record("OnSendRefused " + U(value) + " " + U(code));
}
void PlaceDouble::OnEntering(CZrObject* target, const std::string& name, const CZrPlaceSelector&)
{
    Record("OnEntering " + Id(target) + " " + name);
}
void PlaceDouble::OnConnected() { Record("OnConnected"); }
void PlaceDouble::OnEntered(const CZrPosition* position, uint32_t flag, const std::string& text)
{
    Record("OnEntered " + (position ? PositionText(*position) : std::string("none")) + " " + U(flag) + " " + text);
}
void PlaceDouble::OnPlaceValue(uint32_t value) { Record("OnPlaceValue " + U(value)); }
void PlaceDouble::OnDisconnected(int32_t code, const std::string& text)
{
    Record("OnDisconnected " + std::to_string(code) + " " + text + " myself=" + U(GetMyself()->GetId()));
}
void PlaceDouble::OnBroadcast(const CBroadcastInfo& record) { Record("OnBroadcast " + record.texts[0]); }
void PlaceDouble::OnSuperUserError(uint32_t value) { Record("OnSuperUserError " + U(value)); }
void PlaceDouble::OnPlaceList(const PlaceList& places, uint32_t a, uint32_t b, uint32_t c)
{
    Record("OnPlaceList " + U(static_cast<uint32_t>(places.size())) + " " + U(a) + " " + U(b) + " " + U(c));
}
void PlaceDouble::OnPersonDescription(uint32_t id, const std::string& text, const PersonList& persons)
{
    Record("OnPersonDescription " + U(id) + " " + text + " " + U(static_cast<uint32_t>(persons.size())));
}
void PlaceDouble::whispered(const std::string& text, const CTvlBlob& blob, const CZrTextMessage& record,
                            const std::string& secondText)
{
    Record("whispered " + text + " blob=" + BlobText(&blob) + " from=" + U(record.senderId) + "/" + record.name +
           " value=" + U(record.value) + " " + secondText);
}
void PlaceDouble::OnTalkRefused(uint32_t target, uint32_t code) { Record("OnTalkRefused " + U(target) + " " + U(code)); }
void PlaceDouble::OnWarning(const std::string& text) { Record("OnWarning " + text); }
void PlaceDouble::OnMuted(uint32_t member) { Record("OnMuted " + U(member)); }
void PlaceDouble::OnUnmuted() { Record("OnUnmuted"); }
void PlaceDouble::OnDataLocked(uint32_t member) { Record("OnDataLocked " + U(member)); }
void PlaceDouble::OnDataUnlocked() { Record("OnDataUnlocked"); }
void PlaceDouble::OnPersonPicture(uint32_t person, const CTvlBlob* picture)
{
    Record("OnPersonPicture " + U(person) + " " + BlobText(picture));
}
void PlaceDouble::OnPairNotice(uint32_t value, uint32_t second) { Record("OnPairNotice " + U(value) + " " + U(second)); }
void PlaceDouble::OnObjectDescription(uint32_t a, uint32_t b, uint32_t c, uint32_t d, const CZrObjectDesc& desc)
{
    std::string members;
    for (const auto& member : desc.members)
        members += " " + member->name;
    Record("OnObjectDescription " + U(a) + " " + U(b) + " " + U(c) + " " + U(d) + " " + desc.name + " kind=" +
           U(desc.kind) + " members:" + members);
}
void PlaceDouble::OnPlaceReport(uint32_t a, uint32_t b, bool inPlace, uint32_t c, uint32_t value)
{
    Record("OnPlaceReport " + U(a) + " " + U(b) + " " + U(inPlace) + " " + U(c) + " " + U(value));
}
void PlaceDouble::OnMemberAppeared(const CZrObjectRef& reference)
{
    Record("OnMemberAppeared " + U(reference.ownerId));
}
void PlaceDouble::OnMemberLeft(const CZrObjectRef& reference) { Record("OnMemberLeft " + U(reference.ownerId)); }
void PlaceDouble::OnServiceReply(uint32_t id, uint32_t mode, const std::string& text, const CTvlBlob&,
                                 const CZrTextMessage& record)
{
    Record("OnServiceReply " + U(id) + " " + U(mode) + " " + text + " from=" + U(record.senderId));
}
void PlaceDouble::OnGameNotice(uint32_t id, uint32_t mode, const std::string& text, const CTvlBlob&,
                               const CZrObjectRef& member)
{
    Record("OnGameNotice " + U(id) + " " + U(mode) + " " + text + " member=" + U(member.ownerId));
}
void PlaceDouble::OnRequestFailed(uint32_t value, uint32_t target, uint32_t code)
{
    Record("OnRequestFailed " + U(value) + " " + U(target) + " " + U(code));
}
void PlaceDouble::OnInvitationFailed(uint32_t a, uint32_t b, uint32_t value)
{
    Record("OnInvitationFailed " + U(a) + " " + U(b) + " " + U(value));
}
void PlaceDouble::OnServerMessage(const std::string& text) { Record("OnServerMessage " + text); }
void PlaceDouble::OnInvited(uint32_t value, uint32_t id, const CZrString& key, uint32_t second)
{
    Record("OnInvited " + U(value) + " " + U(id) + " " + key.GetText() + "/" + U(key.GetValue()) + " " + U(second));
}
void PlaceDouble::OnUninvited(uint32_t value, uint32_t id, const CZrString& key, uint32_t second)
{
    Record("OnUninvited " + U(value) + " " + U(id) + " " + key.GetText() + "/" + U(key.GetValue()) + " " + U(second));
}
void PlaceDouble::OnNameKeyList(uint32_t value, uint32_t id, uint32_t field, const KeyList& keys)
{
    std::string names;
    for (const CZrString& key : keys)
        names += " " + key.GetText();
    Record("OnNameKeyList " + U(value) + " " + U(id) + " " + U(field) + names);
}
void PlaceDouble::OnPlaceFlag(uint32_t value, uint32_t id, uint32_t second, bool flag)
{
    Record("OnPlaceFlag " + U(value) + " " + U(id) + " " + U(second) + " " + U(flag));
}

// ---------------------------------------------------------------- connection

ConnectionDouble::~ConnectionDouble()
{
    if (session && !session->IsEnded())
        session->CloseFromServer(0);
}

void ConnectionDouble::Open(IZrSessionHandler& handler, uint32_t peerRole)
{
    session = std::make_unique<CZrSession>(this, &socket, handler, "host", peerRole);
}

void ConnectionDouble::OnSessionEnded(int32_t reason)
{
    up = false;
    ended.push_back(reason);
}

void ConnectionDouble::Queue(CZrClientPlace& place)
{
    if (std::find(queue.begin(), queue.end(), &place) == queue.end())
        queue.push_back(&place);
}

void ConnectionDouble::Unqueue(CZrClientPlace& place)
{
    queue.erase(std::remove(queue.begin(), queue.end(), &place), queue.end());
}

void ConnectionDouble::Flush()
{
    while (!queue.empty()) {
        CZrClientPlace* place = queue.front();
        queue.erase(queue.begin());
        place->OnConnectionUp(*this);
    }
}

const CZrObjectRef* ConnectionDouble::FindReference(uint32_t ownerId, uint32_t kind) const
{
    for (const CZrObjectRef& reference : references) {
        if (reference.ownerId == ownerId && reference.kind == kind)
            return &reference;
    }
    return nullptr;
}

const CZrObjectRef* ConnectionDouble::FindReferenceByOwner(uint32_t ownerId) const
{
    for (const CZrObjectRef& reference : references) {
        if (reference.ownerId == ownerId)
            return &reference;
    }
    return nullptr;
}

const CZrObjectRef* ConnectionDouble::FindReferenceByKind(uint32_t kind) const
{
    for (const CZrObjectRef& reference : references) {
        if (reference.kind == kind)
            return &reference;
    }
    return nullptr;
}

const CZrObjectRef* ConnectionDouble::AddReference(CZrMessageReader& reader, uint32_t localId)
{
    CZrObjectRef reference;
    if (!reference.Read(reader, localId))
        return nullptr;
    references.push_back(reference);
    return &references.back();
}

std::unique_ptr<CZrObjectRef> ConnectionDouble::RemoveReference(CZrMessageReader& reader)
{
    uint32_t owner = 0;
    if (!reader.GetLong(owner))
        return nullptr;
    for (auto it = references.begin(); it != references.end(); ++it) {
        if (it->ownerId == owner) {
            auto taken = std::make_unique<CZrObjectRef>(*it);
            references.erase(it);
            return taken;
        }
    }
    return nullptr;
}

int32_t ConnectionDouble::CheckHello(CZrMessageReader& reader, uint32_t& received)
{
    if (session && session->IsResuming())
        return reader.GetLong(received) ? 0 : 222;
    uint16_t count = 0;
    if (refuseHello || !reader.GetShort(count))
        return 222;
    for (uint16_t i = 0; i < count; ++i) {
        if (!AddReference(reader, 0))
            return 222;
    }
    return 0;
}

// ---------------------------------------------------------------- harness

PlaceHarness::PlaceHarness() : myself(new PersonDouble(events))
{
    place = std::make_unique<PlaceDouble>(myself, events);
    connection.Open(protocol, kPeerRole);
    Feed(CWireEncoder().Header(0).U16(3).U16(1).U16(0));
}

PlaceHarness::~PlaceHarness()
{
    place.reset();
    delete myself;
}

void PlaceHarness::Feed(const Bytes& message)
{
    connection.session->OnMessage(static_cast<uint32_t>(message.size()), message.data());
}

void PlaceHarness::Welcome(const PlaceBytes::WelcomeFields& fields)
{
    place->SendBlobRequest(connection, CZrString("ann", 1), "secret", 0x100, 11, 12);
    connection.Flush();
    Feed(PlaceBytes::Welcome(Key(), fields));
}

void PlaceHarness::Enter(const TreeBytes& room, const CZrPosition* position, uint32_t flag)
{
    place->SetPendingMember("http://page/", "", position, CZrPlaceSelector::Named("page"));
    connection.Flush();
    Feed(PlaceBytes::Op(Key(), kMyselfId, 3, PlaceBytes::Snapshot2(100, room, flag).Bytes()));
}

void PlaceHarness::Populate()
{
    Welcome();
    const TreeBytes children = TreeBytes().PersonChild(8, "bob", 0x100, TreeBytes().XY(10, 20)).PersonChild(9, "cat");
    Enter(PlaceBytes::Room(102, 10, children, 2));
    TakeEvents();
}

ZrProtocolError PlaceHarness::LastError() const
{
    if (connection.socket.sent.empty())
        return {};
    const Bytes& last = connection.socket.sent.back();
    if (last.size() < 7 || last[0] != 0 || last[1] != 3 || last[3] != 0 || last[4] != 222)
        return {};
    return {last[5], last[6]};
}

PlaceEvents PlaceHarness::TakeEvents()
{
    PlaceEvents taken;
    taken.swap(events);
    return taken;
}

uint16_t PlaceHarness::Key() const
{
    CZrPlaceBinding* binding = place->GetBinding();
    return binding ? binding->Key() : 0;
}
