#include "CEmptySeatWnd.h"

#include "CSeatRowWnd.h"
#include "IMemberWndHost.h"
#include "Picture.h"
#include "ZrGroup.h"

IMPLEMENT_DYNAMIC(CEmptySeatWnd, CZrWnd)

namespace {

constexpr uint32_t kSeatPicture = 485;
constexpr uint32_t kSeatText = 507;

const char* EmptySeatClass()
{
    static const char* name = CWnd::RegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW,
                                                     ::LoadCursorA(nullptr, IDC_ARROW),
                                                     static_cast<HBRUSH>(::GetStockObject(LTGRAY_BRUSH)));
    return name;
}

}  // namespace

CEmptySeatWnd::CEmptySeatWnd(uint16_t seat, CSeatRowWnd& row, IMemberWndHost& host)
    : m_seat(seat), m_row(row), m_host(host)
{
    SetMenuId(kMenuId);
}

bool CEmptySeatWnd::Create(CWnd* row, int32_t x, int32_t y, int32_t width, int32_t height)
{
    const char* className = EmptySeatClass();
    if (!className || !row)
        return false;
    const RECT rect{x, y, x + width, y + height};
    return CreateEx(0, className, kTitle, WS_CHILD | WS_BORDER | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, rect, row, 0);
}

void CEmptySeatWnd::SetShown(bool show)
{
    if (!m_hWnd)
        return;
    if (!show) {
        ShowWindow(SW_HIDE);
        return;
    }
    const AvatarPoint at = m_row.SeatPosition(m_seat);
    if (at.x != -1 || at.y != -1) {
        const AvatarExtent cell = m_row.CellSize();
        ::SetWindowPos(m_hWnd, nullptr, at.x, at.y, cell.width, cell.height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ShowWindow(SW_SHOW);
}

CPicture* CEmptySeatWnd::GetPicture()
{
    return m_host.GetSharedPicture(kSeatPicture);
}

void CEmptySeatWnd::DrawPicture(CDC* dc, const RECT& rect)
{
    if (CPicture* picture = GetPicture())
        picture->DrawFramed(dc, rect, GetFrameWidth() != 0, GetFrameColor(), GetFrameWidth(), false);
}

std::string CEmptySeatWnd::GetBubbleText()
{
    return m_host.LoadText(kSeatText) + std::to_string(m_seat);
}

bool CEmptySeatWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (lParam == 0 && LOWORD(wParam) == kCmdChooseSeat) {
        if (!IsDeletePending())
            m_host.ChooseSeat(m_row.GetRow(), m_seat);
        return true;
    }
    return CZrWnd::OnCommand(wParam, lParam);
}
