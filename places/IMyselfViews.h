// IMyselfViews: what the local user asks of the application beyond what
// every person asks (IPersonViews): its own avatar window, the
// participation indicator, the chat tabs of the groups it joins, the
// auditorium's seat map, the game session, the tips and the DDE notices
// that only the local user raises. The application implements it; tests
// record the calls.
#pragma once

#include <cstdint>
#include <string>

class CZrGroup;
class CZrObject;

class IMyselfViews {
public:
    // The participation indicator: animated while the user takes part,
    // waiting while a request of the user is under way.
    virtual void AnimateIndicator() = 0;
    virtual void StopIndicator() = 0;
    // The exclamation sound.
    virtual void Beep() = 0;
    virtual void ShowTip(int32_t tip) = 0;

    // The own avatar window.
    virtual void SetOwnShown(bool shown) = 0;
    virtual void LayoutOwnAvatar() = 0;
    virtual bool IsOwnOverlayShown() const = 0;
    virtual void SetOwnOverlay(bool on) = 0;
    // Dragging the own avatar within the group's window.
    virtual void EnableDrag(CZrGroup& group) = 0;

    // Chat tabs of the containers the user is in.
    virtual void CreateGameTab(CZrGroup& group) = 0;
    virtual void CreateTourTab(CZrGroup& group) = 0;
    virtual void CreateRowTab(CZrGroup& group) = 0;
    virtual void CreateStageTab(CZrGroup& room) = 0;
    virtual void ShowImTab(CZrObject& person, CZrGroup& group) = 0;
    virtual void ClosePersonPage(CZrObject& object) = 0;
    virtual bool IsImPageActive() const = 0;

    // The auditorium's seat map dialog.
    virtual void CloseSeatMap() = 0;
    virtual void EnableSeatMap() = 0;
    // The game session lets its game server go.
    virtual void ReleaseGame() = 0;

    // DDE notices of the local user.
    virtual void PostAlert(uint32_t sender, const std::string& name) = 0;
    virtual void PostMoveError(uint32_t stringId) = 0;
    virtual void PostGroupError(uint32_t stringId) = 0;
    virtual void PostMove(uint32_t x, uint32_t y) = 0;

protected:
    ~IMyselfViews() = default;
};
