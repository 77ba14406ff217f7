// CEmptySeatWnd: the marker of a free seat of a seat row, in the seat's
// cell; its menu's "Choose This Seat" asks the server for the seat.
#pragma once

#include <cstdint>

#include "ZrWnd.h"

class CSeatRowWnd;
class IMemberWndHost;

class CEmptySeatWnd : public CZrWnd {
    DECLARE_DYNAMIC(CEmptySeatWnd)
public:
    static constexpr char kTitle[] = "Empty Seat";
    static constexpr uint16_t kMenuId = 428;
    static constexpr UINT kCmdChooseSeat = 32853;

    CEmptySeatWnd(uint16_t seat, CSeatRowWnd& row, IMemberWndHost& host);

    uint16_t GetSeat() const { return m_seat; }
    bool Create(CWnd* row, int32_t x, int32_t y, int32_t width, int32_t height);
    // Shown in its cell, or hidden.
    void SetShown(bool show);

    CPicture* GetPicture() override;
    void DrawPicture(CDC* dc, const RECT& rect) override;
    // "Seat #" and the seat's number.
    std::string GetBubbleText() override;

protected:
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    uint16_t m_seat;
    CSeatRowWnd& m_row;
    IMemberWndHost& m_host;
};
