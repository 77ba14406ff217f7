// What the avatar windows of the place's members ask of the application:
// the browser window they lie on and its page area, whether the place's
// avatars are shown, who is ignored, the avatar sizes, the shared pictures
// of the resource library, and what follows when an avatar is withdrawn.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "AvatarPlacement.h"

class CPicture;
class CWnd;
class CZrObject;

class IMemberWndHost {
public:
    // The place's browser window, the parent of the avatars standing in the
    // place; null while there is none.
    virtual CWnd* GetPlaceWnd() const = 0;
    virtual AvatarPage GetPageArea() const = 0;
    // The place shows its avatars (it has an active page).
    virtual bool IsPageActive() const = 0;
    virtual bool IsIgnored(uint32_t person) const = 0;
    // The name the user sees for a person, and the text shown instead for
    // one the user ignores.
    virtual std::string DisplayNameOf(const CZrObject& person) const = 0;
    virtual std::string IgnoredText() const = 0;
    virtual const AvatarSizes& GetSizes() const = 0;
    // The resource library (cursors of the avatars).
    virtual HMODULE GetResourceModule() const = 0;
    // A bitmap of the resource library shared by every avatar; null when it
    // does not load.
    virtual CPicture* GetSharedPicture(uint32_t bitmapId) = 0;
    // Pictures still on their way show the second placeholder.
    virtual bool UsesPlaceholderOption() const = 0;
    // The local user may moderate: marked avatars show their mark.
    virtual bool IsLocalModerator() const = 0;
    // An avatar was withdrawn from the page: the voice speaker and the
    // indicator follow.
    virtual void OnAvatarWithdrawn() = 0;
    // The local user dropped its avatar at (x, y) units of the page.
    virtual void MoveMyself(uint16_t x, uint16_t y) = 0;
    // Draws into dc the tails of the chat balloons that stand beside window.
    virtual void PaintBalloonTails(HWND window, HDC dc) = 0;

protected:
    ~IMemberWndHost() = default;
};
