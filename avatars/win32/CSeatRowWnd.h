// CSeatRowWnd: the window of a seat row: one cell a seat, the avatars of
// the members who sit in the row in their cells and a marker in every free
// cell, from which the user picks a seat. Its menu leaves the row.
#pragma once

#include <cstdint>
#include <vector>

#include "AvatarPlacement.h"
#include "CWnd.h"

class CEmptySeatWnd;
class CZrGroup;
class CZrObject;
class IMemberWndHost;

class CSeatRowWnd : public CWnd {
public:
    static constexpr UINT kControlId = 1174;
    static constexpr UINT kMenuId = 358;
    static constexpr UINT kCmdLeaveRow = 32839;

    CSeatRowWnd(CZrGroup& row, IMemberWndHost& host);
    ~CSeatRowWnd() override;

    CZrGroup& GetRow() const { return m_row; }
    uint16_t SeatCount() const { return m_seatCount; }
    AvatarExtent CellSize() const { return m_cell; }

    // The window under `parent`, with a marker on every seat no member
    // takes.
    bool CreateRow(CWnd* parent);
    // The cells share the row's width out (see SeatRowCell).
    void SetCellSize(int32_t width);
    // The cell of the member's seat; the seat's marker goes, the member
    // takes it. (-1, -1) for a member without a seat.
    AvatarPoint SeatOrigin(const CZrObject& member);
    AvatarPoint SeatPosition(int32_t seat) const;
    // The 1-based seat under a screen point.
    int32_t SeatAt(POINT screen) const;
    bool IsSeatFree(uint16_t seat) const;
    bool HasSeatWindow(uint16_t seat) const;
    // A marker on the seat (it freed), or none any more.
    void AddSeat(uint16_t seat);
    void RemoveSeat(uint16_t seat);
    // Members and markers to their cells again.
    void UpdateMembers();
    // Shows or hides the row with its members and markers.
    void Relayout(bool show);
    // Deletes the window now, or once its menu has closed.
    void SafeDelete();

protected:
    void OnRButtonDown(UINT flags, POINT point);
    void OnClose();
    void OnSize(UINT type, int cx, int cy);
    DECLARE_MESSAGE_MAP()

private:
    template <typename Visit>
    void ForEachMemberWindow(Visit visit);

    CZrGroup& m_row;
    IMemberWndHost& m_host;
    int32_t m_origin = 0;
    std::vector<CEmptySeatWnd*> m_seats;
    uint16_t m_seatCount;
    AvatarExtent m_cell{24, 32};
    bool m_menuOpen = false;
    bool m_deletePending = false;
};
