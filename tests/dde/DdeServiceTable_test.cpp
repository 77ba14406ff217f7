// The service table's names, advise bits and type codes, and the factory.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "CZrDdeServiceTable.h"
#include "ZrDdeGroupItems.h"

namespace {

struct TableRow
{
    int topic;
    const char* topicName;
    int item;
    const char* itemName;
    uint32_t adviseBit;
    uint16_t type;
};

const TableRow kRows[] = {
    {0, "ZR_Place", 0, "ConnectCommunity", 0x00001, 0x000},
    {0, "ZR_Place", 1, "Navigate", 0x00002, 0x001},
    {0, "ZR_Place", 2, "DisconnectCommunity", 0x00004, 0x002},
    {0, "ZR_Place", 3, "PlaceInfo", 0, 0x003},
    {0, "ZR_Place", 4, "QueryPlaces", 0x00008, 0x004},
    {1, "ZR_Movemant", 0, "EnterRoom", 0x00010, 0x100},
    {1, "ZR_Movemant", 1, "LeaveRoom", 0x00020, 0x101},
    {1, "ZR_Movemant", 2, "Move", 0x00040, 0x102},
    {1, "ZR_Movemant", 3, "MoveError", 0x00080, 0x103},
    {2, "ZR_Message", 0, "Say", 0x00100, 0x200},
    {2, "ZR_Message", 1, "Send", 0x00200, 0x201},
    {2, "ZR_Message", 2, "Alert", 0x00400, 0x202},
    {3, "ZR_Group", 0, "Start1on1", 0x00800, 0x300},
    {3, "ZR_Group", 1, "Break1on1", 0x01000, 0x301},
    {3, "ZR_Group", 2, "StartGroup", 0x02000, 0x302},
    {3, "ZR_Group", 3, "BreakGroup", 0x04000, 0x303},
    {3, "ZR_Group", 4, "JoinGroup", 0x08000, 0x304},
    {3, "ZR_Group", 5, "LeaveGroup", 0x10000, 0x305},
    {3, "ZR_Group", 6, "GroupError", 0x20000, 0x306},
    {4, "ZR_MyInfo", 0, "MyPosition", 0, 0x400},
    {4, "ZR_MyInfo", 1, "MyInfo", 0, 0x401},
    {5, "ZR_PresenceInfo", 0, "SetPresenceIdentity", 0x40000, 0x500},
    {5, "ZR_PresenceInfo", 1, "SetPresenceFace", 0x80000, 0x501},
    {5, "ZR_PresenceInfo", 2, "ParametersList", 0, 0x502},
    {6, "ZR_GroupInfo", 0, "ParametersList", 0, 0x600},
    {7, "ZR_IdInfo", 0, "ParametersList", 0, 0x700},
    {8, "ZR_Version", 0, "ParametersList", 0, 0x800},
    {9, "ZR_GameInfo", 0, "GameHandle", 0, 0x900},
    {9, "ZR_GameInfo", 1, "GameSlots", 0, 0x901},
    {9, "ZR_GameInfo", 2, "GameState", 0x100000, 0x902},
};

const uint32_t kTopicMasks[] = {0x0000F, 0x000F0, 0x00700, 0x3F800, 0, 0xC0000, 0, 0, 0, 0x100000};
const int kItemCounts[] = {5, 4, 3, 7, 2, 3, 1, 1, 1, 3};

TEST(DdeServiceTable, ServiceNamesAndTheEmptyEntryBetweenThem)
{
    const ZrDdeServiceTableData& table = CZrDdeServiceTable::Get();
    EXPECT_STREQ(table.firstService, "ZrPlacesRun");
    EXPECT_EQ(table.unused, nullptr);
    EXPECT_STREQ(table.secondService, "ZrPlaces");
}

TEST(DdeServiceTable, EveryItemHasItsNamePositionAdviseBitAndType)
{
    for (const TableRow& row : kRows) {
        SCOPED_TRACE(row.itemName);
        const ZrDdeTopicRecord* topic = CZrDdeServiceTable::GetTopic(row.topic);
        ASSERT_NE(topic, nullptr);
        EXPECT_STREQ(topic->name, row.topicName);
        EXPECT_STREQ(topic->items[row.item].name, row.itemName);
        EXPECT_EQ(topic->items[row.item].adviseBit, row.adviseBit);
        EXPECT_EQ(CZrDdeServiceTable::MakeType(row.topic, row.item), row.type);
        EXPECT_EQ(CZrDdeServiceTable::TopicIndexOf(row.type), row.topic);
        EXPECT_EQ(CZrDdeServiceTable::ItemIndexOf(row.type), row.item);
        EXPECT_TRUE(CZrDdeServiceTable::IsKnownType(row.type));
    }
}

TEST(DdeServiceTable, TopicRecordsCarryConstantMaskAndEndAtTheFirstEmptyName)
{
    ASSERT_EQ(CZrDdeServiceTable::GetTopicCount(), 10);
    for (int t = 0; t < CZrDdeServiceTable::GetTopicCount(); ++t) {
        SCOPED_TRACE(t);
        const ZrDdeTopicRecord* topic = CZrDdeServiceTable::GetTopic(t);
        EXPECT_EQ(topic->constant, 1u);
        EXPECT_EQ(topic->adviseMask, kTopicMasks[t]);
        ASSERT_EQ(CZrDdeServiceTable::GetItemCount(t), kItemCounts[t]);
        uint32_t bits = 0;
        for (int i = 0; i < kItemCounts[t]; ++i)
            bits |= topic->items[i].adviseBit;
        EXPECT_EQ(bits, topic->adviseMask);
        for (int i = kItemCounts[t]; i < ZrDdeTopicRecord::kMaxItems; ++i) {
            EXPECT_EQ(topic->items[i].name, nullptr);
            EXPECT_EQ(topic->items[i].adviseBit, 0u);
        }
    }
    const ZrDdeTopicRecord& end = CZrDdeServiceTable::Get().topics[10];
    EXPECT_EQ(end.name, nullptr);
    EXPECT_EQ(end.constant, 0u);
    EXPECT_EQ(end.adviseMask, 0u);
    EXPECT_EQ(CZrDdeServiceTable::GetTopic(10), nullptr);
    EXPECT_EQ(CZrDdeServiceTable::GetTopic(-1), nullptr);
}

TEST(DdeFactory, MakesAnItemOfTheCodeForEveryTableEntryAndBothSides)
{
    for (const TableRow& row : kRows) {
        for (int32_t side : {0, 1}) {
            std::unique_ptr<CZrDdeItem> item = CZrDdeItem::CreateByType(row.type, side);
            ASSERT_NE(item, nullptr) << row.itemName;
            EXPECT_EQ(item->GetType(), row.type) << row.itemName;
            EXPECT_EQ(item->GetByteOrder(), 0);
        }
    }
}

TEST(DdeFactory, PassesTheSideOnlyToSideDependentClasses)
{
    const uint16_t sideDependent[] = {0x000, 0x004, 0x100, 0x101, 0x200, 0x201, 0x202,
                                      0x300, 0x301, 0x302, 0x303, 0x304, 0x305, 0x401};
    for (const TableRow& row : kRows) {
        const bool passes = std::find(std::begin(sideDependent), std::end(sideDependent),
                                      row.type) != std::end(sideDependent);
        const bool clientEndOnly = row.type == 0x500 || row.type == 0x502;
        const int32_t expected = passes ? 0 : clientEndOnly ? 1 : 2;
        EXPECT_EQ(CZrDdeItem::CreateByType(row.type, 0)->GetSide(), expected) << row.itemName;
    }
}

TEST(DdeFactory, UnknownCodesGiveNull)
{
    for (uint16_t code : {0x005, 0x907, 0x104, 0x203, 0x307, 0x402, 0x503, 0x601, 0x701, 0x801,
                          0xA00, 0xFFFF}) {
        EXPECT_EQ(CZrDdeItem::CreateByType(code, 0), nullptr) << std::hex << code;
        EXPECT_FALSE(CZrDdeServiceTable::IsKnownType(code)) << std::hex << code;
    }
}

TEST(DdeFactory, LeaveGroupWithSideZeroIsEmpty)
{
    std::unique_ptr<CZrDdeItem> item = CZrDdeItem::CreateByType(0x305, 0);
    const auto* leave = dynamic_cast<CLeaveGroupItem*>(item.get());
    ASSERT_NE(leave, nullptr);
    EXPECT_EQ(leave->GetId1(), 0u);
    EXPECT_EQ(leave->GetId2(), 0u);
    EXPECT_EQ(leave->GetId3(), 0u);
    EXPECT_EQ(leave->GetText1(), "");
    EXPECT_EQ(leave->GetText2(), "");
}

} // namespace
