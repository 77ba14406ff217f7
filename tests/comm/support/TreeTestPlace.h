// Test doubles of the client's tree classes: a place that hosts the tree and
// a person and group that record every notification they receive.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "TvlBlob.h"
#include "ZrGroup.h"
#include "ZrPerson.h"
#include "ZrTreeHost.h"

// One line per notification, e.g. "7 OnMove from=3 old=seat:2 value=0".
using TreeEvents = std::vector<std::string>;

std::string DescribePosition(const CZrPosition& position);

class RecordingPerson : public CZrPerson {
public:
    explicit RecordingPerson(TreeEvents& events) : m_events(events) {}

    void OnEnter() override;
    void OnLeave(const std::string& reason) override;
    void OnMove(CZrObject* oldParent, const CZrPosition& oldPosition, uint32_t value) override;
    void OnPlaced(CZrObject* oldParent, const CZrPosition& oldPosition) override;
    void OnReturned(CZrObject* oldParent, const CZrPosition& oldPosition) override;
    void OnInfoChanged() override;
    void OnFlagsChanged(CZrMemberFlags oldFlags) override;

private:
    void Record(const std::string& text);
    TreeEvents& m_events;
};

class RecordingGroup : public CZrGroup {
public:
    explicit RecordingGroup(TreeEvents& events) : m_events(events) {}
    ~RecordingGroup() override;

    void OnEnter() override;
    void OnMove(CZrObject* oldParent, const CZrPosition& oldPosition, uint32_t value) override;
    void OnDissolve() override;

private:
    void Record(const std::string& text);
    TreeEvents& m_events;
};

// A blob of the place's own class, so tests can tell who made it.
class PlaceBlob : public CTvlBlob {};

// The root place: kind 0x882 with the standing groups 1024 and 1025 as its
// children; optionally a local user standing in group 1025.
class TreeTestPlace : public CZrGroup, public IZrTreeHost {
public:
    explicit TreeTestPlace(TreeEvents& events, bool withMyself = true);

    IZrTreeHost* GetTreeHost() override { return this; }
    CZrPerson* NewPerson(uint32_t kind) override;
    CZrGroup* NewGroup(uint32_t kind) override;
    CTvlBlob* NewBlob() override { return new PlaceBlob; }
    bool RegisterMember(uint32_t id, CZrMemberHandle& handle) override;
    CZrGroup* GetRoom() override { return m_room; }
    CZrGroup* GetCorridor() override { return m_corridor; }
    CZrPerson* GetMyself() override { return m_myself; }

    // Adds a recording person with the identifier, name and position.
    RecordingPerson* AddPerson(CZrGroup& parent, uint32_t id, const CZrPosition& position = CZrPosition());
    // Adds a recording group of kind 512 with capacity and flags.
    RecordingGroup* AddGroup(CZrGroup& parent, uint32_t id, uint16_t capacity, uint16_t flags,
                             const CZrPosition& position = CZrPosition());

    std::vector<uint32_t> registered;
    std::set<uint32_t> refuseRegistration;
    // Kinds asked of the factories, in order.
    std::vector<uint32_t> made;

private:
    TreeEvents& m_events;
    CZrGroup* m_room;
    CZrGroup* m_corridor;
    CZrPerson* m_myself;
};

// The identifiers of the group's children, in order.
std::vector<uint32_t> ChildIds(const CZrGroup& group);
