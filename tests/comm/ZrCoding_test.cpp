// Coded forms of the tree's records against hand-worked bytes: each form is
// written and compared byte for byte, and read back from the same bytes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TreeBytes.h"
#include "TreeTestPlace.h"
#include "TvlNdr.h"
#include "ZrGroupInfo.h"
#include "ZrItem.h"
#include "ZrItemTable.h"
#include "ZrMemberFlags.h"
#include "ZrPersonInfo.h"
#include "ZrPosition.h"
#include "ZrString.h"

namespace {

std::vector<uint8_t> Written(TvlNdr& writer)
{
    return std::vector<uint8_t>(writer.Data(), writer.Data() + writer.Used());
}

template <class Record> std::vector<uint8_t> WriteOf(const Record& record)
{
    TvlNdr writer;
    record.Write(writer);
    return Written(writer);
}

std::vector<uint8_t> WriteOf(const CZrItem& item, bool full)
{
    TvlNdr writer;
    item.Write(writer, full);
    return Written(writer);
}

TEST(ZrPositionTest, EveryKindRoundTrips)
{
    const struct {
        CZrPosition position;
        TreeBytes bytes;
    } cases[] = {
        {CZrPosition(), TreeBytes().U8(0)},
        {CZrPosition::Seat(7), TreeBytes().U8(1).U16(7)},
        {CZrPosition::XY(0x1234, 0x0506), TreeBytes().U8(2).U16(0x1234).U16(0x0506)},
        {CZrPosition::Named("ab"), TreeBytes().U8(3).U16(2).U8('a').U8('b')},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(DescribePosition(c.position));
        EXPECT_EQ(WriteOf(c.position), c.bytes.Bytes());
        TvlNdr reader(c.bytes.Size(), c.bytes.Data());
        CZrPosition read = CZrPosition::XY(1, 1);
        ASSERT_TRUE(read.Read(reader));
        EXPECT_EQ(read, c.position);
        EXPECT_EQ(reader.Remaining(), 0u);
    }
}

TEST(ZrPositionTest, AccessorsAnswerOnlyForTheirKind)
{
    const CZrPosition seat = CZrPosition::Seat(3);
    EXPECT_EQ(seat.GetId(), 3);
    EXPECT_EQ(seat.GetFirst(), 0xFFFF);
    const CZrPosition xy = CZrPosition::XY(10, 20);
    EXPECT_EQ(xy.GetId(), 0);
    EXPECT_EQ(xy.GetFirst(), 10);
    EXPECT_EQ(xy.GetSecond(), 20);
}

TEST(ZrPositionTest, MalformedFormsFailAndLeaveNoPosition)
{
    const TreeBytes cases[] = {
        TreeBytes().U8(4),                 // no such kind
        TreeBytes().U8(1).U8(0),           // short seat
        TreeBytes().U8(2).U16(1).U8(0),    // short pair
        TreeBytes().U8(3).U16(5).U8('a'),  // short name
        TreeBytes(),                       // nothing at all
    };
    for (const TreeBytes& bytes : cases) {
        TvlNdr reader(bytes.Size(), bytes.Data());
        CZrPosition read = CZrPosition::Seat(9);
        EXPECT_FALSE(read.Read(reader));
        EXPECT_TRUE(read.IsNone());
    }
}

TEST(ZrItemTest, ValuesByTypeRoundTrip)
{
    const uint8_t blob[] = {0xDE, 0xAD};
    const struct {
        CZrItem item;
        TreeBytes bytes;
        uint32_t readValue;
    } cases[] = {
        {CZrItem::Text(0x0102, "hi"), TreeBytes().U8(0).U16(0x0102).Text("hi"), 0},
        {CZrItem::Blob(3, 2, blob), TreeBytes().U8(1).U16(3).U32(2).U8(0xDE).U8(0xAD), 0},
        {CZrItem::Number(CZrItem::kLong, 4, 0x01020304), TreeBytes().U8(2).U16(4).U32(0x01020304), 0x01020304},
        // u16 and byte items carry only the low bits of the value.
        {CZrItem::Number(CZrItem::kShort, 5, 0x10203), TreeBytes().U8(3).U16(5).U16(0x0203), 0x0203},
        {CZrItem::Number(CZrItem::kByte, 6, 0x1FF), TreeBytes().U8(4).U16(6).U8(0xFF), 0xFF},
        {CZrItem::Number(CZrItem::kBool, 7, 9), TreeBytes().U8(5).U16(7).U8(1), 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.item.GetType()));
        EXPECT_EQ(WriteOf(c.item, false), c.bytes.Bytes());
        TvlNdr reader(c.bytes.Size(), c.bytes.Data());
        CZrItem read;
        ASSERT_TRUE(read.Read(reader, false));
        EXPECT_EQ(reader.Remaining(), 0u);
        EXPECT_EQ(read.GetType(), c.item.GetType());
        EXPECT_EQ(read.GetCode(), c.item.GetCode());
        EXPECT_TRUE(read.HasValue());
        EXPECT_TRUE(read.IsValid());
        EXPECT_EQ(read.GetText(), c.item.GetText());
        EXPECT_EQ(read.GetValue(), c.readValue);
        ASSERT_EQ(read.GetBlob().Length(), c.item.GetBlob().Length());
    }
}

TEST(ZrItemTest, AnItemWithoutValueTravelsOnlyInTheFullForm)
{
    const CZrItem item(CZrItem::kLong, 5);
    const TreeBytes shortForm = TreeBytes().U8(0x82).U16(5);
    const TreeBytes fullForm = TreeBytes().U8(0x82).U16(5).U32(0);
    EXPECT_EQ(WriteOf(item, false), shortForm.Bytes());
    EXPECT_EQ(WriteOf(item, true), fullForm.Bytes());

    TvlNdr shortReader(shortForm.Size(), shortForm.Data());
    CZrItem read;
    EXPECT_FALSE(read.Read(shortReader, false));

    TvlNdr fullReader(fullForm.Size(), fullForm.Data());
    ASSERT_TRUE(read.Read(fullReader, true));
    EXPECT_FALSE(read.HasValue());
    EXPECT_EQ(fullReader.Remaining(), 0u);
}

TEST(ZrItemTableTest, ReadingMergesByCode)
{
    CZrItemTable table;
    table.Put(CZrItem::Text(1, "a"));
    table.Put(CZrItem::Number(CZrItem::kLong, 2, 5));
    // Code 1 is replaced in place, code 3 is new, and the second code 3 of
    // the same message overwrites the first.
    const TreeBytes bytes = TreeBytes()
                                .U16(3)
                                .U8(0).U16(1).Text("b")
                                .U8(2).U16(3).U32(9)
                                .U8(3).U16(3).U16(10);
    TvlNdr reader(bytes.Size(), bytes.Data());
    ASSERT_TRUE(table.Read(reader, false));
    ASSERT_EQ(table.Count(), 3);
    std::vector<uint16_t> codes;
    for (CTvlListIter it = table.Begin(); it.IsValid(); it.Next())
        codes.push_back(it.Get<CZrItem>()->GetCode());
    EXPECT_EQ(codes, (std::vector<uint16_t>{1, 2, 3}));
    EXPECT_EQ(table.Find(1)->GetText(), "b");
    EXPECT_EQ(table.Find(2)->GetValue(), 5u);
    EXPECT_EQ(table.Find(3)->GetType(), CZrItem::kShort);
    EXPECT_EQ(table.Find(3)->GetValue(), 10u);

    TvlNdr writer;
    table.Write(writer, false);
    const TreeBytes written =
        TreeBytes().U16(3).U8(0).U16(1).Text("b").U8(2).U16(2).U32(5).U8(3).U16(3).U16(10);
    EXPECT_EQ(Written(writer), written.Bytes());
}

TEST(ZrItemTableTest, AnUnknownTypeFailsTheWholeTable)
{
    const TreeBytes bytes = TreeBytes().U16(2).U8(0).U16(1).Text("a").U8(6).U16(2).U32(0);
    TvlNdr reader(bytes.Size(), bytes.Data());
    CZrItemTable table;
    EXPECT_FALSE(table.Read(reader, true));
}

TEST(ZrItemTableTest, TakeHandsTheItemOver)
{
    CZrItemTable table;
    table.Put(CZrItem::Text(1, "a"));
    table.Put(CZrItem::Text(2, "b"));
    std::unique_ptr<CZrItem> taken = table.Take(1);
    ASSERT_TRUE(taken);
    EXPECT_EQ(taken->GetText(), "a");
    EXPECT_EQ(table.Count(), 1);
    EXPECT_FALSE(table.Take(1));
}

TEST(ZrMemberFlagsTest, RoundTrip)
{
    const CZrMemberFlags flags(CZrMemberFlags::kNoSend | CZrMemberFlags::kNoTarget);
    EXPECT_EQ(WriteOf(flags), TreeBytes().U16(0x000A).Bytes());
    const TreeBytes bytes = TreeBytes().U16(0x0004);
    TvlNdr reader(bytes.Size(), bytes.Data());
    CZrMemberFlags read;
    ASSERT_TRUE(read.Read(reader));
    EXPECT_TRUE(read.Has(CZrMemberFlags::kDataLocked));
    EXPECT_FALSE(read.Has(CZrMemberFlags::kNoSend));
}

class ZrInfoTest : public testing::Test {
protected:
    static std::vector<uint8_t> WriteInfo(const CZrInfo& info, bool full)
    {
        TvlNdr writer;
        info.Write(writer, full);
        return Written(writer);
    }

    TreeEvents events;
};

TEST_F(ZrInfoTest, MemberDataTravelsOnlyInTheFullForm)
{
    CZrInfo info;
    info.SetName("Ann");
    info.Member()->SetSerial(3);
    info.Member()->SetDataFlag(true);
    const uint8_t data[] = {'x', 'y'};
    info.ReplaceMemberData(std::make_unique<CTvlBlob>(2, data));
    info.Items().Put(CZrItem::Number(CZrItem::kByte, 9, 1));

    const TreeBytes full = TreeBytes().U8(1).Text("Ann").U8(3).U8(1).Blob("xy").U16(1).U8(4).U16(9).U8(1);
    const TreeBytes brief = TreeBytes().U8(0).Text("Ann").U8(3).U8(1).U16(1).U8(4).U16(9).U8(1);
    EXPECT_EQ(WriteInfo(info, true), full.Bytes());
    EXPECT_EQ(WriteInfo(info, false), brief.Bytes());

    // The full form's data goes into a blob that the place makes.
    TreeTestPlace place(events);
    CZrInfo fromFull;
    TvlNdr fullReader(full.Size(), full.Data());
    ASSERT_TRUE(fromFull.Read(fullReader, &place));
    EXPECT_EQ(fromFull.GetName(), "Ann");
    EXPECT_EQ(fromFull.Member()->Serial(), 3);
    ASSERT_NE(fromFull.Member()->GetData(), nullptr);
    EXPECT_NE(dynamic_cast<PlaceBlob*>(fromFull.Member()->GetData()), nullptr);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(fromFull.Member()->GetData()->Bytes()), 2), "xy");
    EXPECT_EQ(fromFull.Items().Find(9)->GetValue(), 1u);

    // The short form keeps the data flag but carries no data; without a
    // place a plain blob would be used.
    CZrInfo fromBrief;
    TvlNdr briefReader(brief.Size(), brief.Data());
    ASSERT_TRUE(fromBrief.Read(briefReader, nullptr));
    EXPECT_EQ(fromBrief.Member()->DataFlag(), 1u);
    EXPECT_EQ(fromBrief.Member()->GetData(), nullptr);
    EXPECT_EQ(briefReader.Remaining(), 0u);
}

TEST_F(ZrInfoTest, ChangingMemberDataClearsTheRequestMark)
{
    CZrInfo info;
    info.SetDataRequested(true);
    std::unique_ptr<CTvlBlob> old = info.ReplaceMemberData(std::make_unique<CTvlBlob>());
    EXPECT_FALSE(info.IsDataRequested());
    EXPECT_EQ(old, nullptr);
}

TEST_F(ZrInfoTest, CopiesShareTheMemberRecord)
{
    CZrGroupInfo info;
    info.Items().Put(CZrItem::Text(1, "a"));
    CZrGroupInfo copy(info);
    EXPECT_TRUE(copy.Member().SharesBodyWith(info.Member()));
    EXPECT_EQ(info.Member().UseCount(), 2);
    const CZrMemberHandle fromShared(info.Member().Shared());
    EXPECT_TRUE(fromShared.SharesBodyWith(info.Member()));
    EXPECT_EQ(info.Member().UseCount(), 3);
    copy.Member()->SetSerial(8);
    EXPECT_EQ(info.Member()->Serial(), 8);
    copy.Items().Put(CZrItem::Text(1, "b"));
    EXPECT_EQ(info.Items().Find(1)->GetText(), "a");
}

TEST_F(ZrInfoTest, PersonInfoValueIsLittleEndian)
{
    CZrPersonInfo info;
    info.SetName("n");
    info.SetFullName("F");
    info.SetLocation("L");
    info.SetEmail("E");
    info.SetVersion("V");
    info.SetValue(0x11223344);
    const TreeBytes bytes = TreeBytes()
                                .ShortInfo("n")
                                .Text("F").Text("L").Text("E").Text("V")
                                .U8(0x44).U8(0x33).U8(0x22).U8(0x11);
    EXPECT_EQ(WriteInfo(info, false), bytes.Bytes());
    CZrPersonInfo read;
    TvlNdr reader(bytes.Size(), bytes.Data());
    ASSERT_TRUE(read.Read(reader, nullptr));
    EXPECT_EQ(read.GetValue(), 0x11223344u);
    EXPECT_EQ(read.GetFullName(), "F");
    EXPECT_EQ(read.GetVersion(), "V");
}

TEST_F(ZrInfoTest, GroupInfoAddsCapacityAndFlags)
{
    CZrGroupInfo info;
    info.SetName("g");
    info.SetCapacity(0x0102);
    info.SetFlags(CZrGroupInfo::kDissolveEmpty | CZrGroupInfo::kDissolveOneLeft | CZrGroupInfo::kCanTakeHost);
    const TreeBytes bytes = TreeBytes().ShortInfo("g").U16(0x0102).U16(0x0013);
    EXPECT_EQ(WriteInfo(info, false), bytes.Bytes());
    CZrGroupInfo read;
    TvlNdr reader(bytes.Size(), bytes.Data());
    ASSERT_TRUE(read.Read(reader, nullptr));
    EXPECT_EQ(read.GetCapacity(), 0x0102);
    EXPECT_TRUE(read.HasFlag(CZrGroupInfo::kCanTakeHost));
    EXPECT_FALSE(read.HasFlag(CZrGroupInfo::kDissolveHostLeft));

    // Each field cut short fails.
    for (uint32_t length = 0; length < bytes.Size(); ++length) {
        TvlNdr shortReader(length, bytes.Data());
        CZrGroupInfo partial;
        EXPECT_FALSE(partial.Read(shortReader, nullptr)) << length;
    }
}

TEST(ZrStringTest, NormalisedKeyRoundTrips)
{
    const CZrString key(" Ann\tMarie B ", 5, true);
    EXPECT_EQ(key.GetText(), "annmarieb");
    const TreeBytes bytes = TreeBytes().Text("annmarieb").U8(5);
    EXPECT_EQ(WriteOf(key), bytes.Bytes());
    CZrString read;
    TvlNdr reader(bytes.Size(), bytes.Data());
    ASSERT_TRUE(read.Read(reader));
    EXPECT_EQ(read, key);
    // Bytes above ASCII are kept as they are.
    EXPECT_EQ(CZrString("\xC4X", 0, true).GetText(), "\xC4x");
}

} // namespace
