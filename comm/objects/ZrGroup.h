// CZrGroup: a container of the replicated tree (and the base of the place).
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "TvlBitSet.h"
#include "TvlList.h"
#include "ZrGroupInfo.h"
#include "ZrObject.h"

class CZrGroup : public CZrObject {
public:
    explicit CZrGroup(CTvlObject* owner = nullptr, std::unique_ptr<CZrGroupInfo> info = nullptr);
    ~CZrGroup() override;

    int32_t GetPersonCount() const override;
    // The object form, the u16 child count, each child's u16 kind and form,
    // then a flag and, when set, the host's u32 identifier.
    void Marshal(TvlNdr& writer) const override;
    // Reads that form: the seat set takes the capacity read; each child is
    // made by the host, read, tested with CanAccept, registered and added;
    // the host must be one of the person children.
    bool Unmarshal(TvlNdr& reader, const CZrReadContext& context) override;
    // A group sends through its host.
    bool Send(TvlNdr& message) override;
    CZrGroup* AsGroup() override;

    // Raised before the group dissolves.
    virtual void OnDissolve();

    CZrGroupInfo& GetGroupInfo() const;
    // Replaces the info (a group created by operation 10 takes a copy of the
    // record it was asked with) and sizes the seat set to its capacity.
    void SetGroupInfo(std::unique_ptr<CZrGroupInfo> info);
    void SetCapacity(uint16_t capacity);
    uint16_t GetCapacity() const { return GetGroupInfo().GetCapacity(); }

    const CTvlList& Children() const { return m_children; }
    int32_t ChildCount() const { return m_children.Count(); }
    CZrObject* GetHost() const { return m_host; }
    void SetHost(CZrObject* host) { m_host = host; }
    void ClearHost() { m_host = nullptr; }
    bool IsSeatTaken(uint16_t seat) const { return m_seats.Test(seat); }

    // The child joins the end of the children and takes the seat it stands
    // on (in any group but the standing group of kind 1025). A child still
    // in another group leaves that one first.
    void AddChild(CZrObject* child);
    // AddChild, and the child becomes the host.
    void AddHost(CZrObject* child);
    // The child leaves: no longer the host, its seat freed.
    // Both do nothing for an object that is not a child of this group.
    void RemoveChild(CZrObject* child);
    void DeleteChild(CZrObject* child);
    // Whether the object may join: always for the group of kind 1025, for
    // the object's own parent, and for an ancestor of an object that is
    // alone in its parent; else while the children are fewer than the
    // capacity.
    bool CanAccept(const CZrObject& object) const;
    // Whether the subtree of the object may stand below this group without
    // passing kZrMaxTreeLevels.
    bool CanNest(const CZrObject& object) const;

    // Reads one child from the message (operation 4, and the new member of
    // operation 6): kind, object form, CanAccept, registration, then adds
    // it. nullptr when any step fails; the child is then deleted.
    CZrObject* ReadChild(TvlNdr& reader, IZrTreeHost& host);
    // ReadChild, then the child hears OnEnter (operation 4).
    CZrObject* ReceiveChild(TvlNdr& reader, IZrTreeHost& host);
    // The child hears OnLeave and is deleted; the group may then dissolve
    // (operation 5).
    void RemoveDeparted(CZrObject* child, const std::string& reason);
    // Dissolves this group when its flags ask for it; see the source.
    void Dissolve(bool hostLeft);

private:
    CZrObject* ReadChildAt(TvlNdr& reader, IZrTreeHost& host, int32_t level);
    bool ReadHost(TvlNdr& reader);
    bool ShouldDissolve(bool hostLeft) const;
    CZrGroup* DissolveOnce(IZrTreeHost& host);

    CTvlBitSet m_seats;
    CZrObject* m_host;
    CTvlList m_children;
};
