// CPresenceWnd: the avatar window of a person present in the place. It shows
// the person's own picture once its bytes have arrived (a placeholder
// before), else the mood picture the person chose, mirrored as the person
// asked, and the moderator's mark on a person who may not send.
#pragma once

#include <memory>

#include "CMemberWnd.h"

class CZrGroup;
class CZrPerson;

class CPresenceWnd : public CMemberWnd {
    DECLARE_DYNAMIC(CPresenceWnd)
public:
    // Properties of a person: its flip letters and its mood bitmap.
    static constexpr uint16_t kFlipProperty = 30;
    static constexpr uint16_t kMoodProperty = 31;
    static constexpr uint16_t kMenuId = 253;
    static constexpr UINT kCmdIdentity = 32801;

    CPresenceWnd(CZrPerson& person, IMemberWndHost& host);

    bool IsPresenceWnd() const override { return true; }
    CPicture* GetPicture() override;
    void DrawPicture(CDC* dc, const RECT& rect) override;
    void UpdatePosition() override;
    // The person's name, or "ignored" for a person the user ignores.
    std::string GetBubbleText() override;
    void BuildContextMenu(HMENU popup, int32_t x, int32_t y) override;
    // Another person's avatar takes files dropped on it.
    bool CreateMemberWindow(CWnd* parent, const RECT& rect) override;

    void SetOverlayState(bool on);
    bool GetOverlayState() const { return m_overlay; }
    void SetMarkState(bool on);
    bool GetMarkState() const { return m_mark; }

protected:
    bool MayShow() const override;
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnLButtonDblClk(UINT flags, POINT point);
    LRESULT OnDropFiles(WPARAM drop, LPARAM);
    // The window of the group the person sits in, when the group lays its
    // members out in its own window; null otherwise.
    class CGroupWnd* HostGroupWindow() const;
    void SitInRow(const CZrGroup& row);
    DECLARE_MESSAGE_MAP()

private:
    CPicture* OwnPicture();
    std::string Property(uint16_t code) const;

    CZrPerson& m_person;
    bool m_overlay = false;
    bool m_mark = false;
    // The person's decoded picture, made again when its bytes change.
    std::unique_ptr<CPicture> m_picture;
    const void* m_pictureSource = nullptr;
};
