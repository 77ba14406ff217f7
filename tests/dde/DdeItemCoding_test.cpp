// Field coding rules: byte order, the u16 length limit, texts with NUL,
// failed separators, and agreement of GetSize with Write for every item.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "DdeGoldenCases.h"
#include "ZrDdeGameItems.h"
#include "ZrDdeInfoItems.h"
#include "ZrDdeMessageItems.h"
#include "ZrDdeMovementItems.h"
#include "ZrDdeMyInfoItems.h"
#include "ZrDdePlaceItems.h"
#include "ZrDdePresenceItems.h"

namespace {

Bytes WriteItem(CZrDdeItem& item)
{
    uint32_t size = 0;
    const uint8_t* data = item.Write(size);
    return Bytes(data, data + size);
}

TEST(DdeByteOrder, NetworkOrderOnlyWhenTheFieldIsOne)
{
    CMoveItem move(0x0102, 0x01020304);
    EXPECT_EQ(WriteItem(move), Hex("02010000 2c 04030201"));
    move.SetByteOrder(1);
    EXPECT_EQ(WriteItem(move), Hex("00000102 2c 01020304"));

    CNavigateItem navigate("ab");
    navigate.SetByteOrder(1);
    EXPECT_EQ(WriteItem(navigate), Hex("0002 6162"));
}

TEST(DdeByteOrder, SixteenBitValueReadInEitherOrder)
{
    const Bytes bytes = Hex("0102");
    CGameStateItem state;
    state.SetByteOrder(1);
    ASSERT_TRUE(state.Read(bytes.data(), static_cast<uint32_t>(bytes.size())));
    EXPECT_EQ(state.GetState(), 0x0102);
    state.SetByteOrder(0);
    EXPECT_EQ(WriteItem(state), Hex("0201"));
    ASSERT_TRUE(state.Read(bytes.data(), static_cast<uint32_t>(bytes.size())));
    EXPECT_EQ(state.GetState(), 0x0201);
}

TEST(DdeByteOrder, GameSlotHalvesKeepLowHalfFirstInNetworkOrder)
{
    const Bytes little = Hex("0100 0200 0300 0400 0000");
    std::unique_ptr<CZrDdeItem> slots = ReadItem(CGameSlotsItem::kType, 0, little);
    ASSERT_TRUE(slots);
    slots->SetByteOrder(1);
    EXPECT_EQ(WriteItem(*slots), Hex("0001 0002 0003 0004 0000"));
}

// A u16 length cannot say more than 65535: longer texts are cut, longer
// blocks go out empty, and the reported size always matches the bytes.
struct OversizeCase
{
    const char* name;
    std::function<std::unique_ptr<CZrDdeItem>()> make;
    int32_t readerSide;
    uint32_t expectedSize;
    std::function<void(const CZrDdeItem&)> checkRead;
};

const std::string kLongText(70000, 'x');
const std::string kFullText(65535, 'y');
const ZrDdeBytes kLongBlock(70000, 0x47);
const ZrDdeBytes kFullBlock(65535, 0x49);

TEST(DdeFieldLimit, LongFieldsAreCutOrDroppedAndSizeAgrees)
{
    const OversizeCase cases[] = {
        {"text over the limit is cut",
         [] { return std::make_unique<CNavigateItem>(kLongText); }, 0, 2 + 65535,
         [](const CZrDdeItem& item) {
             EXPECT_EQ(As<CNavigateItem>(item).GetUrl(), kLongText.substr(0, 65535));
         }},
        {"text at the limit is whole",
         [] { return std::make_unique<CNavigateItem>(kFullText); }, 0, 2 + 65535,
         [](const CZrDdeItem& item) { EXPECT_EQ(As<CNavigateItem>(item).GetUrl(), kFullText); }},
        {"picture over the limit goes out empty",
         [] { return std::make_unique<CSetPresenceFaceItem>(0x11, kLongBlock); }, 1, 4 + 1 + 2,
         [](const CZrDdeItem& item) {
             EXPECT_EQ(As<CSetPresenceFaceItem>(item).GetId(), 0x11u);
             EXPECT_TRUE(As<CSetPresenceFaceItem>(item).GetPicture().empty());
         }},
        {"picture at the limit is whole",
         [] { return std::make_unique<CSetPresenceFaceItem>(0x11, kFullBlock); }, 1, 4 + 1 + 2 + 65535,
         [](const CZrDdeItem& item) {
             EXPECT_EQ(As<CSetPresenceFaceItem>(item).GetPicture(), kFullBlock);
         }},
        {"Say with long text and payload keeps the values after them",
         [] { return std::make_unique<CSayItem>(7, "n", kLongText, kLongBlock, 3, 4); }, 1,
         4 + 1 + 3 + 1 + (2 + 65535) + 1 + 2 + 1 + 4 + 1 + 4,
         [](const CZrDdeItem& item) {
             const auto& say = As<CSayItem>(item);
             EXPECT_EQ(say.GetText().size(), 65535u);
             EXPECT_TRUE(say.GetPayload().empty());
             EXPECT_EQ(say.GetValueA(), 3u);
             EXPECT_EQ(say.GetValueB(), 4u);
         }},
        {"MyInfo with a long picture",
         [] {
             auto item = std::make_unique<CMyInfoItem>(0);
             item->Set(9, "a", "b", "c", "d", kLongBlock);
             return item;
         },
         1, 4 + 1 + 4 * 3 + 3 + 1 + 2,
         [](const CZrDdeItem& item) {
             EXPECT_EQ(As<CMyInfoItem>(item).GetId(), 9u);
             EXPECT_EQ(As<CMyInfoItem>(item).GetText4(), "d");
             EXPECT_TRUE(As<CMyInfoItem>(item).GetBytes().empty());
         }},
        {"presence ParametersList with a long picture",
         [] {
             auto item = std::make_unique<CPresenceParametersItem>();
             item->Set("a", "b", "c", "d", kLongBlock);
             return item;
         },
         1, 4 * 3 + 3 + 1 + 2,
         [](const CZrDdeItem& item) {
             EXPECT_TRUE(As<CPresenceParametersItem>(item).GetBytes().empty());
         }},
        {"GroupInfo with long name and bytes keeps its members",
         [] {
             auto item = std::make_unique<CGroupInfoItem>();
             item->Set(1, kLongText, 2, kLongBlock, {5, 6});
             return item;
         },
         1, 4 + 1 + (2 + 65535) + 1 + 4 + 1 + 2 + 1 + 3 * 4,
         [](const CZrDdeItem& item) {
             EXPECT_EQ(As<CGroupInfoItem>(item).GetName().size(), 65535u);
             EXPECT_EQ(As<CGroupInfoItem>(item).GetMembers(), (std::vector<uint32_t>{5, 6}));
         }},
    };
    for (const OversizeCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<CZrDdeItem> item = c.make();
        EXPECT_EQ(item->GetSize(), c.expectedSize);
        const Bytes bytes = WriteItem(*item);
        EXPECT_EQ(bytes.size(), c.expectedSize);
        std::unique_ptr<CZrDdeItem> peer = ReadItem(item->GetType(), c.readerSide, bytes);
        ASSERT_TRUE(peer);
        c.checkRead(*peer);
    }
}

TEST(DdeTextField, EndsAtItsFirstNulAndTheCursorSkipsTheWholeLength)
{
    std::unique_ptr<CZrDdeItem> item = ReadItem(CPlaceInfoItem::kType, 1, Hex("0300 610062 2c 0100 63"));
    ASSERT_TRUE(item);
    EXPECT_EQ(As<CPlaceInfoItem>(*item).GetText1(), "a");
    EXPECT_EQ(As<CPlaceInfoItem>(*item).GetText2(), "c");
}

TEST(DdeTextField, ZeroLengthLeavesTheFieldAsItWas)
{
    CPlaceInfoItem item;
    item.Set("old1", "old2");
    const Bytes bytes = Hex("0000 2c 0100 63");
    ASSERT_TRUE(item.Read(bytes.data(), static_cast<uint32_t>(bytes.size())));
    EXPECT_EQ(item.GetText1(), "old1");
    EXPECT_EQ(item.GetText2(), "c");
}

TEST(DdeSeparator, OtherByteFailsTheReadAndKeepsTheValuesBefore)
{
    CMoveItem move;
    const Bytes bytes = Hex("03000000 3b 02010000");
    EXPECT_FALSE(move.Read(bytes.data(), static_cast<uint32_t>(bytes.size())));
    EXPECT_EQ(move.GetX(), 3u);
    EXPECT_EQ(move.GetY(), 0u);
}

TEST(DdeSeparator, SayTailWithOtherByteIsAbsent)
{
    std::unique_ptr<CZrDdeItem> say =
        ReadItem(CSayItem::kType, 0, Hex("0200 4869 2c 0000 2c 03000000 3b 04000000"));
    ASSERT_TRUE(say);
    EXPECT_EQ(As<CSayItem>(*say).GetValueA(), 3u);
    EXPECT_EQ(As<CSayItem>(*say).GetValueB(), 0u);
}

TEST(DdeRead, NullDataReadsAsEmpty)
{
    CMoveItem move;
    EXPECT_FALSE(move.Read(nullptr, 9));
    CQueryPlacesItem query(0);
    EXPECT_TRUE(query.Read(nullptr, 0));
}

TEST(DdeVersion, ServerEndReadsIntoTheThirdValueAndCopiesAllThree)
{
    const Bytes bytes = Hex("07000000");
    CVersionItem server(0);
    ASSERT_TRUE(server.Read(bytes.data(), static_cast<uint32_t>(bytes.size())));
    EXPECT_EQ(server.GetThirdValue(), 7u);
    EXPECT_EQ(server.GetPeerVersion(), 0u);

    CVersionItem copy;
    copy.CopyValuesFrom(server);
    EXPECT_EQ(copy.GetOwnVersion(), 0x10000u);
    EXPECT_EQ(copy.GetThirdValue(), 7u);
    EXPECT_EQ(WriteItem(copy), Hex("00000100"));
}

TEST(DdeWrite, EveryFactoryItemAtEitherSideWritesWhatItsSizeSays)
{
    for (int topic = 0; topic < 10; ++topic) {
        for (int index = 0; index < 10; ++index) {
            const uint16_t type = static_cast<uint16_t>(topic << 8 | index);
            for (int32_t side : {0, 1}) {
                std::unique_ptr<CZrDdeItem> item = CZrDdeItem::CreateByType(type, side);
                if (!item)
                    continue;
                uint32_t size = 0xFFFFFFFF;
                item->Write(size);
                EXPECT_EQ(size, item->GetSize()) << std::hex << type << " side " << side;
                item->FreeBuffer();
                EXPECT_EQ(WriteItem(*item).size(), item->GetSize());
            }
        }
    }
}

TEST(DdeWrite, ReadValuesOfListsAreWrittenWithTheirEnd)
{
    // A client end keeps neither the empty entry nor the ending 0; written
    // again at the server end, the lists still end properly.
    const Bytes places = Hex("0100 61 0000 01000000 00000000  0000 0000 00000000 00000000");
    std::unique_ptr<CZrDdeItem> client = ReadItem(CQueryPlacesItem::kType, 1, places);
    ASSERT_TRUE(client);
    CQueryPlacesItem server(As<CQueryPlacesItem>(*client).GetEntries());
    EXPECT_EQ(WriteItem(server), places);
}

} // namespace
