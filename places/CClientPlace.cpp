#include "CClientPlace.h"

#include "CMyselfClient.h"
#include "CPlace.h"
#include "CPersonStateList.h"
#include "IPersonViews.h"
#include "ZrItem.h"
#include "ZrPerson.h"

namespace {

constexpr uint32_t kStrCannotJoin = 191;
constexpr uint32_t kStrIsFull = 150;
constexpr uint32_t kStrRefused = 161;
constexpr uint32_t kStrNoFirst = 199;
constexpr uint32_t kStrNoLongerAvailable = 575;
constexpr uint32_t kStrNoStage = 310;
constexpr uint32_t kStrCannotEnter = 325;
constexpr uint32_t kStrTour = 444;
constexpr uint32_t kStrTourTitle = 338;
constexpr uint32_t kStrGame = 446;
constexpr uint32_t kStrGameTitle = 339;
constexpr uint32_t kStrStage = 445;
constexpr uint32_t kStrStageTitle = 232;

constexpr uint16_t kTitleItem = 21;
constexpr uint16_t kSpeakerListItem = 22;
constexpr uint16_t kSlideItem = 23;

}  // namespace

CClientPlace::CClientPlace(uint32_t kind, IPersonViews& views) : m_views(views)
{
    SetKind(kind);
}

CClientPlace::~CClientPlace()
{
    m_views.DestroyGroupWindows(*this);
}

bool CClientPlace::IsLedGroup() const
{
    return GetKind() == kTourKind;
}

bool CClientPlace::IsGame() const
{
    return false;
}

bool CClientPlace::IsOneOnOne() const
{
    return GetKind() == kOneOnOneKind;
}

bool CClientPlace::IsSeatRow() const
{
    return GetKind() == kSeatRowKind;
}

bool CClientPlace::IsLedGroup(const CZrObject* object)
{
    const auto* group = dynamic_cast<const CClientPlace*>(object);
    return group && group->IsLedGroup();
}

bool CClientPlace::IsGame(const CZrObject* object)
{
    const auto* group = dynamic_cast<const CClientPlace*>(object);
    return group && group->IsGame();
}

bool CClientPlace::IsOneOnOne(const CZrObject* object)
{
    const auto* group = dynamic_cast<const CClientPlace*>(object);
    return group && group->IsOneOnOne();
}

bool CClientPlace::IsSeatRow(const CZrObject* object)
{
    const auto* group = dynamic_cast<const CClientPlace*>(object);
    return group && group->IsSeatRow();
}

CPlace* CClientPlace::RootPlace()
{
    return dynamic_cast<CPlace*>(FindRoot());
}

bool CClientPlace::IsMyselfParentOf()
{
    CPlace* place = RootPlace();
    CZrPerson* myself = place ? place->GetMyself() : nullptr;
    return myself && myself->GetParent() == this;
}

void CClientPlace::SaveMyselfPosition()
{
    CPlace* place = RootPlace();
    if (place && GetPosition().IsXY())
        place->SaveMyselfPosition(GetPosition());
}

void CClientPlace::OnEnter()
{
    m_views.AddGroupToPeople(*this);
    m_views.SendGroupNotice(*this, false);
    CPlace* place = RootPlace();
    if (!place)
        return;
    auto* myself = dynamic_cast<CMyselfClient*>(place->GetMyself());
    if (myself && myself->GetParent() == this) {
        myself->OnMove(this, myself->GetPosition(), 0);
        return;
    }
    m_views.ShowGroupWindow(*this);
    place->OfferPicture(*this);
    for (CTvlListIter it = Children().Begin(); it.IsValid(); it.Next()) {
        if (auto* child = it.Get<CZrObject>())
            child->OnEnter();
    }
}

void CClientPlace::OnLeave(const std::string& reason)
{
    m_views.RemoveGroupFromPeople(*this);
    m_views.SendGroupRequest(*this);
    if (IsSeatRow())
        m_views.RelayoutGroupWindow(*this);
    else
        m_views.WithdrawGroupWindow(*this);
    for (CTvlListIter it = Children().Begin(); it.IsValid(); it.Next()) {
        if (auto* child = it.Get<CZrObject>())
            child->OnLeave(reason);
    }
}

void CClientPlace::OnMove(CZrObject*, const CZrPosition&, uint32_t)
{
    m_views.UpdateGroupInPeople(*this);
    CPlace* place = RootPlace();
    if (!place)
        return;
    m_views.RelayoutGroupWindow(*this);
    if (GetParent() && GetParent()->IsCorridor()) {
        m_views.ShowGroupWindow(*this);
        m_views.SendGroupNotice(*this, true);
    } else if (auto* myself = dynamic_cast<CMyselfClient*>(place->GetMyself())) {
        myself->AnimateIndicator();
    }
    if (IsMyselfParentOf())
        SaveMyselfPosition();
}

void CClientPlace::OnDenied(uint32_t code, uint32_t, uint32_t)
{
    CPlace* place = RootPlace();
    if (!place || !IsLedGroup())
        return;
    const bool stage = GetParent() && GetParent()->IsRoom() && place->IsAuditorium();
    uint32_t word = IsGame() ? kStrGame : kStrTour;
    uint32_t title = IsGame() ? kStrGameTitle : kStrTourTitle;
    if (stage) {
        word = kStrStage;
        title = kStrStageTitle;
    }
    const std::vector<std::string> words = {place->Text(word), place->Text(title)};
    switch (code) {
    case 107:
        place->ShowMessage(kStrCannotJoin, kStrNoLongerAvailable, words);
        break;
    case 301:
    case 302:
        place->ShowMessage(kStrCannotJoin, kStrIsFull, words);
        break;
    case CPlace::kRoomFullCode:
        break;
    case 308:
        place->ShowMessage(kStrNoFirst, stage ? kStrNoStage : kStrCannotEnter, {});
        break;
    default:
        place->ShowMessage(kStrCannotJoin, kStrRefused, words);
        break;
    }
    if (auto* myself = dynamic_cast<CMyselfClient*>(place->GetMyself()))
        myself->AnimateIndicator();
}

void CClientPlace::OnReceive(CZrObject* sender, uint32_t mode, const std::string& text, const CTvlBlob& blob)
{
    CPlace* place = RootPlace();
    if (!sender || !place)
        return;
    if (mode == CPlace::kSayChat) {
        if (place->States().GetState(sender->GetId()) == 0 && text.size() <= kMaxGroupLine)
            m_views.ShowGroupSay(*this, *sender, text);
        place->Dde().PostMessageItem(sender->GetId(), sender->GetName(), text, blob, 1);
    } else if (mode == CPlace::kSayApplicationData) {
        place->Dde().SendGameData(sender->GetId(), sender->GetName(), text, blob, 1, 0);
    }
}

void CClientPlace::OnDataChanged(const CTvlBlob* newData, const CTvlBlob*, uint32_t)
{
    if (newData)
        m_views.RepaintGroupWindow(*this);
    if (CPlace* place = RootPlace())
        place->ContinuePictureLoading();
}

void CClientPlace::OnItemPut(CZrItem& item)
{
    if (IsLedGroup() && !IsGame() && item.GetCode() == kGuidePageItem) {
        FollowGuide(item);
        return;
    }
    CPlace* place = RootPlace();
    if (!place || !place->IsAuditorium() || !IsRoom())
        return;
    switch (item.GetCode()) {
    case kTitleItem:
        place->SetFrameTitle(item.GetText());
        break;
    case kSlideItem:
        place->App().SendSlide(item.GetText());
        break;
    case kSpeakerListItem:
        if (auto* myself = dynamic_cast<CMyselfClient*>(place->GetMyself()))
            myself->FollowSpeakerList(&item.GetText());
        break;
    default:
        break;
    }
}

// The passengers' browsers go where the guide's went; the guide's own page
// is where it is already.
void CClientPlace::FollowGuide(const CZrItem& item)
{
    CPlace* place = RootPlace();
    if (!place || item.GetText().empty() || !IsMyselfParentOf() || GetHost() == place->GetMyself())
        return;
    place->FollowGuidePage(item.GetText());
}

void CClientPlace::OnItemRemoved(CZrItem& item)
{
    CPlace* place = RootPlace();
    if (!place)
        return;
    if (item.GetCode() == kTitleItem) {
        place->SetFrameTitle(place->GetName());
    } else if (item.GetCode() == kSpeakerListItem) {
        if (auto* myself = dynamic_cast<CMyselfClient*>(place->GetMyself()))
            myself->FollowSpeakerList(nullptr);
    }
}

void CClientPlace::OnDissolve()
{
    if (IsLedGroup())
        m_views.PostBreakGroup(*this);
    else if (IsOneOnOne())
        m_views.PostBreak1on1(*this);
    if (IsSeatRow())
        m_views.RelayoutGroupWindow(*this);
    CPlace* place = RootPlace();
    if (!place)
        return;
    auto* myself = dynamic_cast<CMyselfClient*>(place->GetMyself());
    if (myself && myself->IsInside(this))
        myself->SendPosition();
    if (place->IsAuditorium())
        m_views.RemoveGroupFromPeople(*this);
}
