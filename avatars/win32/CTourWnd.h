// CTourWnd: the window of a tour: its vehicle picture (or the tour's own
// picture) with the guide at the front and the riders in a grid of small
// avatars behind. Its menu joins, leaves or ends the tour; so does a double
// click.
#pragma once

#include <memory>

#include "CGroupWnd.h"

class CTourWnd : public CGroupWnd {
    DECLARE_DYNAMIC(CTourWnd)
public:
    static constexpr uint16_t kMenuId = 251;
    static constexpr UINT kCmdJoinTour = 32795;
    static constexpr UINT kCmdRetrievePicture = 32781;
    // Riders sit this many to a row.
    static constexpr uint16_t kColumns = 3;

    CTourWnd(CZrGroup& group, IMemberWndHost& host);

    bool IsTourWnd() const override { return true; }
    CPicture* GetPicture() override;
    bool OnDragOver(int32_t x, int32_t y, int32_t* kind) override;
    std::string GetBubbleText() override;
    void BuildContextMenu(HMENU popup, int32_t x, int32_t y) override;
    AvatarPoint GetMemberOffset(const CZrObject& member) override;
    AvatarExtent GetMemberSize(const CZrObject& member) override;

protected:
    AvatarExtent WindowSize() override;
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnLButtonDblClk(UINT flags, POINT point);
    // The group's own decoded picture; null without one.
    CPicture* GroupPicture();
    // The guide: the group's first child.
    const CZrObject* Guide() const;
    DECLARE_MESSAGE_MAP()

private:
    std::unique_ptr<CPicture> m_picture;
    const void* m_pictureSource = nullptr;
};
