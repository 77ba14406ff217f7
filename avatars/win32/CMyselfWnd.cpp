#include "CMyselfWnd.h"

#include "CGameWnd.h"
#include "CGroupWnd.h"
#include "IMemberWndHost.h"
#include "Picture.h"
#include "ZrGroup.h"
#include "ZrItem.h"
#include "ZrPerson.h"

IMPLEMENT_DYNAMIC(CMyselfWnd, CPresenceWnd)

BEGIN_MESSAGE_MAP(CMyselfWnd, CPresenceWnd)
    ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

CMyselfWnd::CMyselfWnd(CZrPerson& myself, IMemberWndHost& host) : CPresenceWnd(myself, host)
{
    SetDragEnabled(true);
    SetFrameWidth(1);
    SetMenuId(kMenuId);
}

std::string CMyselfWnd::OwnItem(uint16_t code) const
{
    const CZrItem* item = GetMember().GetInfo().Items().Find(code);
    return item ? item->GetText() : std::string();
}

CPicture* CMyselfWnd::GetPicture()
{
    CZrObject& myself = GetMember();
    const AvatarFlip flip = AvatarFlipOf(OwnItem(kFlipProperty));
    if (myself.GetInfo().Member()->GetData()) {
        if (CPicture* own = CPresenceWnd::GetPicture())
            return own;
    }
    CPicture* mood = Host().GetSharedPicture(AvatarMoodBitmapOf(m_mood));
    if (mood)
        mood->SetFlip(flip.horizontal, flip.vertical);
    return mood;
}

void CMyselfWnd::ShowMood(int32_t mood)
{
    m_mood = mood;
    if (m_hWnd)
        Invalidate();
}

void CMyselfWnd::SetMood(int32_t mood)
{
    ShowMood(mood);
    Host().PublishOwnItem(kMoodProperty, std::to_string(AvatarMoodBitmapOf(mood)));
}

void CMyselfWnd::SetFlip(int32_t which)
{
    if (which != 0 && which != 1)
        return;
    Host().PublishOwnItem(kFlipProperty, AvatarFlipToggled(OwnItem(kFlipProperty), which));
    if (m_hWnd)
        Invalidate();
}

void CMyselfWnd::SetShown(bool show)
{
    CPresenceWnd::SetShown(show);
    NotifyShown(show);
}

void CMyselfWnd::BuildContextMenu(HMENU popup, int32_t, int32_t)
{
    Host().PrepareOwnMenu(popup);
}

bool CMyselfWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (lParam != 0)
        return CPresenceWnd::OnCommand(wParam, lParam);
    if (!IsDeletePending())
        Host().RunOwnCommand(LOWORD(wParam));
    return true;
}

void CMyselfWnd::OnLButtonDblClk(UINT, POINT)
{
    if (!IsDeletePending())
        Host().RunOwnCommand(kCmdEditIdentity);
}

CMemberWnd* CMyselfWnd::MemberWindowAt(int32_t x, int32_t y) const
{
    const CZrGroup* ownGroup = GetMember().GetParent();
    const CMemberWnd* ownGroupWindow = ownGroup ? Host().FindWindowOf(*ownGroup) : nullptr;
    for (HWND under = ::WindowFromPoint(POINT{x, y}); under; under = ::GetParent(under)) {
        auto* window = dynamic_cast<CMemberWnd*>(CWnd::FromHandlePermanent(under));
        if (!window)
            continue;
        if (window == this || window == ownGroupWindow)
            return nullptr;
        return window;
    }
    return nullptr;
}

bool CMyselfWnd::OnDragOver(int32_t x, int32_t y, int32_t* kind)
{
    *kind = kOverPage;
    CMemberWnd* target = MemberWindowAt(x, y);
    if (auto* game = dynamic_cast<CGameWnd*>(target))
        return game->OnDragOver(x, y, kind);
    if (target && target->IsTourWnd()) {
        *kind = kOverTour;
        return true;
    }
    if (target && target->IsPresenceWnd()) {
        // An ignored person, or one already in a group, cannot be joined.
        const CZrObject& person = target->GetMember();
        const MemberContainer container = Host().ContainerKindOf(person.GetParent());
        if (Host().IsIgnored(person.GetId()) || container != MemberContainer::kPlace)
            return false;
        *kind = kOverPerson;
        return true;
    }
    if (target)
        return false;
    AvatarPoint units{};
    return PageUnitsAt(x, y, units);
}

bool CMyselfWnd::OnDrop(int32_t x, int32_t y)
{
    int32_t kind = kOverPage;
    if (!OnDragOver(x, y, &kind))
        return false;
    // In a group the whole group goes where the user drops it.
    const CZrGroup* parent = GetMember().GetParent();
    const MemberContainer container = Host().ContainerKindOf(parent);
    if (container == MemberContainer::kSideBySide || container == MemberContainer::kTour) {
        CMemberWnd* group = Host().FindWindowOf(*parent);
        return group && group->OnDrop(x, y);
    }
    CMemberWnd* target = MemberWindowAt(x, y);
    if (auto* game = dynamic_cast<CGameWnd*>(target))
        return game->OnDrop(x, y);
    if (kind == kOverTour && target) {
        Host().JoinGroup(target->GetMember());
        return true;
    }
    if (kind == kOverPerson && target) {
        Host().StartGroupWith(target->GetMember());
        return true;
    }
    AvatarPoint units{};
    if (!PageUnitsAt(x, y, units))
        return false;
    Host().MoveMyself(static_cast<uint16_t>(units.x), static_cast<uint16_t>(units.y));
    return true;
}
