#include "CMemberWnd.h"

#include "CDC.h"
#include "Picture.h"
#include "IMemberWndHost.h"
#include "ZrGroup.h"
#include "ZrObject.h"

IMPLEMENT_DYNAMIC(CMemberWnd, CZrWnd)

namespace {

// Double clicks, horizontal and vertical redraw.
constexpr UINT kClassStyle = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;

const char* MemberClass(HMODULE resources)
{
    static const char* name = CWnd::RegisterWndClass(
        kClassStyle, ::LoadCursorA(resources, MAKEINTRESOURCEA(CMemberWnd::kCursorId)),
        static_cast<HBRUSH>(::GetStockObject(LTGRAY_BRUSH)));
    return name;
}

}  // namespace

CMemberWnd::CMemberWnd(CZrObject& member, IMemberWndHost& host) : m_member(member), m_host(host) {}

bool CMemberWnd::CreateMemberWindow(CWnd* parent, const RECT& rect)
{
    const char* className = MemberClass(m_host.GetResourceModule());
    if (!className || !parent)
        return false;
    return CreateEx(0, className, kTitle, WS_CHILD | WS_BORDER | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, rect, parent,
                    0);
}

AvatarExtent CMemberWnd::CurrentSize() const
{
    RECT rect{};
    ::GetWindowRect(m_hWnd, &rect);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

void CMemberWnd::PlaceOnPage(AvatarExtent size)
{
    CWnd* place = m_host.GetPlaceWnd();
    if (!place || !m_hWnd)
        return;
    if (::GetParent(m_hWnd) != place->GetSafeHwnd())
        ::SetParent(m_hWnd, place->GetSafeHwnd());
    const CZrPosition& position = m_member.GetPosition();
    const AvatarPoint at = AvatarPixelPosition(position.GetFirst(), position.GetSecond(), m_host.GetPageArea(), size);
    EndHover();
    ::SetWindowPos(m_hWnd, nullptr, at.x, at.y, size.width, size.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CMemberWnd::UpdatePosition()
{
    const AvatarExtent size = m_member.HasBit8() ? m_host.GetSizes().avatar : CurrentSize();
    PlaceOnPage(size);
}

bool CMemberWnd::MayShow() const
{
    const CZrGroup* parent = m_member.GetParent();
    const bool standsInPlace = parent && (parent->IsRoot() || parent->IsRoom() || parent->IsCorridor());
    if (standsInPlace && !m_member.GetPosition().IsXY())
        return false;
    return m_host.IsPageActive();
}

void CMemberWnd::UpdateVisibility(bool show)
{
    if (!m_hWnd)
        return;
    if (show) {
        ShowWindow(SW_HIDE);
        UpdatePosition();
    } else {
        EndHover();
    }
    ShowWindow(show && MayShow() ? SW_SHOW : SW_HIDE);
}

void CMemberWnd::Withdraw()
{
    UpdateVisibility(false);
    m_host.OnAvatarWithdrawn();
}

void CMemberWnd::SetShown(bool show)
{
    if (!m_hWnd)
        return;
    if (show) {
        UpdatePosition();
        ShowWindow(MayShow() ? SW_SHOW : SW_HIDE);
    } else {
        ShowWindow(SW_HIDE);
        EndHover();
    }
}

void CMemberWnd::DrawPicture(CDC* dc, const RECT& rect)
{
    if (IsDeletePending() || !MayShow())
        return;
    CPicture* picture = GetPicture();
    if (picture)
        picture->DrawFramed(dc, rect, GetFrameWidth() != 0, GetFrameColor(), GetFrameWidth(), false);
}

std::string CMemberWnd::GetBubbleText()
{
    return m_member.GetName();
}

void CMemberWnd::DrawDecoration(CDC* dc, const RECT&)
{
    m_host.PaintBalloonTails(m_hWnd, dc->GetSafeHdc());
}
