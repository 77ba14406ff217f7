#include "CMyselfClient.h"

#include "CClientPlace.h"
#include "CPersonStateList.h"
#include "CPlace.h"
#include "CPlaceMessage.h"
#include "IPlaceApp.h"
#include "ZrGroup.h"
#include "ZrGroupInfo.h"
#include "ZrItem.h"
#include "ZrMessageText.h"

namespace {

constexpr uint32_t kStrNoFirst = 199;
constexpr uint32_t kStrRefused = 161;
constexpr uint32_t kStrCannotJoin = 191;
constexpr uint32_t kStrIsFull = 150;
constexpr uint32_t kStrGuestNotAllowed = 576;
constexpr uint32_t kStrNoStage = 310;
constexpr uint32_t kStrCannotEnter = 325;
constexpr uint32_t kStrSeatTaken = 318;
constexpr uint32_t kStrAuditoriumFull = 317;
constexpr uint32_t kStrRow = 463;
constexpr uint32_t kStrRowTitle = 1319;
constexpr uint32_t kStrGame = 446;
constexpr uint32_t kStrGameTitle = 339;
constexpr uint32_t kStrTour = 444;
constexpr uint32_t kStrTourTitle = 338;
constexpr uint32_t kStrGroup = 464;
constexpr uint32_t kStrConversation = 462;
constexpr uint32_t kStrOneOnOne = 587;
constexpr uint32_t kStrTourOrGame = 61257;
constexpr uint32_t kStrUnableToStart = 149;
constexpr uint32_t kStrNoLongerAvailable = 575;
constexpr uint32_t kStrPartnerLeft = 166;
constexpr uint32_t kStrPartnerLeads = 168;
constexpr uint32_t kStrYouLead = 169;
constexpr uint32_t kStrAvatarBlocked = 217;
constexpr uint32_t kStrRemovedFromGroup = 248;
constexpr uint32_t kStrRemovedFromRoom = 247;
constexpr uint32_t kStrThankYou = 322;
constexpr uint32_t kStrAlertedMe = 461;
constexpr uint32_t kStrInvitedToSpeak = 297;

constexpr uint32_t kMoveMode = 1;
constexpr uint16_t kSpeakerListItem = 22;
constexpr int32_t kGroupTip = 2;
constexpr uint32_t kAvatarRefusedFlags = 8;
// A tour ends when it is empty or its guide leaves.
constexpr uint16_t kTourFlags = CZrGroupInfo::kDissolveEmpty | CZrGroupInfo::kDissolveHostLeft;

bool IsRoomOrInRoom(const CZrGroup* group)
{
    return group && (group->IsRoom() || (group->GetParent() && group->GetParent()->IsRoom()));
}

bool IsCorridorOrInCorridor(const CZrGroup* group)
{
    return group && (group->IsCorridor() || (group->GetParent() && group->GetParent()->IsCorridor()));
}

bool IsClientGroup(const CZrObject* object)
{
    return dynamic_cast<const CClientPlace*>(object) != nullptr;
}

}  // namespace

CMyselfClient::CMyselfClient(IPersonViews& views, IMyselfViews& own, IPlaceApp& app, CPersonStateList& states,
                             std::unique_ptr<CZrPersonInfo> info)
    : CPersonClient(views, nullptr, std::move(info)), m_own(own), m_app(app), m_states(states)
{
}

CPlace* CMyselfClient::RootPlace()
{
    return dynamic_cast<CPlace*>(FindRoot());
}

bool CMyselfClient::InAuditorium()
{
    CPlace* place = RootPlace();
    return place && place->IsAuditorium();
}

void CMyselfClient::ShowMessage(uint32_t first, uint32_t second, const std::vector<std::string>& arguments)
{
    ShowMessage(m_app.LoadText(first), second, arguments);
}

void CMyselfClient::ShowMessage(const std::string& first, uint32_t second, const std::vector<std::string>& arguments)
{
    m_app.PostMessageBox(CPlaceMessage::Fill(CZrMessageText::Join(first, m_app.LoadText(second)), arguments));
}

// ---- Requests -------------------------------------------------------------

// Its own position when it has one, else the avatar window's.
CZrPosition CMyselfClient::BestPosition()
{
    return GetPosition().IsXY() ? GetPosition() : m_app.GetAvatarPosition();
}

int32_t CMyselfClient::MoveTo(const CZrPosition& position)
{
    CPlace* place = RootPlace();
    if (!place || !place->GetRoom())
        return 1;
    m_own.StopIndicator();
    return place->Request(*this, place->GetRoom()->GetId(), position, kMoveMode);
}

void CMyselfClient::SendPosition()
{
    if (IsInRootPlace())
        MoveTo(m_app.GetAvatarPosition());
    else
        Leave();
}

int32_t CMyselfClient::Leave()
{
    CPlace* place = RootPlace();
    if (!place || !place->GetRoom())
        return 1;
    m_own.StopIndicator();
    m_app.StopVoiceSession();
    m_app.ClearVoiceSpeaker();
    return place->Request(*this, place->GetRoom()->GetId(), BestPosition(), kMoveMode);
}

int32_t CMyselfClient::GoToPersonsPlace(const CZrObject& person)
{
    CPlace* place = RootPlace();
    if (!place)
        return 1;
    m_own.StopIndicator();
    return place->Request(*this, person.GetId(), CZrPosition(), kMoveMode);
}

int32_t CMyselfClient::GoToPlace(const std::string& name, uint16_t capacity, std::unique_ptr<CTvlBlob> picture)
{
    CPlace* place = RootPlace();
    if (!place || !GetParent())
        return 1;
    CZrGroupInfo record;
    record.SetName(name);
    record.SetCapacity(capacity);
    record.SetFlags(kTourFlags);
    if (picture) {
        record.Member()->SetDataFlag(true);
        record.ReplaceMemberData(std::move(picture));
    }
    m_own.StopIndicator();
    return place->RequestGroupOp(record, CClientPlace::kTourKind, *GetParent(), BestPosition(), kMoveMode);
}

int32_t CMyselfClient::StartGame(const CZrGroupInfo& record)
{
    CPlace* place = RootPlace();
    if (!place || !GetParent())
        return 1;
    m_own.StopIndicator();
    return place->RequestGroupOp(record, CClientPlace::kGameKind, *GetParent(), BestPosition(), kMoveMode);
}

int32_t CMyselfClient::JoinGame(const CZrObject& group, uint16_t seat)
{
    CPlace* place = RootPlace();
    if (!place)
        return 1;
    m_own.StopIndicator();
    return place->Request(*this, group.GetId(), CZrPosition::Seat(seat), kMoveMode);
}

void CMyselfClient::SetPendingAction(int32_t action, uint32_t member)
{
    m_pendingAction = action;
    m_pendingMember = member;
    if (action != kNoAction)
        ShowMessage(kStrNoFirst, kStrInvitedToSpeak, {});
}

// ---- Events ---------------------------------------------------------------

void CMyselfClient::OnEnter()
{
    OnMove(GetParent(), GetPosition(), 0);
    ShowMark();
}

void CMyselfClient::OnReceive(CZrObject* sender, uint32_t mode, const std::string& text, const CTvlBlob& blob)
{
    CPlace* place = RootPlace();
    if (!sender || !place)
        return;
    if (mode == CPlace::kSayChat) {
        m_app.ShowSay(*sender, text);
        place->Dde().PostMessageItem(sender->GetId(), sender->GetName(), text, blob, CPlace::kOwnLineItem);
    } else if (mode == CPlace::kSayApplicationData) {
        place->Dde().SendGameData(sender->GetId(), sender->GetName(), text, blob, CPlace::kOwnLineItem, 0);
    }
}

void CMyselfClient::OnAlerted(CZrObject* sender)
{
    if (!sender || m_states.GetState(sender->GetId()) != 0)
        return;
    m_own.Beep();
    m_app.SetStatusText(m_app.DisplayNameOf(*sender) + m_app.LoadText(kStrAlertedMe));
    m_own.PostAlert(sender->GetId(), sender->GetName());
}

void CMyselfClient::OnGroupCreated(uint32_t value)
{
    CPersonClient::OnGroupCreated(value);
    CZrGroup* parent = GetParent();
    if (!parent)
        return;
    if (CClientPlace::IsGame(parent))
        m_own.CreateGameTab(*parent);
    else
        m_own.CreateTourTab(*parent);
    m_own.EnableDrag(*parent);
    m_own.AnimateIndicator();
    if (IsClientGroup(parent) && !CClientPlace::IsGame(parent))
        m_own.ShowTip(kGroupTip);
}

void CMyselfClient::OnDenied(uint32_t code, uint32_t destination, uint32_t)
{
    m_own.AnimateIndicator();
    if (IsInRootPlace())
        m_app.StartVoiceSession();
    CPlace* place = RootPlace();
    CZrObject* object = place && destination ? place->FindById(destination) : nullptr;
    uint32_t shown = kStrRefused;
    std::vector<std::string> words = {m_app.LoadText(kStrTour), m_app.LoadText(kStrTourTitle)};
    if (!object || CClientPlace::IsSeatRow(object))
        words = {m_app.LoadText(kStrRow), m_app.LoadText(kStrRowTitle)};
    else if (CClientPlace::IsGame(object))
        words = {m_app.LoadText(kStrGame), m_app.LoadText(kStrGameTitle)};
    switch (code) {
    case 107:
        shown = kStrGuestNotAllowed;
        ShowMessage(kStrNoFirst, shown, {});
        break;
    case 301:
    case 302:
        shown = kStrIsFull;
        ShowMessage(kStrCannotJoin, shown, words);
        if (!object || CClientPlace::IsSeatRow(object))
            m_own.EnableSeatMap();
        break;
    case CPlace::kRoomFullCode:
        m_app.PostRoomFullPrompt();
        return;
    case 308: {
        const bool stage = InAuditorium() && object && object->IsRoom();
        ShowMessage(kStrNoFirst, stage ? kStrNoStage : kStrCannotEnter, {});
        return;
    }
    case 310:
        ShowMessage(kStrNoFirst, kStrSeatTaken, {});
        m_own.EnableSeatMap();
        return;
    case 311:
        ShowMessage(kStrNoFirst, kStrAuditoriumFull, {});
        return;
    default:
        ShowMessage(kStrCannotJoin, shown, words);
        break;
    }
    m_own.PostMoveError(shown);
}

void CMyselfClient::OnGroupRefused(uint32_t code)
{
    OnRequestError(code, 0, 0);
}

void CMyselfClient::OnRequestError(uint32_t code, uint32_t kind, uint32_t)
{
    m_own.AnimateIndicator();
    uint32_t word = kStrConversation;
    uint32_t second = kStrRefused;
    switch (code) {
    case 107:
        second = kStrNoLongerAvailable;
        word = kind == CClientPlace::kOneOnOneKind ? kStrOneOnOne : kStrTourOrGame;
        break;
    case 401:
        second = kStrPartnerLeft;
        break;
    case 402:
        return;
    case 403:
        second = kStrPartnerLeads;
        break;
    case 404:
        second = kStrYouLead;
        word = kStrTour;
        break;
    default:
        word = kStrGroup;
        break;
    }
    m_own.PostGroupError(second);
    ShowMessage(kStrUnableToStart, second, {m_app.LoadText(word)});
}

void CMyselfClient::OnDataRefused(uint32_t code)
{
    ShowMessage(kStrNoFirst, code == kAvatarRefusedFlags ? kStrAvatarBlocked : kStrRefused, {});
}

// The server moved the user out of its group (op 25).
void CMyselfClient::OnPlaced(CZrObject* oldParent, const CZrPosition&)
{
    CZrGroup* group = oldParent ? oldParent->AsGroup() : nullptr;
    uint32_t word = kStrGroup;
    if (CClientPlace::IsGame(group))
        word = kStrGame;
    else if (CClientPlace::IsLedGroup(group))
        word = kStrTour;
    if (group && IsClientGroup(group))
        OnMemberMoved(*group);
    Views().UpdateInPeople(*this);
    if (IsInRootPlace())
        SendPosition();
    const std::string text = m_app.LoadText(word);
    ShowMessage(kStrNoFirst, kStrRemovedFromGroup, {text, text});
}

// The server sent the user back to the corridor (op 26).
void CMyselfClient::OnReturned(CZrObject* oldParent, const CZrPosition& oldPosition)
{
    CZrGroup* previous = oldParent ? oldParent->AsGroup() : nullptr;
    if (!previous || !(previous->IsRoom() || previous->IsCorridor())) {
        Views().RemoveFromPeople(*this);
        m_own.SetOwnShown(false);
    }
    OnMove(oldParent, oldPosition, 0);
    if (InAuditorium()) {
        ShowMessage(kStrNoFirst, kStrThankYou, {});
        Leave();
    } else {
        ShowMessage(kStrNoFirst, kStrRemovedFromRoom, {});
    }
    m_app.StopVoiceSession();
    m_app.ClearVoiceSpeaker();
}

// ---- Moves ----------------------------------------------------------------

void CMyselfClient::OnMove(CZrObject* oldParent, const CZrPosition& oldPosition, uint32_t)
{
    CZrGroup* parent = GetParent();
    CZrGroup* previous = oldParent ? oldParent->AsGroup() : nullptr;
    if (InAuditorium())
        m_own.CloseSeatMap();
    if (previous == parent) {
        MovedInside(parent, oldPosition);
    } else {
        if (IsRoomOrInRoom(previous))
            LeftRoom(previous, parent);
        else
            MovedOutside(previous, parent);
        OpenContainerTab(parent);
        Views().UpdateInPeople(*this);
        CheckSpeakInvitation(previous, parent);
    }
    SaveRoomPosition(parent);
}

void CMyselfClient::MovedInside(CZrGroup* parent, const CZrPosition& oldPosition)
{
    if (CClientPlace::IsSeatRow(parent)) {
        Views().AddEmptySeat(*parent, oldPosition.GetId());
        m_own.LayoutOwnAvatar();
    }
    if (IsRoomOrInRoom(parent))
        m_own.LayoutOwnAvatar();
    m_own.AnimateIndicator();
    if (parent && parent->IsRoom() && GetPosition().IsXY())
        m_own.PostMove(GetPosition().GetFirst(), GetPosition().GetSecond());
    if (CClientPlace::IsGame(parent))
        Views().SendMemberMessage(*this, *parent);
    m_app.FocusMainWindow();
    Views().UpdateInPeople(*this);
}

void CMyselfClient::LeftRoom(CZrGroup* previous, CZrGroup* parent)
{
    if (!previous->IsRoom() && IsClientGroup(previous))
        OnMemberMoved(*previous);
    if (parent && parent->IsCorridor()) {
        m_own.SetOwnShown(false);
        Views().SendPlaceRequest(*this);
    } else {
        m_own.LayoutOwnAvatar();
        m_own.AnimateIndicator();
    }
    if (InAuditorium() && IsCorridorOrInCorridor(parent)) {
        CZrGroup* room = previous->IsRoom() ? previous : previous->GetParent();
        if (room)
            m_own.ClosePersonPage(*room);
    }
}

void CMyselfClient::MovedOutside(CZrGroup* previous, CZrGroup* parent)
{
    if (previous && !previous->IsCorridor() && IsClientGroup(previous))
        OnMemberMoved(*previous);
    if (IsRoomOrInRoom(parent)) {
        m_own.SetOwnShown(true);
        Views().SendPlaceNotice(*this, 1);
        if (InAuditorium()) {
            CZrGroup* room = parent->IsRoom() ? parent : parent->GetParent();
            m_own.CreateStageTab(*room);
        }
    } else {
        m_own.AnimateIndicator();
    }
}

void CMyselfClient::OpenContainerTab(CZrGroup* parent)
{
    if (!parent)
        return;
    if (CClientPlace::IsGame(parent)) {
        m_own.CreateGameTab(*parent);
        Views().SendMemberMessage(*this, *parent);
    } else if (CClientPlace::IsLedGroup(parent)) {
        m_own.CreateTourTab(*parent);
        m_own.ShowTip(kGroupTip);
        Views().SendMemberMessage(*this, *parent);
        FollowTourPage(*parent);
    } else if (CClientPlace::IsSeatRow(parent)) {
        m_own.CreateRowTab(*parent);
        Views().CreateGroupWindow(*parent);
        m_own.LayoutOwnAvatar();
    }
}

// A passenger who joins a tour sees the page its guide shows.
void CMyselfClient::FollowTourPage(const CZrGroup& tour)
{
    const CZrItem* page = tour.GetInfo().Items().Find(CClientPlace::kGuidePageItem);
    CPlace* place = RootPlace();
    if (place && page && !page->GetText().empty() && tour.GetHost() != this)
        place->FollowGuidePage(page->GetText());
}

// An invitation to speak follows the seat rows named by the place's item
// 22, unless a host's own invitation is pending.
void CMyselfClient::CheckSpeakInvitation(CZrGroup* previous, CZrGroup* parent)
{
    if (!CClientPlace::IsSeatRow(previous) && !CClientPlace::IsSeatRow(parent))
        return;
    if (m_pendingAction != kNoAction && m_pendingMember != 0)
        return;
    if (!CClientPlace::IsSeatRow(parent)) {
        m_pendingAction = kNoAction;
        return;
    }
    CPlace* place = RootPlace();
    const CZrItem* item = place ? place->FindPlaceItem(kSpeakerListItem) : nullptr;
    FollowSpeakerList(item ? &item->GetText() : nullptr);
}

void CMyselfClient::FollowSpeakerList(const std::string* list)
{
    CZrGroup* parent = GetParent();
    if (!CClientPlace::IsSeatRow(parent))
        return;
    const bool hostInvitation = m_pendingAction != kNoAction && m_pendingMember != 0;
    if (hostInvitation)
        return;
    // The list is padded so that its first and last rows are found too.
    const bool listed =
        list && (" " + *list + " ").find(" " + std::to_string(parent->GetId()) + " ") != std::string::npos;
    if (listed && m_pendingAction == kNoAction)
        SetPendingAction(kInvitedToSpeak, 0);
    else if (!listed)
        m_pendingAction = kNoAction;
}

void CMyselfClient::OnMemberMoved(CZrGroup& group)
{
    m_own.ClosePersonPage(group);
    if (CClientPlace::IsLedGroup(&group)) {
        Views().PostLeaveGroup(*this, group);
        if (CClientPlace::IsGame(&group))
            m_own.ReleaseGame();
    } else if (CClientPlace::IsOneOnOne(&group)) {
        Views().PostBreak1on1(group);
    }
    if (m_own.IsOwnOverlayShown()) {
        CPlace* place = RootPlace();
        if (place && !m_own.IsImPageActive())
            place->RequestClearPending();
        m_own.SetOwnOverlay(false);
    }
    if (CClientPlace::IsLedGroup(&group)) {
        if (CPlace* place = RootPlace())
            place->ReturnToPage();
    } else if (CClientPlace::IsSeatRow(&group)) {
        Views().RelayoutGroupWindow(group);
    }
}

void CMyselfClient::SaveRoomPosition(CZrGroup* parent)
{
    if (!parent || !parent->IsRoom())
        return;
    if (CPlace* place = RootPlace())
        place->SaveMyselfPosition(GetPosition());
}
