// CMemberWnd: the avatar window of one member object of the place's tree (a
// person, group or game), a child of the place's browser window laid over
// the page at the position that the server keeps for the member.
#pragma once

#include <cstdint>

#include "AvatarPlacement.h"
#include "ZrWnd.h"

class CZrObject;
class IMemberWndHost;

class CMemberWnd : public CZrWnd {
    DECLARE_DYNAMIC(CMemberWnd)
public:
    static constexpr char kTitle[] = "ZRC member";
    static constexpr uint32_t kCursorId = 263;
    // To the main window: the own avatar or a group was shown or hidden.
    static constexpr UINT kShownMessage = WM_USER + 0;

    CMemberWnd(CZrObject& member, IMemberWndHost& host);

    CZrObject& GetMember() const { return m_member; }
    IMemberWndHost& Host() const { return m_host; }

    // Creates the window under `parent` with the rectangle; false when the
    // window could not be made.
    virtual bool CreateMemberWindow(CWnd* parent, const RECT& rect);
    // Places and sizes the window for the member's position and container.
    virtual void UpdatePosition();
    // Lays the window out again and shows it when asked to and allowed;
    // otherwise hides it.
    virtual void UpdateVisibility(bool show);
    virtual void Withdraw();
    virtual void SetShown(bool show);

    bool IsMemberWnd() const override { return true; }
    void DrawPicture(CDC* dc, const RECT& rect) override;
    std::string GetBubbleText() override;

protected:
    // Whether the rules let the window show: a member standing in the place
    // needs a position, and the place must show its avatars.
    virtual bool MayShow() const;
    // Moves the window to the member's place position under the place
    // window.
    void PlaceOnPage(AvatarExtent size);
    // The page position in units of a screen point, or false when the point
    // lies outside the page.
    bool PageUnitsAt(int32_t x, int32_t y, AvatarPoint& units) const;
    AvatarExtent CurrentSize() const;
    // Tells the main window that the window was shown (1) or hidden (0):
    // it zooms to or from it.
    void NotifyShown(bool shown);

private:
    CZrObject& m_member;
    IMemberWndHost& m_host;
};
