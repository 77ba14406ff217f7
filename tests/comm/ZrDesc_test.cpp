// The description records that the protocol handler reads from messages.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BroadcastInfo.h"
#include "TreeBytes.h"
#include "TvlNdr.h"
#include "ZrKind.h"
#include "ZrObjectDesc.h"
#include "ZrObjectRef.h"
#include "ZrPersonDesc.h"
#include "ZrPlaceDesc.h"
#include "ZrTextMessage.h"

namespace {

template <class Record> std::vector<uint8_t> WriteOf(const Record& record)
{
    TvlNdr writer;
    record.Write(writer);
    return std::vector<uint8_t>(writer.Data(), writer.Data() + writer.Used());
}

constexpr uint32_t kLocal = 100;

// Person 7 standing in group 40 of replicated place 0x841 (copy 3).
TreeBytes PersonDescBytes(uint32_t id = 7, uint32_t placeKind = 0x841, uint32_t parentKind = 0x200)
{
    TreeBytes bytes;
    bytes.U32(id).U16(0x100).U8(1).Text("ann").U8(2).Text("Ann A").Text("Town").Text("a@b")
        .U8(127).U8(0).U8(0).U8(1)
        .Text("Lobby").Text("http://x/").U16(placeKind);
    if (ZrKindIsReplicated(placeKind))
        bytes.U8(3);
    return bytes.U32(40).Text("grp").U16(parentKind).U8(0).U16(1).U8(2).U16(9).U32(5);
}

TEST(ZrPersonDescTest, RoundTripsWithItsLittleEndianAddress)
{
    const TreeBytes bytes = PersonDescBytes();
    TvlNdr reader(bytes.Size(), bytes.Data());
    CZrPersonDesc desc;
    ASSERT_TRUE(desc.Read(reader, kLocal));
    EXPECT_EQ(reader.Remaining(), 0u);
    EXPECT_EQ(desc.id, 7u);
    EXPECT_EQ(desc.kind, 0x100u);
    EXPECT_EQ(desc.flag, 1);
    EXPECT_EQ(desc.name, "ann");
    EXPECT_EQ(desc.status, 2);
    EXPECT_EQ(desc.fullName, "Ann A");
    EXPECT_EQ(desc.address, 0x0100007Fu) << "127.0.0.1 read little-endian";
    EXPECT_EQ(desc.placeTitle, "Lobby");
    EXPECT_EQ(desc.placeAddress, "http://x/");
    EXPECT_EQ(desc.placeKind, 0x841u);
    EXPECT_EQ(desc.copyNumber, 3);
    EXPECT_EQ(desc.parentId, 40u);
    EXPECT_EQ(desc.parentName, "grp");
    EXPECT_EQ(desc.parentKind, 0x200u);
    ASSERT_NE(desc.items.Find(9), nullptr);
    EXPECT_EQ(desc.items.Find(9)->GetValue(), 5u);
    EXPECT_EQ(WriteOf(desc), bytes.Bytes());
}

TEST(ZrPersonDescTest, TheLocalUserGetsBit7AndPlainPlacesNoCopyNumber)
{
    const TreeBytes mine = PersonDescBytes(kLocal, 0x801);
    TvlNdr reader(mine.Size(), mine.Data());
    CZrPersonDesc desc;
    ASSERT_TRUE(desc.Read(reader, kLocal));
    EXPECT_EQ(desc.kind, 0x180u);
    EXPECT_EQ(desc.copyNumber, 0);
    EXPECT_EQ(reader.Remaining(), 0u);
    EXPECT_EQ(WriteOf(desc), mine.Bytes()) << "bit 7 does not go on the wire";
}

TEST(ZrPersonDescTest, WrongKindsAndShortFormsFail)
{
    const TreeBytes cases[] = {PersonDescBytes(7, 0x401), PersonDescBytes(7, 0x841, 0x100)};
    for (const TreeBytes& bytes : cases) {
        TvlNdr reader(bytes.Size(), bytes.Data());
        CZrPersonDesc desc;
        EXPECT_FALSE(desc.Read(reader, kLocal));
    }
    const TreeBytes whole = PersonDescBytes();
    for (uint32_t length = 0; length < whole.Size(); ++length) {
        TvlNdr reader(length, whole.Data());
        CZrPersonDesc desc;
        EXPECT_FALSE(desc.Read(reader, kLocal)) << length;
    }
}

TEST(ZrPlaceDescTest, RoundTripsAndRefusesCopyZero)
{
    const TreeBytes bytes =
        TreeBytes().U16(0x841).Text("http://p/").Text("Plaza").U16(12).U32(77).U32(4).U16(30).U8(2);
    TvlNdr reader(bytes.Size(), bytes.Data());
    CZrPlaceDesc desc;
    ASSERT_TRUE(desc.Read(reader));
    EXPECT_EQ(desc.name, "http://p/");
    EXPECT_EQ(desc.title, "Plaza");
    EXPECT_EQ(desc.memberCount, 12u);
    EXPECT_EQ(desc.id, 77u);
    EXPECT_EQ(desc.observerCount, 4u);
    EXPECT_EQ(desc.capacity, 30);
    EXPECT_EQ(desc.copyNumber, 2);
    EXPECT_EQ(WriteOf(desc), bytes.Bytes());

    const TreeBytes copyZero =
        TreeBytes().U16(0x841).Text("a").Text("b").U16(1).U32(1).U32(1).U16(1).U8(0);
    TvlNdr zeroReader(copyZero.Size(), copyZero.Data());
    CZrPlaceDesc refused;
    EXPECT_FALSE(refused.Read(zeroReader));

    const TreeBytes person = TreeBytes().U16(0x100).Text("a").Text("b").U16(1).U32(1).U32(1).U16(1);
    TvlNdr personReader(person.Size(), person.Data());
    CZrPlaceDesc notAPlace;
    EXPECT_FALSE(notAPlace.Read(personReader));
}

TEST(ZrPlaceDescTest, UpdatesAreTakenOnlyWithAGreaterCopyByte)
{
    CZrPlaceDesc desc;
    desc.copyNumber = 5;
    desc.observerCount = 1;
    const struct {
        uint8_t copy;
        bool applied;
    } cases[] = {{4, false}, {5, false}, {6, true}};
    for (const auto& c : cases) {
        const TreeBytes bytes = TreeBytes().U32(77).U32(9).U16(40).U8(c.copy);
        TvlNdr reader(bytes.Size(), bytes.Data());
        bool applied = !c.applied;
        ASSERT_TRUE(desc.ReadUpdate(reader, applied));
        EXPECT_EQ(applied, c.applied) << int(c.copy);
    }
    EXPECT_EQ(desc.observerCount, 9u);
    EXPECT_EQ(desc.capacity, 40);
    EXPECT_EQ(desc.copyNumber, 6);
    const TreeBytes shortUpdate = TreeBytes().U32(77).U32(9).U16(40);
    TvlNdr reader(shortUpdate.Size(), shortUpdate.Data());
    bool applied = true;
    EXPECT_FALSE(desc.ReadUpdate(reader, applied));
    EXPECT_FALSE(applied);
}

// A nested person description.
TreeBytes NestedPerson(uint32_t id)
{
    return TreeBytes().U32(id).U16(0x100).U8(0).Text("p").NoPosition().U16(0)
        .U8(1).Text("F").Text("L").Text("E").U32Le(0x0A000001);
}

// A nested container: capacity, member count, observer count, count.
TreeBytes NestedGroup(uint32_t kind, uint32_t capacity, uint32_t members, uint32_t count)
{
    return TreeBytes().U32(50).U16(kind).U8(1).Text("g").Seat(2).U16(0)
        .U16(capacity).U32(members).U32(6).U32(count);
}

TEST(ZrObjectDescTest, NestedContainerWithMembers)
{
    const TreeBytes bytes = NestedGroup(0x200, 4, 2, 2).Append(NestedPerson(7)).Append(NestedPerson(kLocal));
    TvlNdr reader(bytes.Size(), bytes.Data());
    CZrObjectDesc desc(kZrKindPlace);
    ASSERT_TRUE(desc.ReadNested(reader, kLocal));
    EXPECT_EQ(reader.Remaining(), 0u);
    EXPECT_EQ(desc.kind, 0x200u);
    EXPECT_EQ(desc.position, CZrPosition::Seat(2));
    EXPECT_EQ(desc.capacity, 4);
    EXPECT_EQ(desc.memberCount, 2u);
    EXPECT_EQ(desc.observerCount, 6u);
    ASSERT_EQ(desc.members.size(), 2u);
    EXPECT_EQ(desc.members[0]->kind, 0x100u);
    EXPECT_EQ(desc.members[0]->address, 0x0A000001u);
    EXPECT_EQ(desc.members[1]->kind, 0x180u) << "the owner's own description";
    EXPECT_EQ(desc.members[1]->fullName, "F");
}

TEST(ZrObjectDescTest, CountsAreCheckedAgainstTheCapacity)
{
    const struct {
        const char* what;
        TreeBytes bytes;
        bool ok;
    } cases[] = {
        {"members over capacity", NestedGroup(0x200, 1, 2, 0), false},
        {"group 1025 has no limit", NestedGroup(0x401, 1, 2, 0), true},
        {"more descriptions than members", NestedGroup(0x200, 4, 1, 2).Append(NestedPerson(7)).Append(NestedPerson(8)), false},
        {"replicated place ends with its copy byte", NestedGroup(0x841, 4, 0, 0).U8(1), true},
        {"copy byte missing", NestedGroup(0x841, 4, 0, 0), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TvlNdr reader(c.bytes.Size(), c.bytes.Data());
        CZrObjectDesc desc(kZrKindPlace);
        EXPECT_EQ(desc.ReadNested(reader, kLocal), c.ok);
    }
}

// n containers, each the only member of the one before, then one person.
TreeBytes DescChain(int n)
{
    TreeBytes bytes;
    for (int i = 0; i < n; ++i)
        bytes.Append(NestedGroup(0x200, 1, 1, 1));
    return bytes.Append(NestedPerson(7));
}

TEST(ZrObjectDescTest, NestingStopsAtSixteenLevels)
{
    const struct {
        int containers;
        bool ok;
    } cases[] = {{15, true}, {16, false}, {4000, false}};
    for (const auto& c : cases) {
        const TreeBytes bytes = DescChain(c.containers);
        TvlNdr reader(bytes.Size(), bytes.Data());
        CZrObjectDesc desc(kZrKindPlace);
        EXPECT_EQ(desc.ReadNested(reader, kLocal), c.ok) << c.containers;
    }
}

TEST(ZrObjectRefTest, ParentIsLittleEndianAndOwnerMarksTheKind)
{
    const TreeBytes bytes = TreeBytes().U32(kLocal).U16(0x121).U32(9).U32Le(0x01020304);
    TvlNdr reader(bytes.Size(), bytes.Data());
    CZrObjectRef ref;
    ASSERT_TRUE(ref.Read(reader, kLocal));
    EXPECT_EQ(ref.ownerId, kLocal);
    EXPECT_EQ(ref.kind, 0x1A1u);
    EXPECT_EQ(ref.id, 9u);
    EXPECT_EQ(ref.parentId, 0x01020304u);
    EXPECT_EQ(WriteOf(ref), bytes.Bytes());

    TvlNdr other(bytes.Size(), bytes.Data());
    ASSERT_TRUE(ref.Read(other, 55));
    EXPECT_EQ(ref.kind, 0x121u);

    const TreeBytes badKind = TreeBytes().U32(1).U16(0x0001).U32(9).U32Le(1);
    TvlNdr badReader(badKind.Size(), badKind.Data());
    EXPECT_FALSE(ref.Read(badReader, kLocal));
}

TEST(ZrTextMessageTest, ValueIsLittleEndianAndSenderMustBeAPerson)
{
    const TreeBytes bytes = TreeBytes().U32(kLocal).U16(0x100).Text("me").U8(2).U32Le(0xCAFEBABE);
    TvlNdr reader(bytes.Size(), bytes.Data());
    CZrTextMessage record;
    ASSERT_TRUE(record.Read(reader, kLocal));
    EXPECT_EQ(record.kind, 0x180u);
    EXPECT_EQ(record.name, "me");
    EXPECT_EQ(record.mode, 2);
    EXPECT_EQ(record.value, 0xCAFEBABEu);
    EXPECT_EQ(WriteOf(record), bytes.Bytes());

    const TreeBytes group = TreeBytes().U32(1).U16(0x200).Text("g").U8(0).U32Le(0);
    TvlNdr groupReader(group.Size(), group.Data());
    EXPECT_FALSE(record.Read(groupReader, kLocal));
}

TEST(BroadcastInfoTest, RoundTripsEveryField)
{
    const TreeBytes bytes = TreeBytes()
                                .Text("a").Text("b").Text("c").Blob("pic")
                                .U16(1).U16(2).U16(3).U16(4).U16(5)
                                .Blob("")
                                .U16(6).U16(7).U16(8).U16(9)
                                .Blob("end");
    CBroadcastInfo info;
    {
        TvlNdr reader(bytes.Size(), bytes.Data());
        ASSERT_TRUE(info.Read(reader));
        EXPECT_EQ(reader.Remaining(), 0u);
    }
    // The blobs are copies: they outlive the message bytes.
    EXPECT_TRUE(info.picture.IsOwned());
    EXPECT_EQ(info.texts[2], "c");
    EXPECT_EQ(info.values[2], 3);
    EXPECT_EQ(info.moreValues[3], 9);
    EXPECT_EQ(info.middle.Length(), 0u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(info.last.Bytes()), info.last.Length()), "end");
    EXPECT_EQ(WriteOf(info), bytes.Bytes());
    for (uint32_t length = 0; length < bytes.Size(); ++length) {
        TvlNdr reader(length, bytes.Data());
        CBroadcastInfo partial;
        EXPECT_FALSE(partial.Read(reader)) << length;
    }
}

} // namespace
