// CGroupWnd: the window of a group of the place (a plain group or a
// one-on-one), laid over the page at the group's position, holding its
// members' avatar windows side by side. CTourWnd and CGameWnd lay their
// members out their own way.
#pragma once

#include "CMemberWnd.h"

class CZrGroup;

class CGroupWnd : public CMemberWnd {
    DECLARE_DYNAMIC(CGroupWnd)
public:
    CGroupWnd(CZrGroup& group, IMemberWndHost& host);

    CZrGroup& GetGroup() const { return m_group; }

    bool IsGroupWnd() const override { return true; }
    void UpdatePosition() override;
    void UpdateVisibility(bool show) override;
    void SetShown(bool show) override;
    // The group goes where it is dropped on the page.
    bool OnDrop(int32_t x, int32_t y) override;

    // Where the member's avatar sits inside this window, and its size.
    virtual AvatarPoint GetMemberOffset(const CZrObject& member);
    virtual AvatarExtent GetMemberSize(const CZrObject& member);

protected:
    // The window's size for its members.
    virtual AvatarExtent WindowSize();
    // Every member's avatar window laid out (and shown or hidden) again.
    void LayoutMembers(bool show);
    bool MayShow() const override;

private:
    CZrGroup& m_group;
};
