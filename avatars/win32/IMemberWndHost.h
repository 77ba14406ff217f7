// What the avatar windows of the place's members ask of the application:
// the browser window they lie on and its page area, whether the place's
// avatars are shown, who is ignored, the avatar sizes, the shared pictures
// of the resource library, and what follows when an avatar is withdrawn.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "AvatarPlacement.h"
#include "CSlotAttr.h"

class CMemberWnd;
class CPicture;
class CSeatRowWnd;
class CWnd;
class CZrObject;

// How a container lays out the avatars of its members.
enum class MemberContainer {
    // The place itself (or one of its standing groups): avatars stand on the
    // page at their positions.
    kPlace,
    // A plain group or a one-on-one: avatars side by side.
    kSideBySide,
    kTour,
    kGame,
    kSeatRow,
};

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
    // The local user dropped the group it sits in at (x, y) units.
    virtual void MoveGroup(const CZrObject& group, uint16_t x, uint16_t y) = 0;

    // The window of a member object (person, own avatar or group); null
    // while it has none.
    virtual CMemberWnd* FindWindowOf(const CZrObject& member) const = 0;
    // The window of a group, made when the group has none yet; null for a
    // container that has no window of its own.
    virtual CMemberWnd* GroupWindowFor(const CZrObject& group) = 0;
    // How the container lays its members out; kPlace for null.
    virtual MemberContainer ContainerKindOf(const CZrObject* container) const = 0;
    // The person menu of the person's avatar, filled and run by the same
    // code as the people page's person menu.
    virtual void PreparePersonMenu(HMENU menu, const CZrObject& person) = 0;
    virtual void RunPersonCommand(UINT command, const CZrObject& person) = 0;
    // A file was dropped on the person's avatar: its sending starts (the
    // first file dropped, its full path).
    virtual void SendDroppedFile(const CZrObject& person, const std::string& path) = 0;
    // The slot table of a game (its players' seats on the board); null for
    // a game without one.
    virtual const std::vector<CSlotAttr>* GameSlotsOf(const CZrObject& game) const = 0;
    // The big-avatar option: slot rectangles are given for big avatars.
    virtual bool UsesBigAvatars() const = 0;
    // The window of a seat row; null while the row shows none (the user
    // does not sit in it).
    virtual CSeatRowWnd* RowWindowOf(const CZrObject& row) const = 0;
    // The row option: seat rows are shown.
    virtual bool ShowsSeatRows() const = 0;
    // The user asks for a seat of the row, or leaves the row.
    virtual void ChooseSeat(const CZrObject& row, uint16_t seat) = 0;
    virtual void LeaveRow(const CZrObject& row) = 0;
    // A string of the resource library.
    virtual std::string LoadText(uint32_t id) const = 0;
    // The local user's own member object; null before it exists.
    virtual const CZrObject* GetOwnMember() const = 0;
    // The user joins the game on the 1-based slot (0: any free slot); in
    // the game already, the user leaves it (its leader ends it).
    virtual void JoinGame(const CZrObject& game, uint16_t slot) = 0;
    // The menu of a tour or game window and its commands (join, leave or
    // end, retrieve the picture).
    virtual void PrepareGroupMenu(HMENU menu, const CZrObject& group) = 0;
    virtual void RunGroupCommand(UINT command, const CZrObject& group) = 0;
    // The own avatar was dropped on a group's window: the user joins it.
    virtual void JoinGroup(const CZrObject& group) = 0;
    // The own avatar was dropped on another person: the two start a group.
    virtual void StartGroupWith(const CZrObject& person) = 0;
    // The own avatar's menu is the main window's own-avatar menu, and its
    // commands are the main window's commands.
    virtual void PrepareOwnMenu(HMENU menu) = 0;
    virtual void RunOwnCommand(UINT command) = 0;
    // Publishes an item (flip letters, mood picture) of the local user.
    virtual void PublishOwnItem(uint16_t code, const std::string& text) = 0;
    // Draws into dc the tails of the chat balloons that stand beside window.
    virtual void PaintBalloonTails(HWND window, HDC dc) = 0;

protected:
    ~IMemberWndHost() = default;
};
