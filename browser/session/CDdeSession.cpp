#include "CDdeSession.h"

#include "TvlBlob.h"
#include "ZrClientPlace.h"
#include "ZrDdeGroupItems.h"
#include "ZrDdeInfoItems.h"
#include "ZrDdeMessageItems.h"
#include "ZrDdeMovementItems.h"
#include "ZrDdeMyInfoItems.h"
#include "ZrDdeObjects.h"
#include "ZrDdePlaceItems.h"
#include "ZrDdePresenceItems.h"
#include "ZrGroup.h"
#include "ZrPerson.h"

using namespace ZrDdeObjects;

namespace {

// Positions travel in ten-thousandths of the page.
constexpr uint32_t kMaxPositionPart = 10000;
// Say sends chat text with this code.
constexpr uint32_t kChatCode = 5;
// The value of the own user's move requests (a move request needs one).
constexpr uint32_t kMoveValue = 1;
// The group value of a StartGroup command that starts a tour.
constexpr uint32_t kStartTourValue = 258;

// Targets of Say and Send (the item's value A).
enum Target : uint32_t { kToPlace = 1, kToCurrentPlace = 2, kToOwnGroup = 3, kToPerson = 4 };

CTvlBlob BlobOf(const ZrDdeBytes& bytes)
{
    return CTvlBlob(static_cast<uint32_t>(bytes.size()), bytes.data());
}

} // namespace

CDdeSession::CDdeSession(IDdeSessionHost& host) : m_host(host) {}

// Queued commands that never ran are dropped with the session.
CDdeSession::~CDdeSession() = default;

CZrClientPlace* CDdeSession::Root() const
{
    return m_host.GetRootPlace();
}

CZrPerson* CDdeSession::Myself() const
{
    CZrClientPlace* root = Root();
    return root ? root->GetMyself() : nullptr;
}

bool CDdeSession::IsGateOpen() const
{
    const unsigned state = m_host.GetIndicatorState();
    return state == IDdeSessionHost::kParticipating || state == IDdeSessionHost::kObserving;
}

// ---- Commands ---------------------------------------------------------------

void CDdeSession::OnCommand(std::unique_ptr<CZrDdeItem> item)
{
    if (item && !Carry(*item))
        m_queue.push_back(std::move(item));
}

void CDdeSession::Pump()
{
    const size_t waiting = m_queue.size();
    for (size_t i = 0; i < waiting && !m_queue.empty(); ++i) {
        std::unique_ptr<CZrDdeItem> item = std::move(m_queue.front());
        m_queue.pop_front();
        if (!Carry(*item)) {
            m_queue.push_back(std::move(item));
            return;
        }
    }
}

bool CDdeSession::Carry(CZrDdeItem& item)
{
    switch (item.GetType()) {
    case CConnectCommunityItem::kType:
        m_host.ConnectCommunity(static_cast<CConnectCommunityItem&>(item).GetCommunityName());
        return true;
    case CNavigateItem::kType:
        m_host.Navigate(static_cast<CNavigateItem&>(item).GetUrl());
        return true;
    case CQueryPlacesItem::kType:
        QueryPlaces();
        return true;
    case CMyInfoItem::kType:
        SetMyInfo(item);
        return true;
    case CEnterRoomItem::kType:
    case CLeaveRoomItem::kType:
    case CMoveItem::kType:
    case CSayItem::kType:
    case CSendItem::kType:
    case CAlertItem::kType:
    case CStartGroupItem::kType:
    case CBreakGroupItem::kType:
    case CJoinGroupItem::kType:
    case CLeaveGroupItem::kType:
        break;
    default:
        return true;
    }
    if (!IsGateOpen())
        return false;
    switch (item.GetType()) {
    case CEnterRoomItem::kType:
        EnterRoom(true);
        break;
    case CLeaveRoomItem::kType:
        EnterRoom(false);
        break;
    case CMoveItem::kType: {
        const auto& move = static_cast<const CMoveItem&>(item);
        Move(move.GetX(), move.GetY());
        break;
    }
    case CSayItem::kType:
        Say(item);
        break;
    case CSendItem::kType:
        Send(item);
        break;
    case CAlertItem::kType:
        Alert(static_cast<const CAlertItem&>(item).GetId());
        break;
    case CStartGroupItem::kType:
        StartGroup(static_cast<const CStartGroupItem&>(item));
        break;
    case CBreakGroupItem::kType:
        BreakGroup();
        break;
    case CJoinGroupItem::kType:
        JoinGroup(static_cast<const CJoinGroupItem&>(item).GetId1());
        break;
    case CLeaveGroupItem::kType:
        LeaveGroup();
        break;
    default:
        break;
    }
    return true;
}

void CDdeSession::QueryPlaces()
{
    CZrClientPlace* root = Root();
    if (root && root->GetId() != 0)
        root->SendRequestA(0);
}

void CDdeSession::EnterRoom(bool enter)
{
    CZrPerson* myself = Myself();
    if (myself && IsInRoom(*myself) != enter)
        m_host.ToggleObserve();
}

// Inside a group only its host moves it, which the program's group objects
// do not do yet; outside one the own user moves in the room.
void CDdeSession::Move(uint32_t x, uint32_t y)
{
    CZrClientPlace* root = Root();
    CZrPerson* myself = Myself();
    if (!root || !myself || !IsInRoom(*myself) || OwnGroup(*myself))
        return;
    if (x > kMaxPositionPart || y > kMaxPositionPart)
        return;
    CZrGroup* room = root->GetRoom();
    if (!room)
        return;
    root->Request(*myself, room->GetId(),
                  CZrPosition::XY(static_cast<uint16_t>(x), static_cast<uint16_t>(y)), kMoveValue);
}

// The object of kind 3: the own user's group itself (id 0) or a group that
// holds the own user.
CZrObject* CDdeSession::OwnGroupTarget(uint32_t id) const
{
    CZrPerson* myself = Myself();
    CZrGroup* group = myself ? OwnGroup(*myself) : nullptr;
    if (!group)
        return nullptr;
    if (id == 0)
        return group;
    CZrObject* found = Find(*Root(), id);
    return found && IsGroup(*found) && myself->IsInside(found) ? found : nullptr;
}

void CDdeSession::SendTo(CZrObject& object, uint32_t code, const std::string& text, const ZrDdeBytes& bytes)
{
    Root()->RequestMove(object, code, text, BlobOf(bytes));
}

void CDdeSession::Say(const CZrDdeItem& item)
{
    const auto& say = static_cast<const CSayItem&>(item);
    CZrClientPlace* root = Root();
    if (!root)
        return;
    CZrObject* target = nullptr;
    switch (say.GetValueA()) {
    case kToPlace:
    case kToCurrentPlace:
        target = root;
        break;
    case kToOwnGroup:
        target = OwnGroupTarget(say.GetValueB());
        break;
    case kToPerson:
        // A whisper to the person, found in the place or not.
        root->SendUserMessage(say.GetValueB(), say.GetText(), BlobOf(say.GetPayload()));
        return;
    default:
        return;
    }
    if (target)
        SendTo(*target, kChatCode, say.GetText(), say.GetPayload());
}

void CDdeSession::Send(const CZrDdeItem& item)
{
    const auto& send = static_cast<const CSendItem&>(item);
    CZrClientPlace* root = Root();
    CZrPerson* myself = Myself();
    if (!root || !myself)
        return;
    CZrObject* target = nullptr;
    switch (send.GetValueA()) {
    case kToPlace:
    case kToCurrentPlace:
        target = root;
        break;
    case kToOwnGroup:
        target = OwnGroupTarget(send.GetValueB());
        break;
    case kToPerson:
        target = FindPerson(*root, send.GetValueB());
        break;
    default: {
        CZrObject* found = Find(*root, send.GetValueB());
        if (found && (IsPerson(*found) || (IsGroup(*found) && myself->IsInside(found))))
            target = found;
        break;
    }
    }
    if (target)
        SendTo(*target, send.GetValueC(), send.GetText(), send.GetPayload());
}

void CDdeSession::Alert(uint32_t id)
{
    CZrClientPlace* root = Root();
    CZrPerson* myself = Myself();
    if (!root || !myself || !IsInRoom(*myself))
        return;
    if (CZrPerson* person = FindPerson(*root, id))
        root->RequestGroup(*person);
}

// A tour starts only from the room.
void CDdeSession::StartGroup(const CStartGroupItem& item)
{
    CZrPerson* myself = Myself();
    if (!myself || !myself->GetParent() || !myself->GetParent()->IsRoom())
        return;
    if (item.GetGroupValue() != kStartTourValue)
        return;
    m_host.StartTour(item.GetName(), item.GetValue(), item.GetBytes());
}

// Only the group's host ends it.
void CDdeSession::BreakGroup()
{
    CZrPerson* myself = Myself();
    if (myself && myself->GetParent() && myself->IsHostOfParent())
        m_host.StopVoiceAndGoBack();
}

void CDdeSession::JoinGroup(uint32_t id)
{
    CZrClientPlace* root = Root();
    CZrPerson* myself = Myself();
    if (!root || !myself || myself->IsHostOfParent())
        return;
    CZrObject* found = root->FindById(id);
    if (found && found->IsContainer() && !found->IsRoot())
        m_host.JoinGroup(*found);
}

// The own user goes back to where its avatar stands in the room.
void CDdeSession::LeaveGroup()
{
    CZrPerson* myself = Myself();
    if (myself && OwnGroup(*myself))
        m_host.SendOwnPosition();
}

void CDdeSession::SetMyInfo(const CZrDdeItem& item)
{
    const auto& info = static_cast<const CMyInfoItem&>(item);
    if (CZrClientPlace* root = Root())
        root->SetMyInfo(&info.GetText2(), &info.GetText3(), &info.GetText4());
    m_host.StoreIdentity({info.GetText1(), info.GetText2(), info.GetText3(), info.GetText4()});
    if (!info.GetBytes().empty())
        m_host.SetOwnPicture(info.GetBytes());
}

// ---- Requests ---------------------------------------------------------------

bool CDdeSession::OnRequest(CZrDdeItem& item, uint32_t parameter)
{
    switch (item.GetType()) {
    case CPlaceInfoItem::kType:
        return AnswerPlaceInfo(item);
    case CMyPositionItem::kType:
        return AnswerMyPosition(item);
    case CMyInfoItem::kType:
        return AnswerMyInfo(item);
    case CPresenceParametersItem::kType:
        return AnswerPresence(item, parameter);
    case CGroupInfoItem::kType:
        return AnswerGroup(item, parameter);
    case CIdInfoItem::kType:
        return AnswerId(item, parameter);
    default:
        return false;
    }
}

bool CDdeSession::AnswerPlaceInfo(CZrDdeItem& item)
{
    CZrClientPlace* root = Root();
    if (!root)
        return false;
    const bool inPlace = root->GetId() != 0;
    static_cast<CPlaceInfoItem&>(item).Set(inPlace ? m_host.GetCommunityName() : std::string(), root->GetName());
    return true;
}

bool CDdeSession::AnswerMyPosition(CZrDdeItem& item)
{
    CZrPerson* myself = Myself();
    if (!myself)
        return false;
    const CZrPosition& position = myself->GetPosition();
    const uint32_t x = position.IsXY() ? position.GetFirst() / 100u : 0;
    const uint32_t y = position.IsXY() ? position.GetSecond() / 100u : 0;
    static_cast<CMyPositionItem&>(item).Set(
        {IsInRoom(*myself) ? 0 : kMinusOne, ContainerValue(*myself), x, y, Attribute(*myself)});
    return true;
}

bool CDdeSession::AnswerMyInfo(CZrDdeItem& item)
{
    CZrPerson* myself = Myself();
    if (!myself)
        return false;
    const CZrPersonInfo& info = myself->GetPersonInfo();
    static_cast<CMyInfoItem&>(item).Set(myself->GetId(), info.GetName(), info.GetFullName(), info.GetLocation(),
                                        info.GetEmail(), m_host.EncodePicture(*myself));
    return true;
}

bool CDdeSession::AnswerPresence(CZrDdeItem& item, uint32_t id)
{
    CZrClientPlace* root = Root();
    CZrPerson* person = root ? FindPerson(*root, id) : nullptr;
    if (!person)
        return false;
    const CZrPersonInfo& info = person->GetPersonInfo();
    static_cast<CPresenceParametersItem&>(item).Set(info.GetName(), info.GetFullName(), info.GetLocation(),
                                                    info.GetEmail(), m_host.EncodePicture(*person));
    return true;
}

bool CDdeSession::AnswerGroup(CZrDdeItem& item, uint32_t id)
{
    CZrClientPlace* root = Root();
    if (!root)
        return false;
    CZrObject* found = id == 0 ? root : Find(*root, id);
    if (!found || !IsGroup(*found))
        return false;
    CZrGroup& group = *found->AsGroup();
    std::vector<uint32_t> members;
    for (CTvlListIter it = group.Children().Begin(); it.IsValid(); it.Next())
        members.push_back(it.Get<CZrObject>()->GetId());
    const uint32_t flagWord = found == root ? 0 : KindWord(group);
    static_cast<CGroupInfoItem&>(item).Set(flagWord, group.GetName(), group.GetCapacity(),
                                           m_host.EncodePicture(group), members);
    return true;
}

bool CDdeSession::AnswerId(CZrDdeItem& item, uint32_t id)
{
    CZrClientPlace* root = Root();
    CZrPerson* myself = Myself();
    CZrObject* object = root ? Find(*root, id) : nullptr;
    if (!object || !myself)
        return false;
    const bool own = object == myself || (object == myself->GetParent() && myself->IsHostOfParent());
    const uint32_t flag = own && !IsInRoom(*myself) ? kMinusOne : 0;
    uint32_t kind = KindWord(*object);
    if (object->IsCorridor())
        kind = kMinusOne;
    else if (object->IsRoom())
        kind = 0;
    const CZrPosition& position = object->GetPosition();
    static_cast<CIdInfoItem&>(item).Set(flag, kind, object->GetName(), ContainerValue(*object), position.GetFirst(),
                                        position.GetSecond(), Attribute(*object));
    return true;
}
