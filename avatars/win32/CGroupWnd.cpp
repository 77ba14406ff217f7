#include "CGroupWnd.h"

#include "GroupLayout.h"
#include "IMemberWndHost.h"
#include "ZrGroup.h"

IMPLEMENT_DYNAMIC(CGroupWnd, CMemberWnd)

CGroupWnd::CGroupWnd(CZrGroup& group, IMemberWndHost& host) : CMemberWnd(group, host), m_group(group) {}

AvatarExtent CGroupWnd::WindowSize()
{
    return SideBySideGroupSize(Host().GetSizes().avatar);
}

AvatarPoint CGroupWnd::GetMemberOffset(const CZrObject& member)
{
    return SideBySideMemberOffset(member.GetIndex(), Host().GetSizes().avatar);
}

AvatarExtent CGroupWnd::GetMemberSize(const CZrObject&)
{
    return Host().GetSizes().avatar;
}

// A group stands directly in the place: it needs a position there.
bool CGroupWnd::MayShow() const
{
    const CZrGroup* parent = m_group.GetParent();
    const bool standsInPlace = parent && (parent->IsRoot() || parent->IsRoom() || parent->IsCorridor());
    return standsInPlace && CMemberWnd::MayShow();
}

void CGroupWnd::UpdatePosition()
{
    PlaceOnPage(WindowSize());
    LayoutMembers(IsWindowVisible());
}

void CGroupWnd::LayoutMembers(bool show)
{
    for (CTvlListIter it = m_group.Children().Begin(); it.IsValid(); it.Next()) {
        auto* child = it.Get<CZrObject>();
        CMemberWnd* window = child ? Host().FindWindowOf(*child) : nullptr;
        if (window && window->GetSafeHwnd())
            window->UpdateVisibility(show);
    }
}

void CGroupWnd::UpdateVisibility(bool show)
{
    CMemberWnd::UpdateVisibility(show);
    LayoutMembers(IsWindowVisible());
}

void CGroupWnd::SetShown(bool show)
{
    CMemberWnd::SetShown(show);
    LayoutMembers(show && IsWindowVisible());
    NotifyShown(show);
}

bool CGroupWnd::OnDrop(int32_t x, int32_t y)
{
    AvatarPoint units{};
    if (!PageUnitsAt(x, y, units))
        return false;
    Host().MoveGroup(m_group, static_cast<uint16_t>(units.x), static_cast<uint16_t>(units.y));
    return true;
}
