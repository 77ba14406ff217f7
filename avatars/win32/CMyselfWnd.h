// CMyselfWnd: the local user's own avatar window. It shows the user's own
// picture or the picture of the mood chosen, and the user drags it to move:
// a drop inside the page asks the server to move the user there.
#pragma once

#include "CPresenceWnd.h"

class CMyselfWnd : public CPresenceWnd {
    DECLARE_DYNAMIC(CMyselfWnd)
public:

    CMyselfWnd(CZrPerson& myself, IMemberWndHost& host);

    bool IsMyselfWnd() const override { return true; }
    CPicture* GetPicture() override;
    bool OnDrop(int32_t x, int32_t y) override;
    bool OnDragOver(int32_t x, int32_t y, int32_t* kind) override;

    // 1 Normal, 2 Happy, 3 Angry, 4 Sad.
    void SetMood(int32_t mood);

private:
    // The page position in units of a screen point, or false when the point
    // lies outside the page.
    bool PageUnitsAt(int32_t x, int32_t y, AvatarPoint& units) const;

    int32_t m_mood = 1;
};
