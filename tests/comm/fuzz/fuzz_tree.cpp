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
    while (IsChildOf(*place.GetGroup1024(), group) && group->ChildCount() > 0) {
        CZrObject* first = group->Children().Begin().Get<CZrObject>();
        CZrGroup* inner = first->AsGroup();
        if (inner && inner->ChildCount() > 0) {
            CZrObject* member = inner->Children().Begin().Get<CZrObject>();
            if (!member->MoveInto(*place.GetGroup1025(), CZrPosition(), 0))
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
    place.GetGroup1024()->AddChild(added);
    TakeApart(place, added);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    TvlNdr reader(static_cast<uint32_t>(size - 1), data + 1);
    TreeEvents events;
    TreeTestPlace place(events);
    switch (data[0] % 14) {
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
    default: Simple<CZrString>(reader); break;
    }
    return 0;
}
