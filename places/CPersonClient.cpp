#include "CPersonClient.h"

#include "CClientPlace.h"
#include "CPersonStateList.h"
#include "CPlace.h"
#include "ZrGroup.h"
#include "ZrGroupInfo.h"
#include "ZrTreeHost.h"

namespace {

constexpr uint32_t kStrSuperUser = 147;
constexpr uint32_t kStrNotAuthorized = 156;
constexpr uint32_t kStrRefused = 161;
constexpr uint32_t kStrNoFirst = 199;
constexpr uint32_t kNotAuthorizedCode = 4;

}  // namespace

CPersonClient::CPersonClient(IPersonViews& views, CTvlObject* owner, std::unique_ptr<CZrPersonInfo> info)
    : CZrPerson(owner, std::move(info)), m_views(views)
{
}

CPersonClient::~CPersonClient()
{
    m_views.DestroyWindows(*this);
}

CZrPerson* CPersonClient::FindMyself()
{
    IZrTreeHost* host = FindTreeHost();
    return host ? host->GetMyself() : nullptr;
}

CPlace* CPersonClient::FindPlace()
{
    return dynamic_cast<CPlace*>(FindRoot());
}

CZrGroup* CPersonClient::MyselfParent()
{
    CZrPerson* myself = FindMyself();
    return myself ? myself->GetParent() : nullptr;
}

bool CPersonClient::IsInRootPlace()
{
    return FindRoot() != nullptr;
}

bool CPersonClient::IsInSeatRow() const
{
    return GetParent() && GetParent()->GetKind() == kSeatRowKind;
}

// A group of persons; the place and its standing groups are not groups in
// this sense: members there stand in the place itself.
CZrGroup* CPersonClient::WindowHost() const
{
    CZrGroup* parent = GetParent();
    if (!parent || parent->IsRoot() || parent->IsRoom() || parent->IsCorridor())
        return nullptr;
    return parent;
}

void CPersonClient::ShowMark()
{
    m_views.SetMark(*this, GetFlags().Has(kMarkFlag));
}

void CPersonClient::OnEnter()
{
    if (IsInRootPlace())
        m_views.SendPlaceNotice(*this, 1);
    m_views.AddToPeople(*this);
    m_views.CreatePlaceWindow(*this, WindowHost());
    CZrGroup* host = WindowHost();
    if (host && host == MyselfParent())
        m_views.SendMemberMessage(*this, *host);
    if (CPlace* place = FindPlace())
        place->OfferPicture(*this);
    ShowMark();
}

void CPersonClient::OnLeave(const std::string&)
{
    CZrGroup* parent = GetParent();
    if (m_views.HasPlaceWindow(*this))
        m_views.HidePlaceWindow(*this);
    if (IsInSeatRow())
        m_views.FreeSeat(*parent, GetPosition().GetId());
    m_views.RemoveFromPeople(*this);
    if (WindowHost() && parent == MyselfParent())
        m_views.PostLeaveGroup(*this, *parent);
    else if (!IsInSeatRow())
        m_views.SendPlaceRequest(*this);
    // The picture chain waits for this person's picture: it moves on.
    CPlace* place = FindPlace();
    if (place && GetInfo().IsDataRequested())
        place->ContinuePictureLoading();
}

void CPersonClient::OnMove(CZrObject* oldParent, const CZrPosition& oldPosition, uint32_t)
{
    m_views.UpdateInPeople(*this);
    CZrGroup* myParent = MyselfParent();
    CZrGroup* previous = oldParent ? oldParent->AsGroup() : nullptr;
    if (IsInRootPlace() || IsInSeatRow()) {
        if (previous && previous->GetKind() == kSeatRowKind && previous == myParent)
            m_views.AddEmptySeat(*previous, oldPosition.GetId());
        m_views.UpdateVisibility(*this);
    } else {
        m_views.Withdraw(*this);
    }
    bool myselfStands = myParent && (myParent->IsRoom() || myParent->IsCorridor());
    if (myselfStands || !myParent || previous == GetParent())
        return;
    if (previous == myParent)
        m_views.PostLeaveGroup(*this, *previous);
    else if (GetParent() == myParent)
        m_views.SendMemberMessage(*this, *myParent);
}

void CPersonClient::OnFlagsChanged(CZrMemberFlags)
{
    ShowMark();
}

// The picture arrived: shown, announced, and the next missing one asked for.
void CPersonClient::OnDataChanged(const CTvlBlob* newData, const CTvlBlob*, uint32_t)
{
    if (newData) {
        m_views.ShowPicture(*this, *newData);
        m_views.PostPresenceFace(*this);
    }
    if (CPlace* place = FindPlace())
        place->ContinuePictureLoading();
}

// A picture is on offer (or changed): asked for at once when pictures load
// by themselves.
void CPersonClient::OnDataReset(const CTvlBlob*)
{
    if (CPlace* place = FindPlace())
        place->RequestPicture(*this);
    m_views.Repaint(*this);
}

void CPersonClient::OnHostGained()
{
    m_views.Repaint(*this);
}

void CPersonClient::OnHostLost()
{
    m_views.Repaint(*this);
}

void CPersonClient::OnTargeted(CZrObject*)
{
    m_views.SetOverlay(*this, true);
}

void CPersonClient::OnTargetCleared()
{
    m_views.SetOverlay(*this, false);
}

void CPersonClient::OnInfoChanged()
{
    m_views.Repaint(*this);
    m_views.RedrawPeople();
    m_views.PostPresenceIdentity(*this);
}

void CPersonClient::OnSendRefused(uint32_t, uint32_t code)
{
    if (CPlace* place = FindPlace())
        place->ShowMessage(code == kNotAuthorizedCode ? kStrSuperUser : kStrNoFirst,
                           code == kNotAuthorizedCode ? kStrNotAuthorized : kStrRefused, {});
}

// The person's group started: its window shows, its picture is asked for
// and the people list follows.
void CPersonClient::OnChange()
{
    CZrGroup* parent = GetParent();
    if (!parent)
        return;
    m_views.UpdateVisibility(*this);
    if (CPlace* place = FindPlace())
        place->RequestPicture(*parent);
    m_views.PostStartGroup(*parent, *this);
    m_views.ChangeInPeople(*this);
}

void CPersonClient::OnGroupCreated(uint32_t)
{
    OnChange();
}

void CPersonClient::OnPaired(CZrObject* partner, const CZrPosition&, uint32_t)
{
    CZrGroup* group = GetParent();
    auto* other = dynamic_cast<CPersonClient*>(partner);
    if (!group || !other)
        return;
    m_views.UpdateVisibility(*this);
    m_views.UpdateVisibility(*other);
    m_views.ChangeInPeople(*this);
    m_views.UpdateInPeople(*other);
    CPlace* place = FindPlace();
    CZrPerson* myself = FindMyself();
    if (place && other == myself && place->States().GetState(GetId()) != 0) {
        place->SendMyselfPosition();
        return;
    }
    CPersonClient& shown = this == myself ? *other : *this;
    if (place)
        place->ShowPairTab(shown, *group);
    m_views.PostStart1on1(*group, shown);
}

int32_t CPersonClient::BuildPairText()
{
    CPlace* place = FindPlace();
    CZrPerson* myself = FindMyself();
    if (!place || !myself)
        return 1;
    CZrGroupInfo record;
    record.SetName(place->App().DisplayNameOf(*myself) + ", " + place->App().DisplayNameOf(*this));
    record.SetCapacity(2);
    record.SetFlags(1);
    return place->RequestPersonOp(record, CClientPlace::kOneOnOneKind, *this, 1);
}
