#include "CMyselfWnd.h"

#include "IMemberWndHost.h"
#include "Picture.h"
#include "ZrItem.h"
#include "ZrPerson.h"

IMPLEMENT_DYNAMIC(CMyselfWnd, CPresenceWnd)

namespace {

constexpr int32_t kUnitsPerPage = 10000;

}  // namespace

CMyselfWnd::CMyselfWnd(CZrPerson& myself, IMemberWndHost& host) : CPresenceWnd(myself, host)
{
    SetDragEnabled(true);
    SetFrameWidth(1);
}

CPicture* CMyselfWnd::GetPicture()
{
    CZrObject& myself = GetMember();
    const CZrItem* flipItem = myself.GetInfo().Items().Find(kFlipProperty);
    const AvatarFlip flip = AvatarFlipOf(flipItem ? flipItem->GetText() : std::string());
    if (myself.GetInfo().Member()->GetData()) {
        if (CPicture* own = CPresenceWnd::GetPicture())
            return own;
    }
    CPicture* mood = Host().GetSharedPicture(AvatarMoodBitmapOf(m_mood));
    if (mood)
        mood->SetFlip(flip.horizontal, flip.vertical);
    return mood;
}

void CMyselfWnd::SetMood(int32_t mood)
{
    m_mood = mood;
    if (m_hWnd)
        Invalidate();
}

bool CMyselfWnd::PageUnitsAt(int32_t x, int32_t y, AvatarPoint& units) const
{
    CWnd* place = Host().GetPlaceWnd();
    if (!place)
        return false;
    POINT point{x, y};
    ::ScreenToClient(place->GetSafeHwnd(), &point);
    const AvatarPage page = Host().GetPageArea();
    if (point.x < page.left || point.y < page.top || point.x >= page.left + page.width ||
        point.y >= page.top + page.height)
        return false;
    units = AvatarUnits(point.x, point.y, page);
    return units.x >= 0 && units.y >= 0 && units.x <= kUnitsPerPage && units.y <= kUnitsPerPage;
}

bool CMyselfWnd::OnDragOver(int32_t x, int32_t y, int32_t* kind)
{
    *kind = 0;
    AvatarPoint units{};
    return PageUnitsAt(x, y, units);
}

bool CMyselfWnd::OnDrop(int32_t x, int32_t y)
{
    AvatarPoint units{};
    if (!PageUnitsAt(x, y, units))
        return false;
    Host().MoveMyself(static_cast<uint16_t>(units.x), static_cast<uint16_t>(units.y));
    return true;
}
