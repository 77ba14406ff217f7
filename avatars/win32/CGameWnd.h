// CGameWnd: the window of a game table: the game's picture (or the shared
// board) with its players' avatars on their slots, or in the tour's grid
// when the game has no slot table. Its menu joins the game on a slot; so
// does a double click on a slot and the own avatar dropped on one.
#pragma once

#include "CSlotAttr.h"
#include "CTourWnd.h"

class CGameWnd : public CTourWnd {
    DECLARE_DYNAMIC(CGameWnd)
public:
    static constexpr uint16_t kMenuId = 439;
    static constexpr UINT kCmdFirstSlot = 32644;
    static constexpr UINT kCmdLastSlot = 32663;
    static constexpr uint16_t kWidthItem = 5;
    static constexpr uint16_t kHeightItem = 6;
    // "Y": any free slot takes a player who joins.
    static constexpr uint16_t kAnySlotItem = 8;

    CGameWnd(CZrGroup& group, IMemberWndHost& host);

    virtual bool IsGameWnd() const { return true; }
    CPicture* GetPicture() override;
    bool OnDragOver(int32_t x, int32_t y, int32_t* kind) override;
    bool OnDrop(int32_t x, int32_t y) override;
    void BuildContextMenu(HMENU popup, int32_t x, int32_t y) override;
    AvatarPoint GetMemberOffset(const CZrObject& member) override;
    AvatarExtent GetMemberSize(const CZrObject& member) override;

    // The 1-based slot whose rectangle holds the screen point, or 0; and
    // whether a player sits on it.
    uint16_t SlotAt(int32_t x, int32_t y) const;
    bool IsSlotTaken(uint16_t slot) const;
    // The user sits on the slot.
    bool IsOwnSlot(uint16_t slot) const;
    // The slot a player dropped on the point joins: the one under it, or 0
    // (any) for a game that seats its players itself; -1 refuses.
    int32_t DropSlotAt(int32_t x, int32_t y) const;

protected:
    AvatarExtent WindowSize() override;
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnLButtonDblClk(UINT flags, POINT point);
    DECLARE_MESSAGE_MAP()

private:
    const CSlotAttr* Slot(uint16_t slot) const;
    std::string Item(uint16_t code) const;
};
