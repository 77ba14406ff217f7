#include "ZrObject.h"

#include <utility>
#include <vector>

#include "TvlNdr.h"
#include "ZrGroup.h"
#include "ZrTreeHost.h"

CZrObject::CZrObject(uint32_t kind, std::unique_ptr<CZrInfo> info, CTvlObject* owner)
    : m_owner(owner), m_id(0), m_kind(kind), m_parent(nullptr), m_info(std::move(info))
{
    if (!m_info)
        m_info = std::make_unique<CZrInfo>();
}

CZrObject::~CZrObject() = default;

int32_t CZrObject::GetPersonCount() const
{
    return 0;
}

void CZrObject::Marshal(TvlNdr& writer) const
{
    writer.PutLong(m_id);
    m_position.Write(writer);
    m_info->Write(writer, false);
}

bool CZrObject::Unmarshal(TvlNdr& reader, const CZrReadContext& context)
{
    return context.level <= kZrMaxTreeLevels && reader.GetLong(m_id) && m_position.Read(reader) &&
           m_info->Read(reader, context.host);
}

bool CZrObject::Send(TvlNdr&)
{
    return false;
}

void CZrObject::OnEnter() {}
void CZrObject::OnLeave(const std::string&) {}
void CZrObject::OnMove(CZrObject*, const CZrPosition&, uint32_t) {}
void CZrObject::OnDenied(uint32_t, uint32_t, uint32_t) {}
void CZrObject::OnReceive(CZrObject*, uint32_t, const std::string&, const CTvlBlob&) {}
void CZrObject::OnSendRefused(uint32_t, uint32_t) {}
void CZrObject::OnDataChanged(const CTvlBlob*, const CTvlBlob*, uint32_t) {}
void CZrObject::OnItemPut(CZrItem&) {}
void CZrObject::OnItemRemoved(CZrItem&) {}

IZrTreeHost* CZrObject::GetTreeHost()
{
    return nullptr;
}

CZrGroup* CZrObject::AsGroup()
{
    return nullptr;
}

const CZrGroup* CZrObject::AsGroup() const
{
    return const_cast<CZrObject*>(this)->AsGroup();
}

CZrObject* CZrObject::FindRoot()
{
    CZrObject* top = this;
    while (top->m_parent)
        top = top->m_parent;
    return top->IsRoot() ? top : nullptr;
}

IZrTreeHost* CZrObject::FindTreeHost()
{
    CZrObject* root = FindRoot();
    return root ? root->GetTreeHost() : nullptr;
}

CZrObject* CZrObject::FindById(uint32_t id)
{
    std::vector<CZrObject*> stack{this};
    while (!stack.empty()) {
        CZrObject* object = stack.back();
        stack.pop_back();
        if (object->m_id == id)
            return object;
        if (const CZrGroup* group = object->AsGroup()) {
            for (CTvlListIter it = group->Children().End(); it.IsValid(); it.Prev())
                stack.push_back(it.Get<CZrObject>());
        }
    }
    return nullptr;
}

bool CZrObject::IsInside(const CZrObject* other) const
{
    for (const CZrObject* object = this; object; object = object->m_parent) {
        if (object == other)
            return true;
    }
    return false;
}

int32_t CZrObject::GetIndex() const
{
    if (!m_parent)
        return 0;
    int32_t index = 1;
    for (CTvlListIter it = m_parent->Children().Begin(); it.IsValid(); it.Next(), ++index) {
        if (it.Object() == this)
            return index;
    }
    return 0;
}

bool CZrObject::ParentIsBit9() const
{
    return m_parent && (m_parent->GetKind() & kZrKindGroup) != 0;
}

int32_t CZrObject::GetLevel() const
{
    int32_t level = 1;
    for (const CZrObject* object = m_parent; object; object = object->m_parent)
        ++level;
    return level;
}

int32_t CZrObject::GetHeight() const
{
    int32_t height = 0;
    std::vector<std::pair<const CZrObject*, int32_t>> stack{{this, 1}};
    while (!stack.empty()) {
        const auto [object, depth] = stack.back();
        stack.pop_back();
        if (depth > height)
            height = depth;
        if (const CZrGroup* group = object->AsGroup()) {
            for (CTvlListIter it = group->Children().Begin(); it.IsValid(); it.Next())
                stack.emplace_back(it.Get<CZrObject>(), depth + 1);
        }
    }
    return height;
}

// The object leaves its old parent, takes the new position and joins the
// destination (as host again when it led the group it stays in), then hears
// OnMove. A move into another group lets the old parent dissolve.
bool CZrObject::MoveInto(CZrGroup& destination, const CZrPosition& position, uint32_t value)
{
    CZrGroup* oldParent = m_parent;
    if (!oldParent || IsRoom() || IsCorridor() || destination.IsInside(this))
        return false;
    if (&destination != oldParent && !destination.CanNest(*this))
        return false;
    const CZrPosition oldPosition = m_position;
    const bool wasHost = oldParent->GetHost() == this;
    oldParent->RemoveChild(this);
    m_position = position;
    if (wasHost && &destination == oldParent)
        destination.AddHost(this);
    else
        destination.AddChild(this);
    OnMove(oldParent, oldPosition, value);
    if (&destination != oldParent)
        oldParent->Dissolve(wasHost);
    return true;
}
