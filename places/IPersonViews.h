// IPersonViews: what a person or group of the place asks of the windows that
// show it (its avatar or group window, the seat row, the people list) and of
// the DDE session. The application implements it; tests record the calls.
#pragma once

#include <cstdint>
#include <string>

class CTvlBlob;
class CZrGroup;
class CZrObject;
class CZrPerson;

class IPersonViews {
public:
    // A new avatar window becomes the person's place view window, a child of
    // the host group's window, or of the browser window when host is null.
    virtual void CreatePlaceWindow(CZrPerson& person, CZrGroup* host) = 0;
    virtual bool HasPlaceWindow(const CZrPerson& person) const = 0;
    virtual void HidePlaceWindow(CZrPerson& person) = 0;
    // Lays the avatar window out again (a seated person goes to its seat).
    virtual void UpdateVisibility(CZrPerson& person) = 0;
    virtual void Withdraw(CZrPerson& person) = 0;
    virtual void Repaint(CZrPerson& person) = 0;
    virtual void SetMark(CZrPerson& person, bool on) = 0;
    virtual void SetOverlay(CZrPerson& person, bool on) = 0;
    // The person's picture arrived (or changed): it is decoded and shown on
    // its avatar and in its open identity dialog.
    virtual void ShowPicture(CZrPerson& person, const CTvlBlob& picture) = 0;
    // The person is going away: its windows go with it and nothing may keep
    // a reference to it.
    virtual void DestroyWindows(CZrPerson& person) = 0;

    // The seat row window of a group of kind 519.
    virtual void FreeSeat(CZrGroup& row, uint16_t seat) = 0;
    virtual void AddEmptySeat(CZrGroup& row, uint16_t seat) = 0;

    // The people list.
    virtual void AddToPeople(CZrPerson& person) = 0;
    virtual void RemoveFromPeople(CZrPerson& person) = 0;
    virtual void UpdateInPeople(CZrPerson& person) = 0;
    // The person's group or one-on-one changed, or it was renamed: its row
    // is made again (a rename calls this, then UpdateInPeople).
    virtual void ChangeInPeople(CZrPerson& person) = 0;
    virtual void RedrawPeople() = 0;

    // The windows of a group (group, tour or game window, or seat row).
    virtual void CreateGroupWindow(CZrGroup& group) = 0;
    virtual void ShowGroupWindow(CZrGroup& group) = 0;
    virtual void WithdrawGroupWindow(CZrGroup& group) = 0;
    virtual void RelayoutGroupWindow(CZrGroup& group) = 0;
    virtual void RepaintGroupWindow(CZrGroup& group) = 0;
    // The group is going away: its windows go with it.
    virtual void DestroyGroupWindows(CZrGroup& group) = 0;
    virtual void AddGroupToPeople(CZrGroup& group) = 0;
    virtual void RemoveGroupFromPeople(CZrGroup& group) = 0;
    virtual void UpdateGroupInPeople(CZrGroup& group) = 0;
    // A line said inside a group: its balloon and the chat window.
    virtual void ShowGroupSay(CZrGroup& group, CZrObject& sender, const std::string& text) = 0;

    // DDE notices about persons.
    virtual void SendPlaceNotice(CZrPerson& person, uint32_t value) = 0;
    virtual void SendMemberMessage(CZrPerson& person, CZrGroup& group) = 0;
    virtual void PostLeaveGroup(CZrPerson& person, CZrGroup& group) = 0;
    virtual void SendPlaceRequest(CZrPerson& person) = 0;
    virtual void PostStartGroup(CZrGroup& group, CZrPerson& starter) = 0;
    virtual void PostBreakGroup(CZrGroup& group) = 0;
    virtual void PostStart1on1(CZrGroup& group, CZrPerson& person) = 0;
    virtual void PostBreak1on1(CZrGroup& group) = 0;
    virtual void SendGroupNotice(CZrGroup& group, bool startVoice) = 0;
    virtual void SendGroupRequest(CZrGroup& group) = 0;
    // The person's identity texts changed.
    virtual void PostPresenceIdentity(CZrPerson& person) = 0;
    virtual void PostPresenceFace(CZrPerson& person) = 0;

protected:
    ~IPersonViews() = default;
};
