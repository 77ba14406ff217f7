// A recording fake of the windows and DDE notices that a person of the place
// drives: each call becomes one line naming the person and group by id.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "IPersonViews.h"
#include "ZrGroup.h"
#include "ZrPerson.h"

class FakePersonViews : public IPersonViews {
public:
    void CreatePlaceWindow(CZrPerson& person, CZrGroup* host) override
    {
        windows.insert(person.GetId());
        Log("window", person, host ? host->GetId() : 0);
    }
    bool HasPlaceWindow(const CZrPerson& person) const override { return windows.count(person.GetId()) != 0; }
    void HidePlaceWindow(CZrPerson& person) override { Log("hide", person); }
    void UpdateVisibility(CZrPerson& person) override { Log("layout", person); }
    void Withdraw(CZrPerson& person) override { Log("withdraw", person); }
    void Repaint(CZrPerson& person) override { Log("repaint", person); }
    void SetMark(CZrPerson& person, bool on) override { Log(on ? "mark-on" : "mark-off", person); }
    void DestroyWindows(CZrPerson& person) override
    {
        windows.erase(person.GetId());
        Log("destroy", person);
    }
    void FreeSeat(CZrGroup& row, uint16_t seat) override
    {
        calls.push_back("free-seat " + std::to_string(row.GetId()) + " " + std::to_string(seat));
    }
    void AddEmptySeat(CZrGroup& row, uint16_t seat) override
    {
        calls.push_back("empty-seat " + std::to_string(row.GetId()) + " " + std::to_string(seat));
    }
    void AddToPeople(CZrPerson& person) override { Log("people-add", person); }
    void RemoveFromPeople(CZrPerson& person) override { Log("people-remove", person); }
    void UpdateInPeople(CZrPerson& person) override { Log("people-update", person); }
    void ChangeInPeople(CZrPerson& person) override { Log("people-change", person); }
    void SendPlaceNotice(CZrPerson& person, uint32_t value) override { Log("place-notice", person, value); }
    void SendMemberMessage(CZrPerson& person, CZrGroup& group) override
    {
        Log("member-message", person, group.GetId());
    }
    void PostLeaveGroup(CZrPerson& person, CZrGroup& group) override { Log("leave-group", person, group.GetId()); }
    void SendPlaceRequest(CZrPerson& person) override { Log("place-request", person); }

    std::vector<std::string> calls;
    std::set<uint32_t> windows;

private:
    void Log(const std::string& what, const CZrPerson& person)
    {
        calls.push_back(what + " " + std::to_string(person.GetId()));
    }
    void Log(const std::string& what, const CZrPerson& person, uint32_t value)
    {
        calls.push_back(what + " " + std::to_string(person.GetId()) + " " + std::to_string(value));
    }
};
