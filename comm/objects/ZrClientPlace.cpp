#include "ZrClientPlace.h"

#include <utility>

#include "BroadcastInfo.h"
#include "TvlLog.h"
#include "ZrChannel.h"
#include "ZrItem.h"
#include "ZrMessage.h"
#include "ZrMessageReader.h"
#include "ZrPerson.h"
#include "ZrPersonDesc.h"
#include "ZrPlaceBinding.h"
#include "ZrPlaceDesc.h"
#include "ZrPlaceRequest.h"
#include "ZrProtocol.h"
#include "ZrSession.h"
#include "ZrTextMessage.h"

namespace {

constexpr char kFile[] = "ZrClnPlc";
constexpr int32_t kLineMyself = 28;
constexpr uint32_t kMyselfKind = 0x180;
constexpr uint32_t kRefusedLoginKind = 288;
constexpr uint16_t kLeaveCode = 0;
constexpr uint16_t kTextRecordMode = 2;
constexpr uint16_t kTextRecordSecondMode = 3;

// Texts that come from outside (page addresses, names, chat, DDE) are checked
// here so that the coder's fatal limit is never reached: such a request
// answers "bad argument".
bool Fits(std::string_view text)
{
    return text.size() <= TvlNdr::kMaxText;
}

bool IsGroupKind(uint32_t kind)
{
    return (kind & kZrKindGroup) != 0 && ZrKindCountBits8To15(kind);
}

bool Fail(uint8_t module, uint8_t error)
{
    return CZrPlaceBinding::Fail(module, error);
}

constexpr uint8_t kPlace = ZrModule::kClientPlace;

} // namespace

CZrClientPlace::CZrClientPlace(CZrPerson* myself, CZrGroup* room, CZrGroup* corridor, CTvlObject* owner)
    : CZrPlace(room, corridor, owner), m_myself(myself), m_entryCount(-1), m_loginValue(0),
      m_secondLoginValue(0), m_connection(nullptr), m_binding(nullptr)
{
    if (!myself || myself->GetId() != 0 || myself->GetChannel() || myself->GetParent())
        TvlFatal(kLineMyself, kFile);
    corridor->AddChild(myself);
    myself->SetKind(kMyselfKind);
}

CZrClientPlace::~CZrClientPlace()
{
    DropPending();
    Disconnect();
    if (m_myself->GetParent())
        m_myself->GetParent()->RemoveChild(m_myself);
}

bool CZrClientPlace::IsConnected()
{
    return m_myself->GetId() != 0;
}

bool CZrClientPlace::IsReady()
{
    return GetId() != 0;
}

bool CZrClientPlace::HasReadyChannel()
{
    return IsReady() && m_binding && m_binding->IsUp();
}

bool CZrClientPlace::IsInTree(const CZrObject& object)
{
    return const_cast<CZrObject&>(object).FindRoot() == this;
}

bool CZrClientPlace::RegisterMember(uint32_t id, CZrMemberHandle& handle)
{
    CZrChannel* channel = m_binding ? m_binding->GetChannel() : nullptr;
    if (!channel)
        return true;
    ZrRecordHandle record = handle.Shared();
    if (!channel->Session().Registrations().Register(id, record))
        return false;
    if (record != handle.Shared())
        handle.ShareBodyOf(CZrMemberHandle(std::static_pointer_cast<CZrMemberRecord>(record)));
    return true;
}

void CZrClientPlace::PruneRegistrations()
{
    CZrChannel* channel = m_binding ? m_binding->GetChannel() : nullptr;
    if (channel)
        channel->Session().Registrations().Prune(CZrProtocol::RegistrationLimit());
}

bool CZrClientPlace::SendOperation(CZrMessage& message)
{
    return m_myself->Send(message);
}

bool CZrClientPlace::SendPlain(CZrMessage& message)
{
    return m_binding && m_binding->Send(message);
}

// ---------------------------------------------------------------- login and entry

int32_t CZrClientPlace::SendBlobRequest(IZrPlaceConnection& connection, const CZrString& nameKey,
                                        std::string_view text, uint32_t kind, uint32_t value, uint32_t secondValue)
{
    if (!Fits(text))
        return ZrRequest::kBadArgument;
    TvlNdr writer;
    writer.PutText(text);
    const CTvlBlob credentials(writer.Used(), writer.Data());
    return Login(connection, nameKey, credentials, kind, value, secondValue);
}

int32_t CZrClientPlace::Login(IZrPlaceConnection& connection, const CZrString& nameKey,
                              const CTvlBlob& credentials, uint32_t kind, uint32_t value, uint32_t secondValue)
{
    CZrChannel* channel = m_binding ? m_binding->GetChannel() : nullptr;
    if (channel && &channel->Session() != connection.Session())
        return ZrRequest::kBadArgument;
    if (!connection.IsUp() || !ZrKindIsOtherPerson(kind) || ZrNormalisePersonKind(kind) == kRefusedLoginKind ||
        !ZrKindCountBits8To15(kind) || !Fits(nameKey.GetText()))
        return ZrRequest::kBadArgument;
    m_credentials = credentials;
    m_loginValue = value;
    m_secondLoginValue = secondValue;
    m_connection = &connection;
    auto pending = std::make_unique<Pending>();
    pending->kind = Pending::kLogin;
    pending->name = nameKey.GetText();
    pending->tag = nameKey.GetValue();
    pending->personKind = kind;
    QueuePending(std::move(pending));
    return ZrRequest::kSent;
}

int32_t CZrClientPlace::SetPendingMember(const std::string& name, const std::string& text,
                                         const CZrPosition* position, const CZrPlaceSelector& selector)
{
    if (!IsConnected())
        return ZrRequest::kNotConnected;
    if ((position && position->IsSingle()) || (m_pending && m_pending->kind != Pending::kEnter) ||
        !Fits(name) || !Fits(text) || !Fits(selector.GetName()) || (position && !Fits(position->GetName())))
        return ZrRequest::kBadArgument;
    auto pending = std::make_unique<Pending>();
    pending->kind = Pending::kEnter;
    pending->name = name;
    pending->text = text;
    pending->hasPosition = position != nullptr;
    if (position)
        pending->position = *position;
    pending->selector = selector;
    QueuePending(std::move(pending));
    return ZrRequest::kSent;
}

void CZrClientPlace::QueuePending(std::unique_ptr<Pending> pending)
{
    const bool wasQueued = m_pending != nullptr;
    m_pending = std::move(pending);
    if (!wasQueued && m_connection)
        m_connection->Queue(*this);
}

void CZrClientPlace::DropPending()
{
    m_pending.reset();
    if (m_connection)
        m_connection->Unqueue(*this);
}

void CZrClientPlace::OnConnectionUp(IZrPlaceConnection& connection)
{
    std::unique_ptr<Pending> pending = std::move(m_pending);
    if (pending)
        SendPending(connection, *pending);
}

void CZrClientPlace::SendPending(IZrPlaceConnection& connection, Pending& pending)
{
    if (pending.kind == Pending::kLogin)
        SendLogin(connection, pending);
    else
        SendEnterRecord(pending);
}

void CZrClientPlace::SendLogin(IZrPlaceConnection& connection, const Pending& pending)
{
    Disconnect();
    m_myself->GetInfo().SetName(pending.name);
    m_myself->SetNameTag(pending.tag);
    m_myself->SetKind(ZrKindSetBit7(pending.personKind));
    CZrSession* session = connection.Session();
    if (!session || session->IsEnded())
        return;
    CZrChannel& channel = session->DefaultChannel();
    auto link = std::make_unique<CZrPlaceBinding>(channel, *this, *m_myself);
    m_binding = static_cast<CZrPlaceBinding*>(channel.AddLink(std::move(link)));
    m_myself->SetChannel(m_binding);
    m_myself->GetPersonInfo().SetValue(channel.PeerRole());
    CZrMessage login;
    const CZrMessage::StatusRecord nameKey{m_myself->GetName(), m_myself->GetNameTag()};
    login.BuildLogin(m_binding->Key(), nameKey, static_cast<uint16_t>(ZrKindLow7(m_myself->GetKind())),
                     m_credentials);
    m_binding->Send(login);
}

void CZrClientPlace::SendEnterRecord(const Pending& pending)
{
    std::vector<std::unique_ptr<CZrObject>> removed;
    ResetTree(m_myself, pending.name, &removed);
    if (pending.hasPosition) {
        GetCorridor()->RemoveChild(m_myself);
        m_myself->SetPosition(pending.position);
        GetRoom()->SetCapacity(1);
        GetRoom()->AddChild(m_myself);
    }
    if (m_binding)
        m_binding->SendEnter(pending.hasPosition ? &pending.position : nullptr, pending.text, pending.selector);
}

int32_t CZrClientPlace::SendGroupRequest(const std::string& name, const std::string& text,
                                         const CZrPosition* position, const CZrPlaceSelector& selector)
{
    CZrGroup* parent = m_myself->GetParent();
    if (!parent || (position && position->IsSingle()) || !Fits(name) || !Fits(text) ||
        !Fits(selector.GetName()) || (position && !Fits(position->GetName())))
        return ZrRequest::kBadArgument;
    if (!HasReadyChannel())
        return ZrRequest::kNotReady;
    CZrPlaceRequest request;
    request.BuildGroupEntry(parent->GetId(), name, position, selector, text);
    SendOperation(request);
    return ZrRequest::kSent;
}

void CZrClientPlace::Disconnect()
{
    if (!m_binding)
        return;
    if (m_binding->IsUp()) {
        CZrMessage leave;
        leave.BuildLeave(m_binding->Key(), m_myself->GetId(), kLeaveCode);
        m_binding->Send(leave);
    }
    m_myself->DropChannel();
    if (IsConnected())
        ResetTree(nullptr, std::string(), nullptr);
}

void CZrClientPlace::OnBindingReleased()
{
    m_binding = nullptr;
}

ZrProtocolError CZrClientPlace::ReadWelcome(CZrMessageReader& reader)
{
    if (IsConnected())
        return {kPlace, 1};
    uint32_t memberId = 0;
    std::string name;
    uint32_t kind = 0;
    uint32_t placeId = 0;
    uint32_t corridorId = 0;
    uint32_t roomId = 0;
    uint16_t entryCount = 0;
    CZrMemberFlags flags;
    if (!reader.GetLong(memberId) || !reader.GetText(name) || !reader.GetKind(kind) || !reader.GetLong(placeId) ||
        !reader.GetLong(corridorId) || !reader.GetLong(roomId) || !reader.GetShort(entryCount) || !flags.Read(reader) ||
        memberId == 0 || placeId == 0 || corridorId == 0 || roomId == 0 || !ZrKindIsOtherPerson(kind))
        return {kPlace, 2};
    std::string fullName;
    if (reader.Remaining() != 0 && !reader.GetText(fullName))
        return {kPlace, 2};
    m_myself->SetId(memberId);
    if (m_myself->GetName().empty())
        m_myself->GetInfo().SetName(name);
    m_myself->SetKind(ZrKindSetBit7(kind));
    if (!(flags == m_myself->GetFlags()))
        m_myself->SetFlags(flags);
    SetId(placeId);
    GetCorridor()->SetId(corridorId);
    GetRoom()->SetId(roomId);
    m_entryCount = entryCount == 0 ? -1 : static_cast<int16_t>(entryCount);
    if (!fullName.empty())
        m_myself->GetPersonInfo().SetFullName(fullName);
    if (flags.Has(CZrMemberFlags::kDataLocked)) {
        std::unique_ptr<CTvlBlob> old = m_myself->GetInfo().ReplaceMemberData(nullptr);
        m_myself->OnDataReset(old.get());
    }
    if (m_binding) {
        TvlNdr description;
        m_myself->Marshal(description);
        CZrMessage reply;
        reply.BuildWelcomeReply(m_binding->Key(), description, m_loginValue, m_secondLoginValue);
        m_binding->Send(reply);
    }
    OnConnected();
    return {};
}

// ---------------------------------------------------------------- tree reset

// Without an object the local user loses its identifier and member flags and
// is the object. The place returns to its state before any entry, keeps the
// name, and every other object of the standing groups is taken out; the
// object then stands in group 1025.
void CZrClientPlace::ResetTree(CZrObject* object, const std::string& name,
                               std::vector<std::unique_ptr<CZrObject>>* removed)
{
    if (!object) {
        m_myself->SetId(0);
        if (m_myself->GetFlags().Word() != 0)
            m_myself->SetFlags(CZrMemberFlags());
        object = m_myself;
    }
    SetKind(kKind);
    SetPlaceData(1, std::string(), 0, 0, std::string());
    SetId(0);
    GetInfo().SetName(name);
    if (object->GetParent())
        object->GetParent()->RemoveChild(object);
    ClearStandingGroups(removed);
    GetRoom()->SetId(0);
    GetCorridor()->SetId(0);
    GetCorridor()->AddChild(object);
    GetRoom()->GetInfo().Items().Clear();
    if (object == m_myself) {
        m_myself->ClearPending();
        m_myself->SetPosition(CZrPosition());
    }
}

void CZrClientPlace::ClearStandingGroups(std::vector<std::unique_ptr<CZrObject>>* removed)
{
    for (CZrGroup* group : {GetRoom(), GetCorridor()}) {
        while (group->ChildCount() != 0) {
            CZrObject* child = group->Children().Begin().Get<CZrObject>();
            group->RemoveChild(child);
            if (removed)
                removed->emplace_back(child);
            else
                delete child;
        }
    }
}

void CZrClientPlace::PruneCorridor()
{
    CZrGroup* group = GetCorridor();
    std::vector<CZrObject*> departed;
    for (CTvlListIter it = group->Children().Begin(); it.IsValid(); it.Next()) {
        CZrObject* child = it.Get<CZrObject>();
        if (!m_myself->IsInside(child))
            departed.push_back(child);
    }
    for (CZrObject* child : departed) {
        child->OnLeave(std::string());
        group->DeleteChild(child);
    }
}

// ---------------------------------------------------------------- look-ups

const CZrObjectRef* CZrClientPlace::FindMember(uint32_t kind) const
{
    if (m_myself->GetId() == 0 || !m_connection)
        return nullptr;
    return m_connection->FindReferenceByKind(kind);
}

const CZrObjectRef* CZrClientPlace::FindMemberOfSession(uint32_t ownerId) const
{
    if (m_myself->GetId() == 0 || !m_connection)
        return nullptr;
    return m_connection->FindReferenceByOwner(ownerId);
}

const CZrObjectRef* CZrClientPlace::FindMemberOfSessionEx(uint32_t ownerId, uint32_t kind) const
{
    if (m_myself->GetId() == 0 || !m_connection)
        return nullptr;
    return m_connection->FindReference(ownerId, kind);
}

// ---------------------------------------------------------------- requests about objects

bool CZrClientPlace::CanRequestFor(const CZrObject& object)
{
    return &object == m_myself || (m_myself->IsHostOfParent() && &object == m_myself->GetParent());
}

// Tests shared by operations 6 to 8. A destination found in the place must
// be a container other than the place; one the object cannot go to is
// refused on the object (OnDenied) without sending.
int32_t CZrClientPlace::CheckDestination(CZrObject& object, uint32_t destination, uint32_t value, bool& refused)
{
    refused = false;
    if (!IsInTree(object) || !CanRequestFor(object) || value == 0)
        return ZrRequest::kBadArgument;
    if (!m_myself->IsConnected())
        return ZrRequest::kNotReady;
    if (destination == 0)
        return ZrRequest::kBadArgument;
    CZrObject* found = FindTargetById(destination);
    if (!found)
        return ZrRequest::kSent;
    CZrGroup* group = found->AsGroup();
    if (!found->IsContainer() || !group || found == this)
        return ZrRequest::kBadArgument;
    uint32_t code = 0;
    if (found->IsInside(&object))
        code = kDeniedInside;
    else if (!group->CanAccept(object))
        code = group == GetRoom() ? kDeniedRoomFull : kDeniedFull;
    if (code != 0) {
        refused = true;
        object.OnDenied(code, destination, value);
    }
    return ZrRequest::kSent;
}

int32_t CZrClientPlace::Request(CZrObject& object, uint32_t destination, const CZrPosition& position,
                                uint32_t value)
{
    bool refused = false;
    const int32_t result = CheckDestination(object, destination, value, refused);
    if (result != ZrRequest::kSent || refused)
        return result;
    if (!Fits(position.GetName()))
        return ZrRequest::kBadArgument;
    CZrPlaceRequest request;
    request.BuildMove(object.GetId(), destination, position, static_cast<uint16_t>(value), nullptr);
    SendOperation(request);
    return ZrRequest::kSent;
}

int32_t CZrClientPlace::RequestForTargetEx(CZrObject& object, uint32_t destination, uint32_t value,
                                           uint32_t second)
{
    if (second == 0)
        return ZrRequest::kBadArgument;
    bool refused = false;
    const int32_t result = CheckDestination(object, destination, value, refused);
    if (result != ZrRequest::kSent || refused)
        return result;
    CZrPlaceRequest request;
    request.BuildTargetEx(object.GetId(), destination, static_cast<uint16_t>(value), static_cast<uint16_t>(second));
    SendOperation(request);
    return ZrRequest::kSent;
}

int32_t CZrClientPlace::RequestForTarget(CZrObject& object, uint32_t destination, uint32_t value)
{
    bool refused = false;
    const int32_t result = CheckDestination(object, destination, value, refused);
    if (result != ZrRequest::kSent || refused)
        return result;
    CZrPlaceRequest request;
    request.BuildTarget(object.GetId(), destination, static_cast<uint16_t>(value));
    SendOperation(request);
    return ZrRequest::kSent;
}

int32_t CZrClientPlace::RequestMove(CZrObject& object, uint32_t value, std::string_view text, const CTvlBlob& blob)
{
    if (!Fits(text))
        return ZrRequest::kBadArgument;
    if (!m_myself->IsConnected())
        return ZrRequest::kNotReady;
    if (!IsInTree(object))
        return ZrRequest::kOutside;
    if (m_myself->GetFlags().Has(CZrMemberFlags::kNoSend)) {
        object.OnSendRefused(value, kRefusedByFlags);
        return ZrRequest::kSent;
    }
    CZrPlaceRequest request;
    request.BuildObjectMessage(m_myself->GetId(), object.GetId(), static_cast<uint16_t>(value), text, blob);
    SendOperation(request);
    return ZrRequest::kSent;
}

int32_t CZrClientPlace::RequestJoin(CZrObject& object, uint32_t mode)
{
    CZrInfo& info = object.GetInfo();
    if (info.IsDataRequested())
        return ZrRequest::kSent;
    if (mode == 0 || !IsInTree(object))
        return ZrRequest::kBadArgument;
    const CZrMemberRecord& record = info.Member().Body();
    if (record.DataFlag() == 0)
        return ZrRequest::kNoDataFlag;
    if (record.GetData())
        return ZrRequest::kHasData;
    info.SetDataRequested(true);
    CZrPlaceRequest request;
    request.BuildJoin(object.GetId(), static_cast<uint16_t>(mode), nullptr);
    SendOperation(request);
    return ZrRequest::kSent;
}

int32_t CZrClientPlace::PutItem(CZrObject& object, const CZrItem& item)
{
    if (!IsInTree(object) || !Fits(item.GetText()))
        return ZrRequest::kBadArgument;
    if (&object == m_myself)
        m_myself->GetInfo().Items().Put(item);
    if (!HasReadyChannel())
        return ZrRequest::kSent;
    CZrPlaceRequest request;
    request.BuildPutItem(object.GetId(), item);
    SendOperation(request);
    return ZrRequest::kSent;
}

int32_t CZrClientPlace::RemoveItem(CZrObject& object, uint16_t code)
{
    if (!IsInTree(object))
        return ZrRequest::kBadArgument;
    if (&object == m_myself)
        m_myself->GetInfo().Items().Take(code);
    if (!HasReadyChannel())
        return ZrRequest::kSent;
    CZrPlaceRequest request;
    request.BuildRemoveItem(object.GetId(), code);
    SendOperation(request);
    return ZrRequest::kSent;
}

int32_t CZrClientPlace::RequestPersonOp(const CZrGroupInfo& record, uint32_t kind, CZrObject& other, uint32_t value)
{
    if (&other == m_myself || !IsInTree(other) || !other.HasBit8() || record.GetCapacity() <= 1 ||
        !IsGroupKind(kind) || value == 0 || !Fits(record.GetName()))
        return ZrRequest::kBadArgument;
    if (!HasReadyChannel())
        return ZrRequest::kNotReady;
    if (other.GetParent() && other.GetParent()->GetHost() == &other) {
        m_myself->OnRequestError(kPartnerIsHost, kind, value);
        return ZrRequest::kSent;
    }
    m_myself->AddPending(record.Member());
    CZrPlaceRequest request;
    const uint32_t partnerParent = other.GetParent() ? other.GetParent()->GetId() : 0;
    request.BuildPair(m_myself->GetId(), record, UsesFullInfo(), static_cast<uint16_t>(kind), partnerParent,
                      static_cast<uint16_t>(value), other.GetId());
    SendOperation(request);
    return ZrRequest::kSent;
}

int32_t CZrClientPlace::RequestGroupOp(const CZrGroupInfo& record, uint32_t kind, CZrObject& other,
                                       const CZrPosition& position, uint32_t value)
{
    if (&other == this || !IsInTree(other) || record.GetCapacity() == 0 || position.IsSingle() ||
        !IsGroupKind(kind) || value == 0 || !Fits(record.GetName()) || !Fits(position.GetName()))
        return ZrRequest::kBadArgument;
    if (!HasReadyChannel())
        return ZrRequest::kNotReady;
    m_myself->AddPending(record.Member());
    CZrPlaceRequest request;
    request.BuildGroupOp(m_myself->GetId(), record, UsesFullInfo(), static_cast<uint16_t>(kind), other.GetId(),
                         static_cast<uint16_t>(value), position);
    SendOperation(request);
    return ZrRequest::kSent;
}

int32_t CZrClientPlace::RequestTarget(CZrObject* target)
{
    if (!target)
        return ZrRequest::kBadArgument;
    if (!HasReadyChannel())
        return ZrRequest::kNotReady;
    if (!IsInTree(*target))
        return ZrRequest::kOutside;
    if (m_myself->GetFlags().Has(CZrMemberFlags::kNoTarget))
        return ZrRequest::kSent;
    m_myself->SetTargetPending(true);
    CZrPlaceRequest request;
    request.BuildTargetRequest(m_myself->GetId(), target->GetId());
    SendOperation(request);
    return ZrRequest::kSent;
}

int32_t CZrClientPlace::RequestClearPending()
{
    if (!HasReadyChannel())
        return ZrRequest::kNotReady;
    if (m_myself->GetFlags().Has(CZrMemberFlags::kNoTarget) || !m_myself->IsTargetPending())
        return ZrRequest::kSent;
    m_myself->SetTargetPending(false);
    CZrPlaceRequest request;
    request.BuildClearTarget(m_myself->GetId());
    SendOperation(request);
    return ZrRequest::kSent;
}

int32_t CZrClientPlace::RequestGroup(CZrObject& object)
{
    if (!HasReadyChannel())
        return ZrRequest::kNotReady;
    if (!IsInTree(object))
        return ZrRequest::kOutside;
    if (m_myself->GetFlags().Has(CZrMemberFlags::kNoSend)) {
        m_myself->OnGroupRefused(kRefusedByFlags);
        return ZrRequest::kSent;
    }
    CZrPlaceRequest request;
    request.BuildAlert(m_myself->GetId(), object.GetId());
    SendOperation(request);
    return ZrRequest::kSent;
}

int32_t CZrClientPlace::SetMyMemberData(CZrObject& object, std::unique_ptr<CTvlBlob> data)
{
    if (&object != m_myself)
        return ZrRequest::kBadArgument;
    if (m_myself->GetFlags().Has(CZrMemberFlags::kDataLocked)) {
        m_myself->OnDataRefused(kRefusedByFlags);
        return ZrRequest::kSent;
    }
    CZrMemberRecord& record = m_myself->GetInfo().Member().Body();
    const uint8_t serial = static_cast<uint8_t>(record.Serial() + 1);
    record.SetSerial(serial);
    record.SetDataFlag(data != nullptr);
    m_myself->GetInfo().ReplaceMemberData(std::move(data));
    if (!HasReadyChannel())
        return ZrRequest::kSent;
    CZrPlaceRequest request;
    request.BuildMemberData(m_myself->GetId(), serial, record.GetData());
    SendOperation(request);
    return ZrRequest::kSent;
}

int32_t CZrClientPlace::SetMyInfo(const std::string* fullName, const std::string* location, const std::string* email)
{
    if ((fullName && !Fits(*fullName)) || (location && !Fits(*location)) || (email && !Fits(*email)))
        return ZrRequest::kBadArgument;
    CZrPersonInfo& info = m_myself->GetPersonInfo();
    if (fullName)
        info.SetFullName(*fullName);
    if (location)
        info.SetLocation(*location);
    if (email)
        info.SetEmail(*email);
    if (!HasReadyChannel())
        return ZrRequest::kSent;
    CZrPlaceRequest request;
    request.BuildIdentity(m_myself->GetId(), info.GetFullName(), info.GetLocation(), info.GetEmail());
    SendOperation(request);
    return ZrRequest::kSent;
}

int32_t CZrClientPlace::SendPosition(CZrObject& object, const CZrPosition& position)
{
    if (position.IsSingle() || &object == m_myself || !m_myself->IsHostOfParent() ||
        object.GetParent() != m_myself->GetParent() || !Fits(position.GetName()))
        return ZrRequest::kBadArgument;
    CZrPlaceRequest request;
    request.BuildPosition(object.GetId(), object.GetParent()->GetId(), position);
    SendOperation(request);
    return ZrRequest::kSent;
}

int32_t CZrClientPlace::RequestGroupLeave(CZrObject& object)
{
    if (&object == m_myself || !object.IsInside(GetRoom()))
        return ZrRequest::kBadArgument;
    const uint32_t room = GetRoom()->GetId();
    CZrPlaceRequest request;
    request.BuildGroupLeave(object.GetId(), &room);
    SendOperation(request);
    return ZrRequest::kSent;
}

int32_t CZrClientPlace::SendInviteRequest(uint32_t value, uint32_t id, const CZrString& key)
{
    if (!HasReadyChannel())
        return ZrRequest::kNotReady;
    if (key.GetText().empty() || !Fits(key.GetText()))
        return ZrRequest::kBadArgument;
    CZrPlaceRequest request;
    request.BuildPlaceRequest(28, m_myself->GetId(), static_cast<uint16_t>(value), id, key, nullptr);
    SendOperation(request);
    return ZrRequest::kSent;
}

int32_t CZrClientPlace::SendUninviteRequest(uint32_t value, uint32_t id, const CZrString& key)
{
    if (!HasReadyChannel())
        return ZrRequest::kNotReady;
    if (!Fits(key.GetText()))
        return ZrRequest::kBadArgument;
    CZrPlaceRequest request;
    request.BuildPlaceRequest(29, m_myself->GetId(), static_cast<uint16_t>(value), id, key, nullptr);
    SendOperation(request);
    return ZrRequest::kSent;
}

// ---------------------------------------------------------------- requests of other message types

int32_t CZrClientPlace::SendUserMessage(uint32_t target, std::string_view text, const CTvlBlob& blob)
{
    if (!IsConnected())
        return ZrRequest::kNotConnected;
    if (!Fits(text))
        return ZrRequest::kBadArgument;
    if (m_myself->GetFlags().Has(CZrMemberFlags::kNoSend)) {
        OnTalkRefused(target, kRefusedByFlags);
        return ZrRequest::kSent;
    }
    CZrMessage message;
    message.BuildText(m_myself->GetId(), text, blob, target);
    SendPlain(message);
    return ZrRequest::kSent;
}

int32_t CZrClientPlace::SendRequestB(const CBroadcastInfo& record, const bool* flag)
{
    if (!IsConnected())
        return ZrRequest::kNotConnected;
    for (const std::string& text : record.texts) {
        if (!Fits(text))
            return ZrRequest::kBadArgument;
    }
    TvlNdr coded;
    record.Write(coded);
    CZrMessage message;
    message.BuildBroadcast(m_myself->GetId(), coded, flag);
    SendPlain(message);
    return ZrRequest::kSent;
}

int32_t CZrClientPlace::SendLookupRequest(uint32_t first, uint32_t second, std::string_view text, bool flagA,
                                          bool flagB)
{
    if (!IsConnected())
        return ZrRequest::kNotConnected;
    if (!Fits(text))
        return ZrRequest::kBadArgument;
    CZrMessage message;
    message.BuildLookupRequest(m_myself->GetId(), first, second, text, flagA, flagB);
    SendPlain(message);
    return ZrRequest::kSent;
}

int32_t CZrClientPlace::SendSimpleRequest(uint32_t value)
{
    if (!IsConnected())
        return ZrRequest::kNotConnected;
    CZrMessage message;
    message.BuildPictureRequest(m_myself->GetId(), value, nullptr);
    SendPlain(message);
    return ZrRequest::kSent;
}

int32_t CZrClientPlace::SendRequestEx(uint32_t value, uint32_t target, bool withPlace, uint32_t first,
                                      uint32_t second)
{
    if (!IsConnected())
        return ZrRequest::kNotConnected;
    if (withPlace && !IsReady())
        return ZrRequest::kNotReady;
    CZrMessage message;
    message.BuildMembersRequest(m_myself->GetId(), value, withPlace ? GetId() : 0, static_cast<uint16_t>(first), target,
                                second);
    SendPlain(message);
    return ZrRequest::kSent;
}

int32_t CZrClientPlace::SendRequest(std::string_view first, std::string_view second)
{
    if (!IsConnected())
        return ZrRequest::kNotConnected;
    if (!Fits(first) || !Fits(second))
        return ZrRequest::kBadArgument;
    CZrMessage message;
    message.BuildTextsRequest(m_myself->GetId(), first, second);
    SendPlain(message);
    return ZrRequest::kSent;
}

int32_t CZrClientPlace::SendRequestA(uint32_t value)
{
    if (!IsConnected())
        return ZrRequest::kNotConnected;
    CZrMessage message;
    message.BuildPlaceListRequest(m_myself->GetId(), value);
    SendPlain(message);
    return ZrRequest::kSent;
}

int32_t CZrClientPlace::SendPlacesQuery(uint32_t first, uint32_t second, bool flag)
{
    if (!IsConnected())
        return ZrRequest::kNotConnected;
    CZrMessage message;
    message.BuildPlacesQuery(m_myself->GetId(), first, second, flag);
    SendPlain(message);
    return ZrRequest::kSent;
}

int32_t CZrClientPlace::SendMemberRequest(uint32_t value, uint32_t member, uint16_t mode, std::string_view text,
                                          const CTvlBlob& blob)
{
    if (!IsConnected())
        return ZrRequest::kNotConnected;
    if (!Fits(text))
        return ZrRequest::kBadArgument;
    if (!FindMemberOfSession(member)) {
        OnRequestFailed(value, member, ZrRequest::kNoRecipient);
        return ZrRequest::kNoRecipient;
    }
    CZrMessage message;
    message.BuildMemberRequest(m_myself->GetId(), value, mode, text, blob, member);
    SendPlain(message);
    return ZrRequest::kSent;
}

int32_t CZrClientPlace::SendTextRecord(uint32_t value, const TvlNdr& record, uint16_t mode)
{
    const CZrObjectRef* service = FindMember(kTextServiceKind);
    if (!service)
        return ZrRequest::kNoRecipient;
    const CTvlBlob blob(record.Used(), record.Data());
    return SendMemberRequest(value, service->ownerId, mode, std::string_view(), blob);
}

int32_t CZrClientPlace::SendTextRequestMode(uint8_t mode, uint32_t value, const CZrString& key, uint32_t number,
                                            std::string_view text)
{
    if (!IsConnected())
        return ZrRequest::kNotConnected;
    if (!Fits(key.GetText()) || !Fits(text))
        return ZrRequest::kBadArgument;
    TvlNdr record;
    CZrMessage::WriteStatusPayload(record, {key.GetText(), key.GetValue()}, mode, number, text);
    return SendTextRecord(value, record, kTextRecordMode);
}

int32_t CZrClientPlace::SendEjectRequest(uint32_t value, const CZrString& key, uint32_t number, std::string_view text)
{
    return SendTextRequestMode(0, value, key, number, text);
}

int32_t CZrClientPlace::SendGagRequest(uint32_t value, const CZrString& key, uint32_t number, std::string_view text)
{
    return SendTextRequestMode(1, value, key, number, text);
}

int32_t CZrClientPlace::SendBanRequest(uint32_t value, const CZrString& key, uint32_t number, std::string_view text)
{
    return SendTextRequestMode(2, value, key, number, text);
}

int32_t CZrClientPlace::SendWarningRequest(uint32_t value, const CZrString& key, std::string_view first,
                                          std::string_view second)
{
    if (!IsConnected())
        return ZrRequest::kNotConnected;
    if (!Fits(key.GetText()) || !Fits(first) || !Fits(second))
        return ZrRequest::kBadArgument;
    TvlNdr record;
    CZrMessage::WriteStatusPayload(record, {key.GetText(), key.GetValue()}, first, second);
    return SendTextRecord(value, record, kTextRecordSecondMode);
}

// ---------------------------------------------------------------- incoming place operations

CZrObject* CZrClientPlace::FindTargetById(uint32_t id)
{
    return id == 0 ? nullptr : FindById(id);
}

// The pending record goes and the place leaves the send queue; the place
// hears the code while the local user and the place show no identifier;
// then a connected place is reset.
void CZrClientPlace::OnChannelClosed(CZrPerson*, int32_t code, const std::string& text)
{
    m_binding = nullptr;
    DropPending();
    const uint32_t myselfId = m_myself->GetId();
    const uint32_t placeId = GetId();
    m_myself->SetId(0);
    SetId(0);
    OnDisconnected(code, text);
    m_myself->SetId(myselfId);
    SetId(placeId);
    if (IsConnected())
        ResetTree(nullptr, std::string(), nullptr);
}

bool CZrClientPlace::HandleEnterRequest()
{
    return Fail(kPlace, 19);
}

bool CZrClientPlace::HandleGroupEntry(CZrObject& target, const std::string& name, const CZrPosition* position,
                                      const CZrPlaceSelector& selector, TvlNdr& reader)
{
    if (!m_myself->IsInside(&target) || (position && position->IsSingle()))
        return Fail(kPlace, 20);
    OnEntering(&target, name, selector);
    ResetTree(m_myself, name, nullptr);
    uint32_t flag = 0;
    std::string last;
    if (!ReadSnapshot(reader, false, position, name, flag, last)) {
        ResetTree(m_myself, name, nullptr);
        return Fail(kPlace, 22);
    }
    SetPlaceData(selector.IsNumeric() ? selector.GetNumber() : 1, selector.GetName(), GetFirstValue(),
                 GetSecondValue(), GetLocation());
    ApplyPlacement(position != nullptr, flag, position ? *position : CZrPosition());
    PruneRegistrations();
    OnEntered(position, flag, last);
    return true;
}

bool CZrClientPlace::HandlePlaceValue(uint32_t value)
{
    OnPlaceValue(value);
    return true;
}

// The second form of the snapshot (the answer to the enter request): the
// local user stands in group 1025 while group 1024 is read, and goes back to
// its old position afterwards unless the flag says it was not placed.
bool CZrClientPlace::HandleEntryConfirmed(TvlNdr& reader)
{
    if (IsReady())
        return Fail(kPlace, 5);
    const bool stoodInRoom = m_myself->GetParent() == GetRoom();
    const CZrPosition oldPosition = m_myself->GetPosition();
    const std::string name = GetName();
    if (stoodInRoom) {
        GetRoom()->RemoveChild(m_myself);
        m_myself->SetPosition(CZrPosition());
        GetCorridor()->AddChild(m_myself);
    }
    uint32_t flag = 0;
    std::string last;
    if (!ReadSnapshot(reader, true, nullptr, name, flag, last)) {
        ResetTree(m_myself, name, nullptr);
        return Fail(kPlace, 6);
    }
    ApplyPlacement(stoodInRoom, flag, oldPosition);
    PruneRegistrations();
    OnEntered(stoodInRoom ? &oldPosition : nullptr, flag, last);
    return true;
}

// Reads the snapshot's fields after the operation's own: place identifier,
// kind, (second form: the place's name and selector), group 1025's
// identifier, group 1024 in its object form, the flag, the auditorium fields
// and the last text, which may be missing.
bool CZrClientPlace::ReadSnapshot(TvlNdr& reader, bool secondForm, const CZrPosition* position,
                                  const std::string& name, uint32_t& flag, std::string& last)
{
    uint32_t placeId = 0;
    uint32_t kind = 0;
    std::string placeName = name;
    CZrPlaceSelector selector;
    uint32_t corridorId = 0;
    if (!reader.GetLong(placeId) || placeId == 0 || !reader.GetKind(kind) || (kind & kZrKindPlace) == 0)
        return false;
    if (secondForm && (!reader.GetText(placeName) || !selector.Read(reader)))
        return false;
    if (!reader.GetLong(corridorId) || corridorId == 0)
        return false;
    CZrGroup* room = GetRoom();
    std::vector<std::unique_ptr<CZrObject>> previous;
    while (room->ChildCount() != 0) {
        CZrObject* child = room->Children().Begin().Get<CZrObject>();
        room->RemoveChild(child);
        previous.emplace_back(child);
    }
    if (!room->Unmarshal(reader, CZrReadContext{this, 2}) || room->GetId() == 0)
        return false;
    if (!reader.GetWord(flag) || (!secondForm && !position && flag != 0))
        return false;
    uint16_t first = 0;
    uint16_t second = 0;
    std::string location;
    if (ZrNormalisePlaceKind(kind) == kAuditorium &&
        (!reader.GetShort(first) || !reader.GetShort(second) || !reader.GetText(location)))
        return false;
    if (reader.Remaining() != 0 && !reader.GetText(last))
        return false;
    SetId(placeId);
    SetKind(kind);
    GetCorridor()->SetId(corridorId);
    GetInfo().SetName(placeName);
    const uint8_t number = selector.IsNumeric() ? selector.GetNumber() : 1;
    SetPlaceData(number, selector.GetName(), first, second, location);
    return true;
}

// Without a position, or when the flag says the user was not placed, the
// local user's position is reset; otherwise it moves from group 1025 into
// group 1024 at the position.
void CZrClientPlace::ApplyPlacement(bool hadPosition, uint32_t flag, const CZrPosition& position)
{
    if (!hadPosition || flag != 0) {
        m_myself->SetPosition(CZrPosition());
        return;
    }
    if (m_myself->GetParent())
        m_myself->GetParent()->RemoveChild(m_myself);
    m_myself->SetPosition(position);
    GetRoom()->AddChild(m_myself);
}

bool CZrClientPlace::HandleChildAdded(CZrObject& target, TvlNdr& reader)
{
    CZrGroup* group = target.AsGroup();
    if (!target.IsContainer() || !group)
        return Fail(kPlace, 7);
    if (&target == this)
        return Fail(kPlace, 8);
    if (!group->ReceiveChild(reader, *this))
        return Fail(ZrModule::kGroup, 1);
    PruneRegistrations();
    return true;
}

// The place and its standing groups never leave: removing them would take
// the local user or the tree's own parts along.
bool CZrClientPlace::HandleChildRemoved(CZrObject& target, const std::string& text)
{
    if (m_myself->IsInside(&target) || !target.GetParent() || &target == GetRoom() ||
        &target == GetCorridor())
        return Fail(kPlace, 9);
    target.GetParent()->RemoveDeparted(&target, text);
    PruneCorridor();
    return true;
}

bool CZrClientPlace::HandleMove(CZrObject& target, uint32_t destination, const CZrPosition& position,
                                uint32_t value, TvlNdr& reader)
{
    int32_t withChild = 0;
    if (!reader.GetBool(withChild))
        return Fail(kPlace, 10);
    if (withChild && !GetCorridor()->ReadChild(reader, *this))
        return Fail(ZrModule::kGroup, 1);
    CZrObject* found = FindTargetById(destination);
    CZrGroup* group = found ? found->AsGroup() : nullptr;
    if (!group || !found->IsContainer())
        return Fail(kPlace, 11);
    if (!target.MoveInto(*group, position, value))
        return Fail(kPlace, 11);
    PruneCorridor();
    return true;
}

bool CZrClientPlace::HandleRequestForTargetEx()
{
    return Fail(kPlace, 21);
}

bool CZrClientPlace::HandleRequestForTarget()
{
    return Fail(kPlace, 28);
}

bool CZrClientPlace::HandleDenied(CZrObject& target, uint32_t code, uint32_t object, uint32_t value)
{
    if (target.HasBit8() && &target != m_myself)
        return Fail(kPlace, 12);
    target.OnDenied(code, object, value);
    return true;
}

// Makes the group of operation 10 and puts it, still empty, at the end of
// the parent, unless it or a person in it would stand too deep or the
// session refuses its member record. The local user's group takes the
// record of its oldest pending request.
CZrGroup* CZrClientPlace::InsertRequestedGroup(CZrGroup& parent, CZrPerson& target, const CZrGroupInfo& record,
                                               uint32_t kind, uint32_t id)
{
    std::unique_ptr<CZrGroup> made(NewGroup(kind));
    made->SetId(id);
    made->SetGroupInfo(std::make_unique<CZrGroupInfo>(record));
    if (!parent.CanNest(*made))
        return nullptr;
    CZrGroup* group = made.release();
    parent.AddChild(group);
    if (!group->CanNest(target) || !RegisterMember(id, group->GetInfo().Member())) {
        parent.DeleteChild(group);
        return nullptr;
    }
    if (&target == m_myself) {
        CZrMemberHandle pending;
        m_myself->TakePending(pending);
        group->GetInfo().Member() = pending;
        if (m_myself->GetFlags().Has(CZrMemberFlags::kDataLocked))
            group->GetInfo().ReplaceMemberData(nullptr);
    }
    return group;
}

// A new group of the kind takes the partner's position; the partner becomes
// its host and the target joins it.
bool CZrClientPlace::HandlePaired(CZrPerson& target, const CZrGroupInfo& record, uint32_t kind, uint32_t id,
                                  CZrObject* partner, uint32_t value)
{
    CZrGroup* parent = target.GetParent();
    if (!partner || !parent || partner->GetParent() != parent || partner == &target)
        return Fail(kPlace, 15);
    if (parent->GetHost() == &target || parent->GetHost() == partner)
        return Fail(kPlace, 16);
    const bool isMyself = &target == m_myself;
    if (isMyself && !m_myself->HasPending())
        return Fail(kPlace, 17);
    CZrGroup* group = InsertRequestedGroup(*parent, target, record, kind, id);
    if (!group)
        return Fail(kPlace, 15);
    const CZrPosition oldPosition = target.GetPosition();
    group->SetPosition(partner->GetPosition());
    parent->RemoveChild(partner);
    partner->SetPosition(CZrPosition());
    group->AddHost(partner);
    parent->RemoveChild(&target);
    target.SetPosition(CZrPosition());
    group->AddChild(&target);
    target.OnPaired(partner, oldPosition, isMyself ? value : 0);
    PruneRegistrations();
    return true;
}

// A new group of the kind takes the position in the target's parent; the
// target stands in seat 1 as its host.
bool CZrClientPlace::HandleGroupCreated(CZrPerson& target, const CZrGroupInfo& record, uint32_t kind, uint32_t id,
                                        const CZrPosition& position, uint32_t value)
{
    CZrGroup* parent = target.GetParent();
    if (!parent || parent->GetHost() == &target || position.IsSingle())
        return Fail(kPlace, 13);
    const bool isMyself = &target == m_myself;
    if (isMyself && !m_myself->HasPending())
        return Fail(kPlace, 14);
    CZrGroup* group = InsertRequestedGroup(*parent, target, record, kind, id);
    if (!group)
        return Fail(kPlace, 13);
    group->SetPosition(position);
    parent->RemoveChild(&target);
    target.SetPosition(CZrPosition::Seat(1));
    group->AddHost(&target);
    target.OnGroupCreated(isMyself ? value : 0);
    PruneRegistrations();
    return true;
}

bool CZrClientPlace::HandleRequestError(CZrPerson& target, uint32_t code, uint32_t kind, uint32_t value)
{
    CZrMemberHandle dropped;
    if (&target != m_myself || !m_myself->TakePending(dropped))
        return Fail(kPlace, 18);
    m_myself->OnRequestError(code, kind, value);
    return true;
}

bool CZrClientPlace::HandleHostGained(CZrPerson& target, CZrGroup* group)
{
    if (!group || group->GetHost() || !group->GetGroupInfo().HasFlag(CZrGroupInfo::kCanTakeHost))
        return Fail(kPlace, 23);
    group->SetHost(&target);
    target.OnHostGained();
    return true;
}

bool CZrClientPlace::HandleHostLost(CZrPerson& target, CZrObject* object)
{
    CZrGroup* group = object ? object->AsGroup() : nullptr;
    if (!group || group->GetHost() != &target)
        return Fail(kPlace, 24);
    group->ClearHost();
    target.OnHostLost();
    group->Dissolve(true);
    return true;
}

bool CZrClientPlace::HandleNotice(CZrPerson& target, uint32_t value)
{
    if (&target != m_myself)
        return Fail(kPlace, 25);
    m_myself->OnNotice(value);
    return true;
}

bool CZrClientPlace::HandleTargeted(CZrPerson& target, uint32_t objectId)
{
    CZrObject* object = FindTargetById(objectId);
    if (!object)
        return Fail(kPlace, 26);
    if (!m_myself->IsInside(object))
        return Fail(kPlace, 27);
    target.OnTargeted(object);
    return true;
}

bool CZrClientPlace::HandleTargetCleared(CZrPerson& target)
{
    target.OnTargetCleared();
    return true;
}

bool CZrClientPlace::HandleReceive(CZrPerson& target, uint32_t objectId, uint32_t value, const std::string& text,
                                   const CTvlBlob& blob)
{
    CZrObject* object = FindTargetById(objectId);
    if (!object)
        return Fail(kPlace, 34);
    if (!m_myself->IsInside(object))
        return Fail(kPlace, 35);
    object->OnReceive(&target, value, text, blob);
    return true;
}

bool CZrClientPlace::HandleAlerted(CZrPerson& target, uint32_t objectId)
{
    CZrObject* object = FindTargetById(objectId);
    if (!object)
        return Fail(kPlace, 30);
    if (object != m_myself)
        return Fail(kPlace, 31);
    m_myself->OnAlerted(&target);
    return true;
}

bool CZrClientPlace::HandleItemPut(CZrObject& target, TvlNdr& reader)
{
    CZrItem item;
    if (!item.Read(reader, false))
        return Fail(kPlace, 48);
    CZrItem* stored = target.GetInfo().Items().Put(item);
    target.OnItemPut(*stored);
    return true;
}

bool CZrClientPlace::HandleItemRemoved(CZrObject& target, TvlNdr& reader)
{
    uint16_t code = 0;
    if (!reader.GetShort(code))
        return Fail(ZrModule::kItems, 3);
    std::unique_ptr<CZrItem> item = target.GetInfo().Items().Take(code);
    if (!item)
        return Fail(ZrModule::kItems, 4);
    target.OnItemRemoved(*item);
    return true;
}

bool CZrClientPlace::HandleMemberData(CZrObject& target, uint32_t value, TvlNdr& reader)
{
    std::unique_ptr<CTvlBlob> data;
    if (target.GetInfo().Member()->DataFlag() != 0) {
        data.reset(NewBlob());
        if (!data->Unmarshal(reader, true))
            return Fail(kPlace, 32);
    }
    const CTvlBlob* added = data.get();
    std::unique_ptr<CTvlBlob> old = target.GetInfo().ReplaceMemberData(std::move(data));
    target.OnDataChanged(added, old.get(), value);
    return true;
}

bool CZrClientPlace::HandleDataFlag(CZrPerson& target, bool flag)
{
    CZrInfo& info = target.GetInfo();
    if (info.IsDataRequested()) {
        info.Member()->SetDataFlag(flag);
        return true;
    }
    std::unique_ptr<CTvlBlob> old = info.ReplaceMemberData(nullptr);
    info.Member()->SetDataFlag(flag);
    if (flag)
        target.OnDataReset(old.get());
    else
        target.OnDataChanged(nullptr, old.get(), 0);
    return true;
}

bool CZrClientPlace::HandleInfoChanged(CZrPerson& target, const std::string& fullName, const std::string& location,
                                       const std::string& email)
{
    target.SetIdentity(fullName, location, email);
    return true;
}

bool CZrClientPlace::HandleFlagsChanged(CZrPerson& target, CZrMemberFlags flags)
{
    target.SetFlags(flags);
    return true;
}

bool CZrClientPlace::HandlePlaced(CZrPerson& target, CZrObject* group, const CZrPosition& position)
{
    CZrGroup* oldGroup = m_myself->GetParent();
    if (&target != m_myself || !group || group != oldGroup || oldGroup->GetHost() == m_myself ||
        position.IsSingle())
        return Fail(kPlace, 36);
    const bool intoCorridor = oldGroup->IsInside(GetCorridor());
    m_myself->MoveTo(intoCorridor ? *GetCorridor() : *GetRoom(), position);
    if (intoCorridor)
        PruneCorridor();
    return true;
}

bool CZrClientPlace::HandleReturned(CZrPerson& target)
{
    if (&target != m_myself || !m_myself->IsInside(GetRoom()))
        return Fail(kPlace, 40);
    m_myself->ReturnToPlace();
    return true;
}

bool CZrClientPlace::HandleSignal(CZrPerson& target, TvlNdr& reader)
{
    uint16_t value = 0;
    if (&target == m_myself || !reader.GetShort(value))
        return Fail(kPlace, 41);
    target.OnSignal(value);
    return true;
}

bool CZrClientPlace::HandleInvited(CZrPerson& target, uint32_t value, uint32_t id, const CZrString& key,
                                   TvlNdr& reader)
{
    uint16_t second = 0;
    if (&target != m_myself)
        return Fail(kPlace, 29);
    if (!reader.GetShort(second))
        return Fail(kPlace, 37);
    OnInvited(value, id, key, second);
    return true;
}

bool CZrClientPlace::HandleUninvited(CZrPerson& target, uint32_t value, uint32_t id, const CZrString& key,
                                     TvlNdr& reader)
{
    uint16_t second = 0;
    if (&target != m_myself)
        return Fail(kPlace, 38);
    if (!reader.GetShort(second))
        return Fail(kPlace, 42);
    OnUninvited(value, id, key, second);
    return true;
}

// With a field of 0 a count of name keys follows; any other field leaves the
// count undefined, and the keys are then read until the data ends.
bool CZrClientPlace::HandleNameKeyList(CZrPerson& target, uint32_t value, uint32_t id, TvlNdr& reader)
{
    if (&target != m_myself)
        return Fail(kPlace, 43);
    uint16_t field = 0;
    uint32_t count = 0;
    if (!reader.GetShort(field) || (field == 0 && !reader.GetLong(count)))
        return Fail(kPlace, 44);
    KeyList keys;
    for (uint32_t i = 0; field == 0 ? i < count : reader.Remaining() != 0; ++i) {
        CZrString key;
        if (!key.Read(reader))
            return Fail(kPlace, 47);
        keys.push_back(key);
    }
    OnNameKeyList(value, id, field, keys);
    return true;
}

bool CZrClientPlace::HandlePlaceFlag(CZrPerson& target, uint32_t value, uint32_t id, TvlNdr& reader)
{
    uint16_t second = 0;
    int32_t flag = 0;
    if (&target != m_myself)
        return Fail(kPlace, 45);
    if (!reader.GetShort(second) || !reader.GetBool(flag))
        return Fail(kPlace, 46);
    OnPlaceFlag(value, id, second, flag != 0);
    return true;
}

// ---------------------------------------------------------------- callbacks

void CZrClientPlace::OnConnected() {}
void CZrClientPlace::OnEntered(const CZrPosition*, uint32_t, const std::string&) {}
void CZrClientPlace::OnPlaceValue(uint32_t) {}
void CZrClientPlace::OnDisconnected(int32_t, const std::string&) {}
void CZrClientPlace::OnBroadcast(const CBroadcastInfo&) {}
void CZrClientPlace::OnSuperUserError(uint32_t) {}

void CZrClientPlace::OnPlaceDescription(uint32_t, uint32_t, bool, uint32_t valueA, uint32_t valueB,
                                        uint32_t valueC, const PlaceList& places)
{
    OnPlaceList(places, valueA, valueB, valueC);
}

void CZrClientPlace::OnPlaceList(const PlaceList&, uint32_t, uint32_t, uint32_t) {}
void CZrClientPlace::OnPersonDescription(uint32_t, const std::string&, const PersonList&) {}
void CZrClientPlace::whispered(const std::string&, const CTvlBlob&, const CZrTextMessage&, const std::string&) {}
void CZrClientPlace::OnTalkRefused(uint32_t, uint32_t) {}
void CZrClientPlace::OnWarning(const std::string&) {}
void CZrClientPlace::OnMuted(uint32_t) {}
void CZrClientPlace::OnUnmuted() {}
void CZrClientPlace::OnDataLocked(uint32_t) {}
void CZrClientPlace::OnDataUnlocked() {}
void CZrClientPlace::OnPersonPicture(uint32_t, const CTvlBlob*) {}
void CZrClientPlace::OnPairNotice(uint32_t, uint32_t) {}
void CZrClientPlace::OnObjectDescription(uint32_t, uint32_t, uint32_t, uint32_t, const CZrObjectDesc&) {}
void CZrClientPlace::OnPlaceReport(uint32_t, uint32_t, bool, uint32_t, uint32_t) {}
void CZrClientPlace::OnMemberAppeared(const CZrObjectRef&) {}
void CZrClientPlace::OnMemberLeft(const CZrObjectRef&) {}
void CZrClientPlace::OnServiceReply(uint32_t, uint32_t, const std::string&, const CTvlBlob&, const CZrTextMessage&) {}
void CZrClientPlace::OnGameNotice(uint32_t, uint32_t, const std::string&, const CTvlBlob&, const CZrObjectRef&) {}
void CZrClientPlace::OnRequestFailed(uint32_t, uint32_t, uint32_t) {}
void CZrClientPlace::OnInvitationFailed(uint32_t, uint32_t, uint32_t) {}
void CZrClientPlace::OnServerMessage(const std::string&) {}
void CZrClientPlace::OnInvited(uint32_t, uint32_t, const CZrString&, uint32_t) {}
void CZrClientPlace::OnUninvited(uint32_t, uint32_t, const CZrString&, uint32_t) {}
void CZrClientPlace::OnNameKeyList(uint32_t, uint32_t, uint32_t, const KeyList&) {}
void CZrClientPlace::OnPlaceFlag(uint32_t, uint32_t, uint32_t, bool) {}
