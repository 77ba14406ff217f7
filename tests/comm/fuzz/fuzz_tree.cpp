// Arbitrary bytes through every reader of the replicated tree: object and
// group forms (read into a test place), infos, items, positions and every
// description record. Byte 0 picks the reader, the rest is the message.
// Whatever reads whole is written again, and the written bytes must read
// back and write once more to the very same bytes. A group that reads is
// then put into the place and taken apart member by member, so that the
// dissolve and move paths run over the trees the fuzzer builds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "BroadcastInfo.h"
#include "TreeTestPlace.h"
#include "TvlNdr.h"
#include "ZrGroupInfo.h"
#include "ZrItemTable.h"
#include "ZrObjectDesc.h"
#include "ZrObjectRef.h"
#include "ZrPersonDesc.h"
#include "ZrPersonInfo.h"
#include "ZrPlaceDesc.h"
#include "ZrPosition.h"
#include "ZrString.h"
#include "ZrTextMessage.h"

namespace {

constexpr uint32_t kLocal = 100;

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

std::vector<uint8_t> Bytes(const TvlNdr& writer)
{
    return std::vector<uint8_t>(writer.Data(), writer.Data() + writer.Used());
}

// An item without a value is carried only by the full form, so a record
// read in full and written short need not read back.
bool HasItemWithoutValue(const CZrItemTable& items)
{
    for (CTvlListIter it = items.Begin(); it.IsValid(); it.Next()) {
        if (!it.Get<CZrItem>()->HasValue())
            return true;
    }
    return false;
}

bool SubtreeHasItemWithoutValue(const CZrObject& object)
{
    if (HasItemWithoutValue(object.GetInfo().Items()))
        return true;
    if (const CZrGroup* group = object.AsGroup()) {
        for (CTvlListIter it = group->Children().Begin(); it.IsValid(); it.Next()) {
            if (SubtreeHasItemWithoutValue(*it.Get<CZrObject>()))
                return true;
        }
    }
    return false;
}

// Writes the record, reads the bytes into a fresh one, writes that, and
// checks that both writes agree.
template <class Record, class Write, class Read>
void CheckStable(const Record& record, Write write, Read read, bool mayNotReadBack = false)
{
    TvlNdr first;
    write(record, first);
    Record again;
    TvlNdr reader(first.Used(), first.Data());
    if (!read(again, reader)) {
        Check(mayNotReadBack);
        return;
    }
    Check(reader.Remaining() == 0);
    TvlNdr second;
    write(again, second);
    Check(Bytes(first) == Bytes(second));
}

template <class Record> void Simple(TvlNdr& reader)
{
    Record record;
    if (record.Read(reader))
        CheckStable(record, [](const Record& r, TvlNdr& w) { r.Write(w); },
                    [](Record& r, TvlNdr& in) { return r.Read(in); });
}

template <class Record> void WithLocal(TvlNdr& reader)
{
    Record record;
    if (record.Read(reader, kLocal))
        CheckStable(record, [](const Record& r, TvlNdr& w) { r.Write(w); },
                    [](Record& r, TvlNdr& in) { return r.Read(in, kLocal); });
}

template <class Info> void InfoForm(TvlNdr& reader, TreeTestPlace& place)
{
    Info info;
    if (info.Read(reader, &place)) {
        for (bool full : {false, true})
            CheckStable(info, [full](const Info& r, TvlNdr& w) { r.Write(w, full); },
                        [&place](Info& r, TvlNdr& in) { return r.Read(in, &place); },
                        !full && HasItemWithoutValue(info.Items()));
    }
}

void ItemTable(TvlNdr& reader, bool full)
{
    CZrItemTable table;
    if (table.Read(reader, full))
        CheckStable(table, [full](const CZrItemTable& r, TvlNdr& w) { r.Write(w, full); },
                    [full](CZrItemTable& r, TvlNdr& in) { return r.Read(in, full); });
}

bool IsChildOf(const CZrGroup& parent, const CZrObject* object)
{
    for (CTvlListIter it = parent.Children().Begin(); it.IsValid(); it.Next()) {
        if (it.Object() == object)
            return true;
    }
    return false;
}

// Every member of the group leaves in turn (members of inner groups move out
// to group 1025 first); the group may dissolve on the way and take the rest
// with it.
void TakeApart(TreeTestPlace& place, CZrGroup* group)
{
    while (IsChildOf(*place.GetRoom(), group) && group->ChildCount() > 0) {
        CZrObject* first = group->Children().Begin().Get<CZrObject>();
        CZrGroup* inner = first->AsGroup();
        if (inner && inner->ChildCount() > 0) {
            CZrObject* member = inner->Children().Begin().Get<CZrObject>();
            if (!member->MoveInto(*place.GetCorridor(), CZrPosition(), 0))
                inner->RemoveDeparted(member, "");
            continue;
        }
        group->RemoveDeparted(first, "");
    }
}

void GroupForm(TvlNdr& reader, TreeTestPlace& place, TreeEvents& events)
{
    auto group = std::make_unique<RecordingGroup>(events);
    if (!group->Unmarshal(reader, CZrReadContext{&place, 3}))
        return;
    TvlNdr first;
    group->Marshal(first);
    CZrGroup again;
    TvlNdr copy(first.Used(), first.Data());
    if (again.Unmarshal(copy, CZrReadContext{&place, 3})) {
        Check(copy.Remaining() == 0);
        TvlNdr second;
        again.Marshal(second);
        Check(Bytes(first) == Bytes(second));
    } else {
        Check(SubtreeHasItemWithoutValue(*group));
    }
    Check(group->GetHeight() + 2 <= kZrMaxTreeLevels);
    CZrGroup* added = group.release();
    place.GetRoom()->AddChild(added);
    TakeApart(place, added);
}

// A group shape drawn from decision bytes, encoded as a group form.
struct Shape {
    uint32_t id = 0;
    bool group = false;
    uint16_t flags = 0;
    uint8_t seat = 0;
    std::vector<Shape> children;
    int host = -1;
};

class Decisions {
public:
    Decisions(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
    bool Empty() const { return m_at >= m_size; }
    uint8_t Next() { return Empty() ? 0 : m_data[m_at++]; }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_at = 0;
};

// Each byte adds a person (with a seat from its bits) or an inner group, or
// closes the group; groups nest up to 20 deep, past the tree's limit.
Shape DrawGroup(Decisions& decisions, uint32_t& nextId, int depth)
{
    Shape shape;
    shape.id = nextId++;
    shape.group = true;
    shape.flags = decisions.Next() & 0x1F;
    while (!decisions.Empty() && shape.children.size() < 6) {
        const uint8_t choice = decisions.Next();
        if (choice < 0x40)
            break;
        if (choice < 0xC0 || depth >= 20) {
            Shape person;
            person.id = nextId++;
            person.seat = choice & 0x3;
            shape.children.push_back(person);
        } else {
            shape.children.push_back(DrawGroup(decisions, nextId, depth + 1));
        }
    }
    const uint8_t host = decisions.Next();
    if (!shape.children.empty() && (host & 1) && !shape.children[host % shape.children.size()].group)
        shape.host = static_cast<int>(host % shape.children.size());
    return shape;
}

void Encode(const Shape& shape, TvlNdr& writer)
{
    writer.PutLong(shape.id);
    if (shape.seat) {
        writer.PutByte(1);
        writer.PutShort(shape.seat);
    } else {
        writer.PutByte(0);
    }
    writer.PutByte(0);
    writer.PutText("n");
    writer.PutByte(0);
    writer.PutByte(0);
    writer.PutShort(0);
    if (!shape.group) {
        for (int i = 0; i < 4; ++i)
            writer.PutText("");
        writer.PutLong(0, false);
        writer.PutByte(1);
        writer.PutShort(0);
        return;
    }
    writer.PutShort(8);
    writer.PutShort(shape.flags);
    writer.PutShort(static_cast<uint16_t>(shape.children.size()));
    for (const Shape& child : shape.children) {
        writer.PutShort(child.group ? 0x200 : 0x100);
        Encode(child, writer);
    }
    writer.PutByte(shape.host >= 0 ? 1 : 0);
    if (shape.host >= 0)
        writer.PutLong(shape.children[shape.host].id);
}

void Collect(CZrObject& object, std::vector<CZrObject*>& all)
{
    all.push_back(&object);
    if (CZrGroup* group = object.AsGroup()) {
        for (CTvlListIter it = group->Children().Begin(); it.IsValid(); it.Next())
            Collect(*it.Get<CZrObject>(), all);
    }
}

// Parents, hosts and levels agree, and the person count is the persons.
void CheckTree(TreeTestPlace& place)
{
    std::vector<CZrObject*> all;
    Collect(place, all);
    int32_t persons = 0;
    for (CZrObject* object : all) {
        Check(object->GetLevel() <= kZrMaxTreeLevels);
        persons += object->HasBit8() ? 1 : 0;
        if (CZrGroup* group = object->AsGroup()) {
            for (CTvlListIter it = group->Children().Begin(); it.IsValid(); it.Next())
                Check(it.Get<CZrObject>()->GetParent() == group);
            Check(!group->GetHost() || group->GetHost()->GetParent() == group);
        }
    }
    Check(place.GetPersonCount() == persons);
    Check(place.GetRoom()->GetParent() == &place && place.GetCorridor()->GetParent() == &place);
}

// Builds a group, reads it into group 1024 and runs the tree operations on
// objects that further bytes pick.
void Operations(const uint8_t* data, size_t size, TreeTestPlace& place, TreeEvents& events)
{
    Decisions decisions(data, size);
    uint32_t nextId = 1000;
    const Shape shape = DrawGroup(decisions, nextId, 0);
    TvlNdr writer;
    Encode(shape, writer);
    TvlNdr reader(writer.Used(), writer.Data());
    auto group = std::make_unique<RecordingGroup>(events);
    group->SetKind(0x200);
    if (group->Unmarshal(reader, CZrReadContext{&place, 3}))
        place.GetRoom()->AddChild(group.release());
    CheckTree(place);
    while (!decisions.Empty()) {
        std::vector<CZrObject*> all;
        Collect(place, all);
        CZrObject* object = all[decisions.Next() % all.size()];
        CZrObject* other = all[decisions.Next() % all.size()];
        CZrGroup* parent = object->GetParent();
        switch (decisions.Next() % 5) {
        case 0:
            // The place never lets the local user or its groups leave this
            // way.
            if (parent && !object->IsRoom() && !object->IsCorridor() &&
                !place.GetMyself()->IsInside(object))
                parent->RemoveDeparted(object, "");
            break;
        case 1:
            if (CZrGroup* destination = other->AsGroup())
                object->MoveInto(*destination, CZrPosition::Seat(decisions.Next() % 4), 1);
            break;
        case 2:
            if (object->HasBit8())
                static_cast<CZrPerson*>(object)->ReturnToPlace();
            break;
        case 3:
            if (parent && object->HasBit8())
                parent->SetHost(object);
            break;
        default:
            if (CZrGroup* asGroup = object->AsGroup())
                asGroup->Dissolve(true);
            break;
        }
        CheckTree(place);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    TvlNdr reader(static_cast<uint32_t>(size - 1), data + 1);
    TreeEvents events;
    TreeTestPlace place(events);
    switch (data[0] % 15) {
    case 0: GroupForm(reader, place, events); break;
    case 1: {
        CZrPerson person;
        person.Unmarshal(reader, CZrReadContext{&place, 3});
        break;
    }
    case 2: InfoForm<CZrPersonInfo>(reader, place); break;
    case 3: InfoForm<CZrGroupInfo>(reader, place); break;
    case 4: ItemTable(reader, data[0] & 0x80); break;
    case 5: Simple<CZrPosition>(reader); break;
    case 6: WithLocal<CZrPersonDesc>(reader); break;
    case 7: Simple<CZrPlaceDesc>(reader); break;
    case 8: {
        CZrPlaceDesc desc;
        bool applied;
        desc.ReadUpdate(reader, applied);
        break;
    }
    case 9: {
        CZrObjectDesc desc(0x800);
        desc.ReadNested(reader, kLocal);
        break;
    }
    case 10: WithLocal<CZrObjectRef>(reader); break;
    case 11: WithLocal<CZrTextMessage>(reader); break;
    case 12: Simple<CBroadcastInfo>(reader); break;
    case 13: Simple<CZrString>(reader); break;
    default: Operations(data + 1, size - 1, place, events); break;
    }
    return 0;
}
