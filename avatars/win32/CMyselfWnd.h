// CMyselfWnd: the local user's own avatar window. It shows the user's own
// picture or the picture of the mood chosen, mirrored as the user chose, and
// the user drags it to move: a drop inside the page asks the server to move
// the user there, a drop on a tour joins the tour and a drop on another
// person starts a group with that person.
#pragma once

#include "CPresenceWnd.h"

class CMyselfWnd : public CPresenceWnd {
    DECLARE_DYNAMIC(CMyselfWnd)
public:
    static constexpr uint16_t kMenuId = 252;
    static constexpr UINT kCmdEditIdentity = 32775;
    // Drag cursor kinds.
    static constexpr int32_t kOverPage = 0;
    static constexpr int32_t kOverPerson = 1;
    static constexpr int32_t kOverTour = 2;

    CMyselfWnd(CZrPerson& myself, IMemberWndHost& host);

    bool IsMyselfWnd() const override { return true; }
    CPicture* GetPicture() override;
    bool OnDrop(int32_t x, int32_t y) override;
    bool OnDragOver(int32_t x, int32_t y, int32_t* kind) override;
    void BuildContextMenu(HMENU popup, int32_t x, int32_t y) override;
    void SetShown(bool show) override;

    // The mood the user chose (1 Normal, 2 Happy, 3 Angry, 4 Sad): shown,
    // and published as the bitmap of the mood (item 31).
    void SetMood(int32_t mood);
    // The mood shown, as kept in the settings; nothing is published.
    void ShowMood(int32_t mood);
    int32_t GetMood() const { return m_mood; }
    // Turns the horizontal (0) or vertical (1) mirroring over and publishes
    // the flip letters (item 30); any other value changes nothing.
    void SetFlip(int32_t which);

protected:
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnLButtonDblClk(UINT flags, POINT point);
    DECLARE_MESSAGE_MAP()

private:
    // The avatar or group window under a screen point, other than this one
    // and the group it sits in; null over the page.
    CMemberWnd* MemberWindowAt(int32_t x, int32_t y) const;
    std::string OwnItem(uint16_t code) const;

    int32_t m_mood = 1;
};
