#include "ZrGroup.h"

#include <vector>

#include "TvlNdr.h"
#include "ZrPerson.h"
#include "ZrTreeHost.h"

namespace {

// Kinds that a group reads as its children: other persons and groups.
bool IsChildKind(uint32_t kind)
{
    return ZrKindIsOtherPerson(kind) || (kind & kZrKindGroup) != 0;
}

} // namespace

CZrGroup::CZrGroup(CTvlObject* owner, std::unique_ptr<CZrGroupInfo> info)
    : CZrObject(kZrKindGroup, info ? std::move(info) : std::make_unique<CZrGroupInfo>(), owner),
      m_seats(GetGroupInfo().GetCapacity(), 1), m_host(nullptr), m_children(CTvlList::kOwns)
{
}

CZrGroup::~CZrGroup() = default;

CZrGroup* CZrGroup::AsGroup()
{
    return this;
}

void CZrGroup::OnDissolve() {}

CZrGroupInfo& CZrGroup::GetGroupInfo() const
{
    return static_cast<CZrGroupInfo&>(GetInfo());
}

void CZrGroup::SetGroupInfo(std::unique_ptr<CZrGroupInfo> info)
{
    if (!info)
        return;
    const uint16_t capacity = info->GetCapacity();
    SetInfo(std::move(info));
    m_seats.Resize(capacity);
}

void CZrGroup::SetCapacity(uint16_t capacity)
{
    GetGroupInfo().SetCapacity(capacity);
    m_seats.Resize(capacity);
}

// Sums the persons below without recursing: groups are walked, every other
// object counts as it says.
int32_t CZrGroup::GetPersonCount() const
{
    int32_t count = 0;
    std::vector<const CZrGroup*> stack{this};
    while (!stack.empty()) {
        const CZrGroup* group = stack.back();
        stack.pop_back();
        for (CTvlListIter it = group->m_children.Begin(); it.IsValid(); it.Next()) {
            const CZrObject* child = it.Get<CZrObject>();
            if (const CZrGroup* inner = child->AsGroup())
                stack.push_back(inner);
            else
                count += child->GetPersonCount();
        }
    }
    return count;
}

void CZrGroup::Marshal(TvlNdr& writer) const
{
    CZrObject::Marshal(writer);
    writer.PutShort(static_cast<uint16_t>(ChildCount()));
    for (CTvlListIter it = m_children.Begin(); it.IsValid(); it.Next()) {
        const CZrObject* child = it.Get<CZrObject>();
        writer.PutShort(static_cast<uint16_t>(child->GetKind()));
        child->Marshal(writer);
    }
    writer.PutByte(m_host ? 1 : 0);
    if (m_host)
        writer.PutLong(m_host->GetId());
}

bool CZrGroup::Unmarshal(TvlNdr& reader, const CZrReadContext& context)
{
    if (!context.host || !CZrObject::Unmarshal(reader, context))
        return false;
    m_seats.Resize(GetCapacity());
    uint32_t count;
    if (!reader.GetWord(count))
        return false;
    for (uint32_t i = 0; i < count; ++i) {
        if (!ReadChildAt(reader, *context.host, context.level + 1))
            return false;
    }
    return ReadHost(reader);
}

bool CZrGroup::ReadHost(TvlNdr& reader)
{
    int32_t hasHost;
    if (!reader.GetBool(hasHost))
        return false;
    if (!hasHost)
        return true;
    uint32_t hostId;
    if (!reader.GetLong(hostId))
        return false;
    for (CTvlListIter it = m_children.Begin(); it.IsValid(); it.Next()) {
        CZrObject* child = it.Get<CZrObject>();
        if (child->HasBit8() && child->GetId() == hostId) {
            m_host = child;
            return true;
        }
    }
    return false;
}

CZrObject* CZrGroup::ReadChild(TvlNdr& reader, IZrTreeHost& host)
{
    return ReadChildAt(reader, host, GetLevel() + 1);
}

CZrObject* CZrGroup::ReceiveChild(TvlNdr& reader, IZrTreeHost& host)
{
    CZrObject* child = ReadChild(reader, host);
    if (child)
        child->OnEnter();
    return child;
}

CZrObject* CZrGroup::ReadChildAt(TvlNdr& reader, IZrTreeHost& host, int32_t level)
{
    uint32_t kind;
    if (level > kZrMaxTreeLevels || !reader.GetKind(kind) || !IsChildKind(kind))
        return nullptr;
    std::unique_ptr<CZrObject> child;
    if (ZrKindIsOtherPerson(kind))
        child.reset(host.NewPerson(kind));
    else
        child.reset(host.NewGroup(kind));
    if (!child)
        return nullptr;
    child->SetKind(kind);
    if (!child->Unmarshal(reader, CZrReadContext{&host, level}) || !CanAccept(*child) ||
        !host.RegisterMember(child->GetId(), child->GetInfo().Member()))
        return nullptr;
    AddChild(child.get());
    return child.release();
}

bool CZrGroup::Send(TvlNdr& message)
{
    return m_host && m_host->Send(message);
}

void CZrGroup::AddChild(CZrObject* child)
{
    if (child->m_parent)
        child->m_parent->RemoveChild(child);
    child->m_parent = this;
    m_children.Append(child);
    child->m_node = m_children.End();
    if (child->GetPosition().IsSingle() && !IsCorridor())
        m_seats.Set(child->GetPosition().GetId());
}

void CZrGroup::AddHost(CZrObject* child)
{
    AddChild(child);
    m_host = child;
}

void CZrGroup::RemoveChild(CZrObject* child)
{
    if (child->m_parent != this)
        return;
    if (m_host == child)
        m_host = nullptr;
    if (child->GetPosition().IsSingle() && !IsCorridor())
        m_seats.Clear(child->GetPosition().GetId());
    m_children.RemoveNode(child->m_node);
    child->m_parent = nullptr;
}

void CZrGroup::DeleteChild(CZrObject* child)
{
    if (child->m_parent != this)
        return;
    RemoveChild(child);
    delete child;
}

bool CZrGroup::CanAccept(const CZrObject& object) const
{
    if (IsCorridor() || object.GetParent() == this)
        return true;
    const CZrGroup* parent = object.GetParent();
    if (parent && parent->ChildCount() == 1 && object.IsInside(this))
        return true;
    return ChildCount() < GetCapacity();
}

bool CZrGroup::CanNest(const CZrObject& object) const
{
    return GetLevel() + object.GetHeight() <= kZrMaxTreeLevels;
}

void CZrGroup::RemoveDeparted(CZrObject* child, const std::string& reason)
{
    if (child->GetParent() != this)
        return;
    const bool wasHost = m_host == child;
    child->OnLeave(reason);
    DeleteChild(child);
    Dissolve(wasHost);
}

// A group dissolves when it is empty (flag bit 0), has one member left (bit
// 1) or has lost its host (bit 2). It hears OnDissolve; its members move to
// the place's standing group 1024 when the group lies inside that one, else
// to group 1025, where only the member holding the local user goes (when
// there is a local user). The group is then deleted with what is left in it,
// and its parent is tested in turn. The place and its standing groups never
// dissolve.
void CZrGroup::Dissolve(bool hostLeft)
{
    IZrTreeHost* host = FindTreeHost();
    if (!host)
        return;
    CZrGroup* group = this;
    while (group && group->ShouldDissolve(hostLeft)) {
        group = group->DissolveOnce(*host);
        hostLeft = false;
    }
}

bool CZrGroup::ShouldDissolve(bool hostLeft) const
{
    if (!GetParent() || IsRoot() || IsRoom() || IsCorridor())
        return false;
    const CZrGroupInfo& info = GetGroupInfo();
    return (ChildCount() == 0 && info.HasFlag(CZrGroupInfo::kDissolveEmpty)) ||
           (ChildCount() == 1 && info.HasFlag(CZrGroupInfo::kDissolveOneLeft)) ||
           (hostLeft && info.HasFlag(CZrGroupInfo::kDissolveHostLeft));
}

// Dissolves this group and answers its parent.
CZrGroup* CZrGroup::DissolveOnce(IZrTreeHost& host)
{
    OnDissolve();
    CZrGroup* room = host.GetRoom();
    CZrGroup* target = room && IsInside(room) ? room : host.GetCorridor();
    std::vector<CZrObject*> movers;
    const CZrPerson* myself = host.GetMyself();
    for (CTvlListIter it = m_children.Begin(); it.IsValid(); it.Next()) {
        CZrObject* child = it.Get<CZrObject>();
        if (target != host.GetCorridor() || !myself || myself->IsInside(child))
            movers.push_back(child);
    }
    for (CZrObject* child : target ? movers : std::vector<CZrObject*>()) {
        const CZrPosition oldPosition = child->GetPosition();
        RemoveChild(child);
        child->SetPosition(CZrPosition());
        target->AddChild(child);
        child->OnMove(this, oldPosition, 0);
    }
    CZrGroup* parent = GetParent();
    parent->DeleteChild(this);
    return parent;
}
