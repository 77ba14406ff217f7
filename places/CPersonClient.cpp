#include "CPersonClient.h"

#include "ZrGroup.h"
#include "ZrTreeHost.h"

CPersonClient::CPersonClient(IPersonViews& views, CTvlObject* owner) : CZrPerson(owner), m_views(views) {}

CPersonClient::~CPersonClient()
{
    m_views.DestroyWindows(*this);
}

CZrPerson* CPersonClient::FindMyself()
{
    IZrTreeHost* host = FindTreeHost();
    return host ? host->GetMyself() : nullptr;
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
