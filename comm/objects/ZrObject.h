// CZrObject: a node of the replicated tree (place, group or person).
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "TvlList.h"
#include "TvlObject.h"
#include "ZrInfo.h"
#include "ZrKind.h"
#include "ZrPosition.h"

class CTvlBlob;
class CZrGroup;
class CZrItem;
class IZrTreeHost;
class TvlNdr;

// Deepest nesting the tree takes: real trees are place, standing group,
// group, person. Objects read from the network below this level, and moves
// that would put an object there, are refused, so every walk of the tree is
// bounded.
constexpr int32_t kZrMaxTreeLevels = 16;

// What an object read from a message needs: the place that makes its
// children (none outside a place: a group then cannot read children) and the
// level the object will stand at (1 for the root).
struct CZrReadContext {
    IZrTreeHost* host;
    int32_t level;
};

class CZrObject : public CTvlObject {
public:
    CZrObject(uint32_t kind, std::unique_ptr<CZrInfo> info, CTvlObject* owner);
    CZrObject(const CZrObject&) = delete;
    CZrObject& operator=(const CZrObject&) = delete;
    ~CZrObject() override;

    // Persons in this subtree: a person counts 1, a group the sum over its
    // children.
    virtual int32_t GetPersonCount() const;
    // u32 identifier, position, then the info in its short form.
    virtual void Marshal(TvlNdr& writer) const;
    // The same fields; false when a field is malformed or the object would
    // stand deeper than kZrMaxTreeLevels.
    virtual bool Unmarshal(TvlNdr& reader, const CZrReadContext& context);
    // Sends a place operation through the local user's place link.
    virtual bool Send(TvlNdr& message);

    // Notifications for the client's subclasses; the library's do nothing.
    virtual void OnEnter();
    virtual void OnLeave(const std::string& reason);
    virtual void OnMove(CZrObject* oldParent, const CZrPosition& oldPosition, uint32_t value);
    virtual void OnDenied(uint32_t code, uint32_t destination, uint32_t value);
    virtual void OnReceive(CZrObject* sender, uint32_t value, const std::string& text, const CTvlBlob& blob);
    virtual void OnSendRefused(uint32_t value, uint32_t code);
    virtual void OnDataChanged(const CTvlBlob* newData, const CTvlBlob* oldData, uint32_t value);
    virtual void OnItemPut(CZrItem& item);
    virtual void OnItemRemoved(CZrItem& item);

    // The place at the root answers itself; nothing else hosts a tree.
    virtual IZrTreeHost* GetTreeHost();
    // A group answers itself.
    virtual CZrGroup* AsGroup();
    const CZrGroup* AsGroup() const;

    // The top ancestor when it is a place, else nullptr.
    CZrObject* FindRoot();
    // The root's host, or nullptr outside a place.
    IZrTreeHost* FindTreeHost();
    // This object or one of its subtree with the identifier, depth first in
    // children order.
    CZrObject* FindById(uint32_t id);
    // Whether `other` is this object or one of its ancestors.
    bool IsInside(const CZrObject* other) const;
    // 1-based place among the parent's children, 0 without a parent.
    int32_t GetIndex() const;
    bool ParentIsBit9() const;
    // 1 for an object without parent, one more for each ancestor.
    int32_t GetLevel() const;
    // Levels of this subtree: 1 for an object without children.
    int32_t GetHeight() const;
    // Moves this object into the destination (operation 6); see the source.
    // False, and nothing changes, for the root or a standing group, for a
    // destination inside this object, or when the subtree would stand too
    // deep. The object may be gone when this returns true: its old parent
    // may dissolve and take it along.
    bool MoveInto(CZrGroup& destination, const CZrPosition& position, uint32_t value);

    bool IsContainer() const { return (m_kind & kZrKindContainerMask) != 0; }
    bool IsRoot() const { return (m_kind & kZrKindPlace) != 0; }
    bool HasBit8() const { return (m_kind & kZrKindPerson) != 0; }
    bool IsRoom() const { return m_kind == kZrKindRoom; }
    bool IsCorridor() const { return m_kind == kZrKindCorridor; }

    CTvlObject* GetOwner() const { return m_owner; }
    void SetOwner(CTvlObject* owner) { m_owner = owner; }
    uint32_t GetId() const { return m_id; }
    void SetId(uint32_t id) { m_id = id; }
    uint32_t GetKind() const { return m_kind; }
    void SetKind(uint32_t kind) { m_kind = kind; }
    CZrGroup* GetParent() const { return m_parent; }
    const CZrPosition& GetPosition() const { return m_position; }
    void SetPosition(const CZrPosition& position) { m_position = position; }
    CZrInfo& GetInfo() const { return *m_info; }
    const std::string& GetName() const { return m_info->GetName(); }

protected:
    // Groups and persons take only infos of their own class.
    void SetInfo(std::unique_ptr<CZrInfo> info) { m_info = std::move(info); }

private:
    friend class CZrGroup;

    CTvlObject* m_owner;
    uint32_t m_id;
    uint32_t m_kind;
    CZrGroup* m_parent;
    CZrPosition m_position;
    std::unique_ptr<CZrInfo> m_info;
    CTvlListIter m_node;
};
