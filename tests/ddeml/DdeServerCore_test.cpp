#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "CZrDdeServerCore.h"
#include "ZrDdeMessageItems.h"
#include "ZrDdeMovementItems.h"
#include "ZrDdePlaceItems.h"

namespace {

using Bytes = std::vector<uint8_t>;

// Records what the core hands over; answers PlaceInfo and the id look-ups.
class RecordingOwner : public CZrDdeServerOwner
{
public:
    void OnItem(std::unique_ptr<CZrDdeItem> item) override { items.push_back(std::move(item)); }

    bool OnRequest(CZrDdeItem& item, uint32_t parameter) override
    {
        requests.push_back({item.GetType(), parameter});
        if (!answer)
            return false;
        if (item.GetType() == CPlaceInfoItem::kType)
            static_cast<CPlaceInfoItem&>(item).Set("Community", "Hall");
        if (item.GetType() == CIdInfoItem::kType)
            static_cast<CIdInfoItem&>(item).Set(0, 512, "Ann", parameter, 1, 2, 3);
        return true;
    }

    struct Request
    {
        uint16_t type;
        uint32_t parameter;
    };
    bool answer = true;
    std::vector<std::unique_ptr<CZrDdeItem>> items;
    std::vector<Request> requests;
};

class DdeServerCoreTest : public ::testing::Test
{
protected:
    RecordingOwner owner;
    CZrDdeServerCore core{owner};
};

TEST_F(DdeServerCoreTest, TopicsComeFromTheServiceTable)
{
    const std::vector<const char*> names = {"ZR_Place",        "ZR_Movemant",  "ZR_Message",
                                            "ZR_Group",        "ZR_MyInfo",    "ZR_PresenceInfo",
                                            "ZR_GroupInfo",    "ZR_IdInfo",    "ZR_Version",
                                            "ZR_GameInfo"};
    ASSERT_EQ(core.GetTopics().size(), names.size());
    for (size_t i = 0; i < names.size(); ++i) {
        EXPECT_EQ(core.GetTopics()[i].GetName(), names[i]);
        EXPECT_EQ(core.GetTopics()[i].GetIndex(), static_cast<int>(i));
    }
    EXPECT_EQ(core.GetTopics()[3].GetItems().size(), 7u);
    EXPECT_EQ(core.GetTopics()[3].GetItems()[6].GetName(), "GroupError");
    EXPECT_NE(core.FindTopic("zr_place"), nullptr);
    EXPECT_EQ(core.FindTopic("ZR_Movement"), nullptr);
}

struct RequestCase
{
    const char* topic;
    const char* item;
    bool reachesOwner;
    uint16_t type;
    uint32_t parameter;
};

class DdeRequestTest : public DdeServerCoreTest, public ::testing::WithParamInterface<RequestCase>
{
};

TEST_P(DdeRequestTest, FindsItemOrParametersList)
{
    const RequestCase& c = GetParam();
    Bytes answer;
    EXPECT_EQ(core.Request(c.topic, c.item, answer), c.reachesOwner);
    if (!c.reachesOwner) {
        EXPECT_TRUE(owner.requests.empty());
        EXPECT_TRUE(answer.empty());
        return;
    }
    ASSERT_EQ(owner.requests.size(), 1u);
    EXPECT_EQ(owner.requests[0].type, c.type);
    EXPECT_EQ(owner.requests[0].parameter, c.parameter);
}

INSTANTIATE_TEST_SUITE_P(
    Items, DdeRequestTest,
    ::testing::Values(RequestCase{"ZR_Place", "PlaceInfo", true, 0x003, 0},
                      RequestCase{"zr_place", "placeinfo", true, 0x003, 0},
                      RequestCase{"ZR_IdInfo", "1234", true, 0x700, 1234},
                      RequestCase{"ZR_IdInfo", "abc", true, 0x700, 0},
                      RequestCase{"ZR_IdInfo", " -5x", true, 0x700, 0xFFFFFFFBu},
                      RequestCase{"ZR_PresenceInfo", "77", true, 0x502, 77},
                      RequestCase{"ZR_GroupInfo", "0", true, 0x600, 0},
                      RequestCase{"ZR_MyInfo", "MyInfo", true, 0x401, 0},
                      // No "ParametersList" in the topic: nothing to fall back to.
                      RequestCase{"ZR_Place", "Bogus", false, 0, 0},
                      RequestCase{"ZR_Place", "12", false, 0, 0},
                      // An id that does not fit 32 bits names no object.
                      RequestCase{"ZR_IdInfo", "99999999999", false, 0, 0},
                      RequestCase{"ZR_Nowhere", "ParametersList", false, 0, 0}));

TEST_F(DdeServerCoreTest, AnswerIsTheFilledItemWritten)
{
    Bytes answer;
    ASSERT_TRUE(core.Request("ZR_Place", "PlaceInfo", answer));
    const Bytes expected = {9, 0, 'C', 'o', 'm', 'm', 'u', 'n', 'i', 't', 'y', ',', 4, 0, 'H', 'a', 'l', 'l'};
    EXPECT_EQ(answer, expected);

    ASSERT_TRUE(core.Request("ZR_IdInfo", "7", answer));
    const Bytes idInfo = {0, 0, 0, 0, ',', 0, 2, 0, 0, ',', 3, 0, 'A', 'n', 'n', ',', 7, 0, 0, 0, ',',
                          1, 0, 0, 0, ',', 2, 0, 0, 0, ',', 3, 0, 0, 0};
    EXPECT_EQ(answer, idInfo);
}

TEST_F(DdeServerCoreTest, RefusedRequestGivesNoAnswer)
{
    owner.answer = false;
    Bytes answer;
    EXPECT_FALSE(core.Request("ZR_IdInfo", "1234", answer));
    EXPECT_TRUE(answer.empty());
    EXPECT_EQ(owner.requests.size(), 1u);
}

TEST_F(DdeServerCoreTest, VersionIsAnsweredWithoutTheOwner)
{
    owner.answer = false;
    for (const char* item : {"ParametersList", "parameterslist", "5"}) {
        Bytes answer;
        ASSERT_TRUE(core.Request("ZR_Version", item, answer)) << item;
        EXPECT_EQ(answer, (Bytes{0x00, 0x00, 0x01, 0x00})) << item;
    }
    EXPECT_TRUE(owner.requests.empty());
}

TEST_F(DdeServerCoreTest, PokedCommandFormsReachTheOwnerDecoded)
{
    // Say: text "hi" "," payload 07 "," A=4, without the optional B.
    const Bytes say = {2, 0, 'h', 'i', ',', 1, 0, 7, ',', 4, 0, 0, 0};
    ASSERT_EQ(core.Poke("ZR_Message", "Say", say.data(), static_cast<uint32_t>(say.size())),
              ZrDdePokeResult::Taken);
    const Bytes move = {10, 0, 0, 0, ',', 20, 0, 0, 0};
    ASSERT_EQ(core.Poke("zr_movemant", "MOVE", move.data(), static_cast<uint32_t>(move.size())),
              ZrDdePokeResult::Taken);
    ASSERT_EQ(core.Poke("ZR_Movemant", "EnterRoom", nullptr, 0), ZrDdePokeResult::Taken);

    ASSERT_EQ(owner.items.size(), 3u);
    const auto& sayItem = static_cast<const CSayItem&>(*owner.items[0]);
    EXPECT_EQ(sayItem.GetType(), CSayItem::kType);
    EXPECT_EQ(sayItem.GetSide(), 0);
    EXPECT_EQ(sayItem.GetText(), "hi");
    EXPECT_EQ(sayItem.GetPayload(), (Bytes{7}));
    EXPECT_EQ(sayItem.GetValueA(), 4u);
    EXPECT_EQ(sayItem.GetValueB(), 0u);
    const auto& moveItem = static_cast<const CMoveItem&>(*owner.items[1]);
    EXPECT_EQ(moveItem.GetX(), 10u);
    EXPECT_EQ(moveItem.GetY(), 20u);
    EXPECT_EQ(owner.items[2]->GetType(), CEnterRoomItem::kType);
}

struct BadPokeCase
{
    const char* name;
    const char* topic;
    const char* item;
    Bytes data;
    ZrDdePokeResult result;
};

class DdeBadPokeTest : public DdeServerCoreTest, public ::testing::WithParamInterface<BadPokeCase>
{
};

TEST_P(DdeBadPokeTest, IsRefusedAndNothingReachesTheOwner)
{
    const BadPokeCase& c = GetParam();
    // Exact-size copy, so that a read past the end shows under the sanitizer.
    auto data = std::make_unique<uint8_t[]>(c.data.size() + 1);
    std::copy(c.data.begin(), c.data.end(), data.get());
    EXPECT_EQ(core.Poke(c.topic, c.item, c.data.empty() ? nullptr : data.get(),
                        static_cast<uint32_t>(c.data.size())),
              c.result);
    EXPECT_TRUE(owner.items.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Data, DdeBadPokeTest,
    ::testing::Values(
        BadPokeCase{"MissingSeparator", "ZR_Movemant", "Move", {10, 0, 0, 0, ';', 20, 0, 0, 0},
                    ZrDdePokeResult::BadData},
        BadPokeCase{"Short", "ZR_Movemant", "Move", {10, 0, 0, 0, ',', 20}, ZrDdePokeResult::BadData},
        BadPokeCase{"Empty", "ZR_Message", "Say", {}, ZrDdePokeResult::BadData},
        BadPokeCase{"LengthPastEnd", "ZR_Message", "Say", {0xFF, 0xFF, 'h', 'i'},
                    ZrDdePokeResult::BadData},
        BadPokeCase{"UnknownItem", "ZR_Message", "Shout", {2, 0, 'h', 'i'},
                    ZrDdePokeResult::NoTarget},
        BadPokeCase{"UnknownTopic", "ZR_Chat", "Say", {2, 0, 'h', 'i'}, ZrDdePokeResult::NoTarget},
        BadPokeCase{"NumberAsItem", "ZR_IdInfo", "1234", {1, 0, 0, 0}, ZrDdePokeResult::NoTarget}),
    [](const ::testing::TestParamInfo<BadPokeCase>& info) { return info.param.name; });

TEST_F(DdeServerCoreTest, QueryPlacesPokeIsTakenWhateverItCarries)
{
    const Bytes junk = {0xDE, 0xAD};
    EXPECT_EQ(core.Poke("ZR_Place", "QueryPlaces", junk.data(), 2), ZrDdePokeResult::Taken);
    EXPECT_EQ(owner.items.size(), 1u);
}

TEST_F(DdeServerCoreTest, PostedDataIsKeptPerItem)
{
    EXPECT_EQ(core.GetPostedData("ZR_Movemant", "Move"), nullptr);
    const Bytes first = {1, 2, 3};
    const Bytes second = {4};
    const CZrDdeTopic* topic = nullptr;
    const CZrDdeTopicItem* item = core.StorePosted(0x102, first.data(), 3, topic);
    ASSERT_NE(item, nullptr);
    ASSERT_NE(topic, nullptr);
    EXPECT_EQ(topic->GetName(), "ZR_Movemant");
    EXPECT_EQ(item->GetName(), "Move");
    core.StorePosted(0x102, second.data(), 1, topic);
    ASSERT_NE(core.GetPostedData("zr_movemant", "move"), nullptr);
    EXPECT_EQ(*core.GetPostedData("zr_movemant", "move"), second);
    EXPECT_EQ(core.GetPostedData("ZR_Movemant", "EnterRoom"), nullptr);

    for (uint16_t unknown : {0x005, 0x907, 0xA00, 0xFFFF})
        EXPECT_EQ(core.StorePosted(unknown, first.data(), 3, topic), nullptr) << unknown;
}

TEST_F(DdeServerCoreTest, AdviseOnlyOnKnownItemsInText)
{
    EXPECT_TRUE(core.AcceptsAdvise("ZR_Message", "Say", 1));
    EXPECT_TRUE(core.AcceptsAdvise("zr_message", "say", 1));
    EXPECT_FALSE(core.AcceptsAdvise("ZR_Message", "Say", 13));
    EXPECT_FALSE(core.AcceptsAdvise("ZR_Message", "Shout", 1));
    EXPECT_FALSE(core.AcceptsAdvise("ZR_Chat", "Say", 1));
}

} // namespace
