// A recording fake of the windows and DDE notices that a person or group of
// the place drives: each call becomes one line naming the call, the person
// or group by id, and a value (a group id, a seat, a flag).
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "IMyselfViews.h"
#include "IPersonViews.h"
#include "ZrGroup.h"
#include "ZrPerson.h"

class FakePersonViews : public IPersonViews {
public:
    virtual ~FakePersonViews() = default;

    void CreatePlaceWindow(CZrPerson& person, CZrGroup* host) override
    {
        windows.insert(person.GetId());
        Record("window", person.GetId(), host ? host->GetId() : 0);
    }
    bool HasPlaceWindow(const CZrPerson& person) const override { return windows.count(person.GetId()) != 0; }
    void HidePlaceWindow(CZrPerson& person) override { Record("hide", person.GetId()); }
    void UpdateVisibility(CZrPerson& person) override { Record("layout", person.GetId()); }
    void Withdraw(CZrPerson& person) override { Record("withdraw", person.GetId()); }
    void Repaint(CZrPerson& person) override { Record("repaint", person.GetId()); }
    void SetMark(CZrPerson& person, bool on) override { Record(on ? "mark-on" : "mark-off", person.GetId()); }
    void SetOverlay(CZrPerson& person, bool on) override { Record("overlay", person.GetId(), on); }
    void ShowPicture(CZrPerson& person, const CTvlBlob& picture) override
    {
        Record("picture", person.GetId(), picture.Length());
    }
    void DestroyWindows(CZrPerson& person) override
    {
        windows.erase(person.GetId());
        Record("destroy", person.GetId());
    }
    void FreeSeat(CZrGroup& row, uint16_t seat) override { Record("free-seat", row.GetId(), seat); }
    void AddEmptySeat(CZrGroup& row, uint16_t seat) override { Record("empty-seat", row.GetId(), seat); }
    void AddToPeople(CZrPerson& person) override { Record("people-add", person.GetId()); }
    void RemoveFromPeople(CZrPerson& person) override { Record("people-remove", person.GetId()); }
    void UpdateInPeople(CZrPerson& person) override { Record("people-update", person.GetId()); }
    void ChangeInPeople(CZrPerson& person) override { Record("people-change", person.GetId()); }
    void RedrawPeople() override { Record("people-redraw", 0); }

    void CreateGroupWindow(CZrGroup& group) override { Record("group-window", group.GetId()); }
    void ShowGroupWindow(CZrGroup& group) override { Record("group-show", group.GetId()); }
    void WithdrawGroupWindow(CZrGroup& group) override { Record("group-withdraw", group.GetId()); }
    void RelayoutGroupWindow(CZrGroup& group) override { Record("group-layout", group.GetId()); }
    void RepaintGroupWindow(CZrGroup& group) override { Record("group-repaint", group.GetId()); }
    void DestroyGroupWindows(CZrGroup& group) override { Record("group-destroy", group.GetId()); }
    void AddGroupToPeople(CZrGroup& group) override { Record("group-people-add", group.GetId()); }
    void RemoveGroupFromPeople(CZrGroup& group) override { Record("group-people-remove", group.GetId()); }
    void UpdateGroupInPeople(CZrGroup& group) override { Record("group-people-update", group.GetId()); }
    void ShowGroupSay(CZrGroup& group, CZrObject& sender, const std::string& text) override
    {
        lines.push_back(text);
        Record("group-say", sender.GetId(), group.GetId());
    }

    void SendPlaceNotice(CZrPerson& person, uint32_t value) override { Record("place-notice", person.GetId(), value); }
    void SendMemberMessage(CZrPerson& person, CZrGroup& group) override
    {
        Record("member-message", person.GetId(), group.GetId());
    }
    void PostLeaveGroup(CZrPerson& person, CZrGroup& group) override
    {
        Record("leave-group", person.GetId(), group.GetId());
    }
    void SendPlaceRequest(CZrPerson& person) override { Record("place-request", person.GetId()); }
    void PostStartGroup(CZrGroup& group, CZrPerson& starter) override
    {
        Record("start-group", starter.GetId(), group.GetId());
    }
    void PostBreakGroup(CZrGroup& group) override { Record("break-group", group.GetId()); }
    void PostStart1on1(CZrGroup& group, CZrPerson& person) override
    {
        Record("start-1on1", person.GetId(), group.GetId());
    }
    void PostBreak1on1(CZrGroup& group) override { Record("break-1on1", group.GetId()); }
    void SendGroupNotice(CZrGroup& group, bool startVoice) override
    {
        Record("group-notice", group.GetId(), startVoice);
    }
    void SendGroupRequest(CZrGroup& group) override { Record("group-request", group.GetId()); }
    void PostPresenceIdentity(CZrPerson& person) override { Record("presence-identity", person.GetId()); }
    void PostPresenceFace(CZrPerson& person) override { Record("presence-face", person.GetId()); }

    std::vector<std::string> calls;
    std::vector<std::string> lines;
    std::set<uint32_t> windows;

protected:
    // A value of -1 is left out of the line.
    virtual void Record(const std::string& call, uint32_t id, int64_t value = -1)
    {
        calls.push_back(call + " " + std::to_string(id) + (value >= 0 ? " " + std::to_string(value) : std::string()));
    }
};

// A recording fake of what the local user asks of the application.
class FakeMyselfViews : public IMyselfViews {
public:
    virtual ~FakeMyselfViews() = default;

    void AnimateIndicator() override { Record("indicator-animate"); }
    void StopIndicator() override { Record("indicator-stop"); }
    void Beep() override { Record("beep"); }
    void ShowTip(int32_t tip) override { Record("tip", tip); }
    void SetOwnShown(bool shown) override { Record("own-shown", shown); }
    void LayoutOwnAvatar() override { Record("own-layout"); }
    bool IsOwnOverlayShown() const override { return overlayShown; }
    void SetOwnOverlay(bool on) override
    {
        overlayShown = on;
        Record("own-overlay", on);
    }
    void EnableDrag(CZrGroup& group) override { Record("drag", group.GetId()); }
    void CreateGameTab(CZrGroup& group) override { Record("game-tab", group.GetId()); }
    void CreateTourTab(CZrGroup& group) override { Record("tour-tab", group.GetId()); }
    void CreateRowTab(CZrGroup& group) override { Record("row-tab", group.GetId()); }
    void CreateStageTab(CZrGroup& room) override { Record("stage-tab", room.GetId()); }
    void ShowImTab(CZrObject& person, CZrGroup&) override { Record("im-tab", person.GetId()); }
    void ClosePersonPage(CZrObject& object) override { Record("close-page", object.GetId()); }
    bool IsImPageActive() const override { return false; }
    void CloseSeatMap() override { Record("seat-map-close"); }
    void EnableSeatMap() override { Record("seat-map-enable"); }
    void ReleaseGame() override { Record("release-game"); }
    void PostAlert(uint32_t sender, const std::string&) override { Record("dde-alert", sender); }
    void PostMoveError(uint32_t stringId) override { Record("dde-move-error", stringId); }
    void PostGroupError(uint32_t stringId) override { Record("dde-group-error", stringId); }
    void PostMove(uint32_t x, uint32_t y) override { Record("dde-move", x * 100000 + y); }

    std::vector<std::string> calls;
    bool overlayShown = false;

protected:
    // A value of -1 is left out of the line.
    virtual void Record(const std::string& call, int64_t value = -1)
    {
        calls.push_back(value >= 0 ? call + " " + std::to_string(value) : call);
    }
};
