#include "CSeatRowWnd.h"

#include <algorithm>

#include "CEmptySeatWnd.h"
#include "CMemberWnd.h"
#include "GroupLayout.h"
#include "IMemberWndHost.h"
#include "ZrGroup.h"

BEGIN_MESSAGE_MAP(CSeatRowWnd, CWnd)
    ON_WM_RBUTTONDOWN()
    ON_WM_CLOSE()
    ON_WM_SIZE()
END_MESSAGE_MAP()

namespace {

const char* RowClass(HMODULE resources)
{
    static const char* name = CWnd::RegisterWndClass(CS_HREDRAW | CS_VREDRAW, nullptr, nullptr,
                                                     ::LoadIconA(resources, MAKEINTRESOURCEA(128)));
    return name;
}

uint16_t SeatOf(const CZrObject& member)
{
    return member.GetPosition().GetId();
}

}  // namespace

CSeatRowWnd::CSeatRowWnd(CZrGroup& row, IMemberWndHost& host)
    : m_row(row), m_host(host), m_seatCount(row.GetCapacity())
{
}

CSeatRowWnd::~CSeatRowWnd()
{
    for (CEmptySeatWnd* seat : m_seats)
        seat->SafeDelete();
}

template <typename Visit>
void CSeatRowWnd::ForEachMemberWindow(Visit visit)
{
    for (CTvlListIter it = m_row.Children().Begin(); it.IsValid(); it.Next()) {
        auto* child = it.Get<CZrObject>();
        CMemberWnd* window = child ? m_host.FindWindowOf(*child) : nullptr;
        if (window && window->GetSafeHwnd())
            visit(*child, *window);
    }
}

bool CSeatRowWnd::CreateRow(CWnd* parent)
{
    const char* className = RowClass(m_host.GetResourceModule());
    if (!className || !parent)
        return false;
    const RECT rect{0, 0, m_seatCount * m_cell.width, m_cell.height + 4};
    if (!CreateEx(0, className, m_row.GetName().c_str(), WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, rect, parent,
                  kControlId))
        return false;
    for (uint16_t seat = 1; seat <= m_seatCount; ++seat) {
        if (IsSeatFree(seat))
            AddSeat(seat);
    }
    return true;
}

void CSeatRowWnd::SetCellSize(int32_t width)
{
    m_cell = SeatRowCell(width, m_seatCount, m_cell);
}

AvatarPoint CSeatRowWnd::SeatOrigin(const CZrObject& member)
{
    const int32_t seat = SeatOf(member);
    if (seat >= 1)
        RemoveSeat(static_cast<uint16_t>(seat));
    return SeatPosition(seat);
}

AvatarPoint CSeatRowWnd::SeatPosition(int32_t seat) const
{
    return SeatCellPosition(seat, m_origin, m_cell.width);
}

int32_t CSeatRowWnd::SeatAt(POINT screen) const
{
    ::ScreenToClient(m_hWnd, &screen);
    return SeatUnder(screen.x, m_origin, m_cell.width);
}

bool CSeatRowWnd::IsSeatFree(uint16_t seat) const
{
    for (CTvlListIter it = m_row.Children().Begin(); it.IsValid(); it.Next()) {
        auto* child = it.Get<CZrObject>();
        if (child && SeatOf(*child) == seat)
            return false;
    }
    return true;
}

bool CSeatRowWnd::HasSeatWindow(uint16_t seat) const
{
    return std::any_of(m_seats.begin(), m_seats.end(),
                       [seat](const CEmptySeatWnd* marker) { return marker->GetSeat() == seat; });
}

void CSeatRowWnd::AddSeat(uint16_t seat)
{
    if (seat < 1 || seat > m_seatCount || HasSeatWindow(seat) || !m_hWnd)
        return;
    auto* marker = new CEmptySeatWnd(seat, *this, m_host);
    const AvatarPoint at = SeatPosition(seat);
    if (!marker->Create(this, at.x, at.y, m_cell.width, m_cell.height)) {
        delete marker;
        return;
    }
    m_seats.push_back(marker);
    marker->SetShown(IsWindowVisible());
}

void CSeatRowWnd::RemoveSeat(uint16_t seat)
{
    const auto found = std::find_if(m_seats.begin(), m_seats.end(),
                                    [seat](const CEmptySeatWnd* marker) { return marker->GetSeat() == seat; });
    if (found == m_seats.end())
        return;
    CEmptySeatWnd* marker = *found;
    m_seats.erase(found);
    marker->SafeDelete();
}

void CSeatRowWnd::UpdateMembers()
{
    ForEachMemberWindow([](const CZrObject& member, CMemberWnd& window) {
        if (SeatOf(member) >= 1)
            window.UpdatePosition();
    });
    for (CEmptySeatWnd* marker : m_seats)
        marker->SetShown(IsWindowVisible());
}

void CSeatRowWnd::Relayout(bool show)
{
    if (!m_hWnd)
        return;
    ShowWindow(show ? SW_SHOW : SW_HIDE);
    ForEachMemberWindow([show](const CZrObject& member, CMemberWnd& window) {
        window.UpdateVisibility(show && SeatOf(member) >= 1);
    });
    for (CEmptySeatWnd* marker : m_seats)
        marker->SetShown(show);
}

void CSeatRowWnd::SafeDelete()
{
    if (m_hWnd && !::IsWindow(m_hWnd))
        m_hWnd = nullptr;
    if (!m_menuOpen) {
        delete this;
        return;
    }
    m_deletePending = true;
    ::EndMenu();
}

void CSeatRowWnd::OnRButtonDown(UINT, POINT point)
{
    HMENU bar = ::LoadMenuA(m_host.GetResourceModule(), MAKEINTRESOURCEA(kMenuId));
    HMENU menu = bar ? ::GetSubMenu(bar, 0) : nullptr;
    if (menu) {
        ClientToScreen(&point);
        m_menuOpen = true;
        const UINT command = static_cast<UINT>(::TrackPopupMenu(
            menu, TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, point.x, point.y, 0, m_hWnd, nullptr));
        m_menuOpen = false;
        if (!m_deletePending && command == kCmdLeaveRow)
            m_host.LeaveRow(m_row);
    }
    if (bar)
        ::DestroyMenu(bar);
    if (m_deletePending)
        delete this;
}

void CSeatRowWnd::OnClose()
{
    Relayout(false);
}

void CSeatRowWnd::OnSize(UINT, int cx, int)
{
    SetCellSize(cx);
    if (m_host.ShowsSeatRows())
        Relayout(true);
}
