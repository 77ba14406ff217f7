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
    // The tails of the member's chat balloons.
    void DrawDecoration(CDC* dc, const RECT& rect) override;
    std::string GetBubbleText() override;

protected:
    // Whether the rules let the window show: a member standing in the place
    // needs a position, and the place must show its avatars.
    virtual bool MayShow() const;
    // Moves the window to the member's place position under the place
    // window.
    void PlaceOnPage(AvatarExtent size);
    AvatarExtent CurrentSize() const;

private:
    CZrObject& m_member;
    IMemberWndHost& m_host;
};
