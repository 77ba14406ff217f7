#include "TreeTestPlace.h"

#include <cinttypes>
#include <cstdio>

namespace {

std::string Id(const CZrObject* object)
{
    return object ? std::to_string(object->GetId()) : "none";
}

} // namespace

std::string DescribePosition(const CZrPosition& position)
{
    switch (position.GetKind()) {
    case CZrPosition::kSeat:
        return "seat:" + std::to_string(position.GetId());
    case CZrPosition::kXY:
        return "xy:" + std::to_string(position.GetFirst()) + "," + std::to_string(position.GetSecond());
    case CZrPosition::kName:
        return "name:" + position.GetName();
    default:
        return "none";
    }
}

void RecordingPerson::Record(const std::string& text)
{
    m_events.push_back(std::to_string(GetId()) + " " + text);
}

void RecordingPerson::OnEnter() { Record("OnEnter"); }
void RecordingPerson::OnLeave(const std::string& reason) { Record("OnLeave " + reason); }

void RecordingPerson::OnMove(CZrObject* oldParent, const CZrPosition& oldPosition, uint32_t value)
{
    Record("OnMove from=" + Id(oldParent) + " old=" + DescribePosition(oldPosition) +
           " value=" + std::to_string(value));
}

void RecordingPerson::OnPlaced(CZrObject* oldParent, const CZrPosition& oldPosition)
{
    Record("OnPlaced from=" + Id(oldParent) + " old=" + DescribePosition(oldPosition));
}

void RecordingPerson::OnReturned(CZrObject* oldParent, const CZrPosition& oldPosition)
{
    Record("OnReturned from=" + Id(oldParent) + " old=" + DescribePosition(oldPosition));
}

void RecordingPerson::OnInfoChanged() { Record("OnInfoChanged " + GetPersonInfo().GetFullName()); }

void RecordingPerson::OnFlagsChanged(CZrMemberFlags oldFlags)
{
    char text[64];
    std::snprintf(text, sizeof text, "OnFlagsChanged old=%" PRIu16 " new=%" PRIu16, oldFlags.Word(),
                  GetFlags().Word());
    Record(text);
}

RecordingGroup::~RecordingGroup()
{
    Record("deleted");
}

void RecordingGroup::Record(const std::string& text)
{
    m_events.push_back(std::to_string(GetId()) + " " + text);
}

void RecordingGroup::OnEnter() { Record("OnEnter"); }

void RecordingGroup::OnMove(CZrObject* oldParent, const CZrPosition& oldPosition, uint32_t value)
{
    Record("OnMove from=" + Id(oldParent) + " old=" + DescribePosition(oldPosition) +
           " value=" + std::to_string(value));
}

void RecordingGroup::OnDissolve() { Record("OnDissolve"); }

TreeTestPlace::TreeTestPlace(TreeEvents& events, bool withMyself)
    : m_events(events), m_room(new CZrGroup), m_corridor(new CZrGroup), m_myself(nullptr)
{
    SetKind(0x882);
    SetId(1);
    SetCapacity(2);
    m_room->SetKind(kZrKindRoom);
    m_room->SetId(1024);
    m_corridor->SetKind(kZrKindCorridor);
    m_corridor->SetId(1025);
    AddChild(m_room);
    AddChild(m_corridor);
    if (withMyself) {
        m_myself = AddPerson(*m_corridor, 100);
        m_myself->SetKind(0x180);
    }
}

CZrPerson* TreeTestPlace::NewPerson(uint32_t kind)
{
    made.push_back(kind);
    CZrPerson* person = new RecordingPerson(m_events);
    person->SetKind(kind);
    return person;
}

CZrGroup* TreeTestPlace::NewGroup(uint32_t kind)
{
    made.push_back(kind);
    CZrGroup* group = new RecordingGroup(m_events);
    group->SetKind(kind);
    return group;
}

bool TreeTestPlace::RegisterMember(uint32_t id, CZrMemberHandle&)
{
    if (refuseRegistration.count(id))
        return false;
    registered.push_back(id);
    return true;
}

RecordingPerson* TreeTestPlace::AddPerson(CZrGroup& parent, uint32_t id, const CZrPosition& position)
{
    auto* person = new RecordingPerson(m_events);
    person->SetId(id);
    person->GetInfo().SetName("p" + std::to_string(id));
    person->SetPosition(position);
    parent.AddChild(person);
    return person;
}

RecordingGroup* TreeTestPlace::AddGroup(CZrGroup& parent, uint32_t id, uint16_t capacity, uint16_t flags,
                                        const CZrPosition& position)
{
    auto* group = new RecordingGroup(m_events);
    group->SetId(id);
    group->SetCapacity(capacity);
    group->GetGroupInfo().SetFlags(flags);
    group->SetPosition(position);
    parent.AddChild(group);
    return group;
}

std::vector<uint32_t> ChildIds(const CZrGroup& group)
{
    std::vector<uint32_t> ids;
    for (CTvlListIter it = group.Children().Begin(); it.IsValid(); it.Next())
        ids.push_back(it.Get<CZrObject>()->GetId());
    return ids;
}
