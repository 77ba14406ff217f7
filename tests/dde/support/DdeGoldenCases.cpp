#include "DdeGoldenCases.h"

#include <gtest/gtest.h>

#include <cctype>
#include <stdexcept>

#include "ZrDdeGameItems.h"
#include "ZrDdeGroupItems.h"
#include "ZrDdeInfoItems.h"
#include "ZrDdeMessageItems.h"
#include "ZrDdeMovementItems.h"
#include "ZrDdeMyInfoItems.h"
#include "ZrDdePlaceItems.h"
#include "ZrDdePresenceItems.h"

Bytes Hex(const std::string& text)
{
    Bytes bytes;
    std::string digits;
    for (char c : text) {
        if (std::isxdigit(static_cast<unsigned char>(c)))
            digits += c;
        else if (c != ' ')
            throw std::invalid_argument("not a hex digit in golden bytes");
    }
    if (digits.size() % 2 != 0)
        throw std::invalid_argument("odd number of hex digits in golden bytes");
    for (size_t i = 0; i < digits.size(); i += 2)
        bytes.push_back(static_cast<uint8_t>(std::stoul(digits.substr(i, 2), nullptr, 16)));
    return bytes;
}

void PrintTo(const DdeGoldenCase& goldenCase, std::ostream* os)
{
    *os << goldenCase.name;
}

std::unique_ptr<CZrDdeItem> ReadItem(uint16_t type, int32_t side, const Bytes& bytes)
{
    std::unique_ptr<CZrDdeItem> item = CZrDdeItem::CreateByType(type, side);
    if (!item)
        return nullptr;
    // An exact-size copy, so that a read past the end is caught.
    std::unique_ptr<uint8_t[]> data(new uint8_t[bytes.size()]);
    std::copy(bytes.begin(), bytes.end(), data.get());
    if (!item->Read(data.get(), static_cast<uint32_t>(bytes.size())))
        return nullptr;
    return item;
}

namespace {

using Writer = std::function<std::unique_ptr<CZrDdeItem>()>;
using Check = std::function<void(const CZrDdeItem&)>;

constexpr size_t kWhole = static_cast<size_t>(-1);
constexpr bool kSameBack = true;
constexpr bool kOtherForm = false;

// Server forms that a client end reads; the command-form writers below are
// client ends that have read them.
const char* const kConnectServer = "0200 6162 2c 0100 63 2c 04030201";
const char* const kSayServer =
    "11000000 2c 0200 6162 2c 0200 4869 2c 0200 0102 2c 03000000 2c 04000000";
const char* const kSendServer =
    "11000000 2c 0200 6162 2c 0200 4869 2c 0200 0102 2c 03000000 2c 05000000";
const char* const kAlertServer = "11000000 2c 0200 6162";
const char* const kStart1on1Server = "11000000 2c 22000000 2c 0200 6162";
const char* const kStartGroupServer =
    "11000000 2c 02010000 2c 0200 6162 2c 33000000 2c 22000000 2c 0100 63";
const char* const kJoinGroupServer = "11000000 2c 22000000 2c 0200 6162 2c 33000000 2c 0100 63";
const char* const kMyInfoServer =
    "11000000 2c 0100 61 2c 0100 62 2c 0000 2c 0100 63 2c 0100 01";

Writer ClientEndFrom(uint16_t type, const char* serverForm)
{
    return [type, serverForm]() {
        std::unique_ptr<CZrDdeItem> item = ReadItem(type, 1, Hex(serverForm));
        if (!item)
            throw std::logic_error("client end cannot read its server form");
        return item;
    };
}

Writer Factory(uint16_t type, int32_t side)
{
    return [type, side]() { return CZrDdeItem::CreateByType(type, side); };
}

template <typename T, typename... Args>
Writer Make(Args... args)
{
    return [args...]() -> std::unique_ptr<CZrDdeItem> { return std::make_unique<T>(args...); };
}

DdeGoldenCase Case(std::string name, uint16_t type, int32_t readerSide, const std::string& hex,
                   Writer writer, Check check, bool rewritesSame, size_t shortestValid = kWhole)
{
    Bytes bytes = Hex(hex);
    const size_t shortest = shortestValid == kWhole ? bytes.size() : shortestValid;
    return {std::move(name), type,          readerSide,  std::move(bytes),
            std::move(writer), std::move(check), rewritesSame, shortest};
}

void CheckNothing(const CZrDdeItem&) {}

std::vector<DdeGoldenCase> PlaceCases()
{
    std::vector<DdeGoldenCase> cases;
    cases.push_back(Case("ConnectCommunity server form", 0x000, 1, kConnectServer,
                         Make<CConnectCommunityItem>(ZrDdeString("ab"), ZrDdeString("c"), 0x01020304u),
                         [](const CZrDdeItem& item) {
                             const auto& c = As<CConnectCommunityItem>(item);
                             EXPECT_EQ(c.GetCommunityName(), "ab");
                             EXPECT_EQ(c.GetSecondName(), "c");
                             EXPECT_EQ(c.GetId(), 0x01020304u);
                         },
                         kOtherForm));
    cases.push_back(Case("ConnectCommunity with empty texts", 0x000, 1, "0000 2c 0000 2c 00000000",
                         Make<CConnectCommunityItem>(ZrDdeString(), ZrDdeString(), 0u),
                         [](const CZrDdeItem& item) {
                             const auto& c = As<CConnectCommunityItem>(item);
                             EXPECT_EQ(c.GetCommunityName(), "");
                             EXPECT_EQ(c.GetSecondName(), "");
                         },
                         kOtherForm));
    cases.push_back(Case("ConnectCommunity command form", 0x000, 0, "0200 6162",
                         ClientEndFrom(0x000, kConnectServer),
                         [](const CZrDdeItem& item) {
                             const auto& c = As<CConnectCommunityItem>(item);
                             EXPECT_EQ(c.GetCommunityName(), "ab");
                             EXPECT_EQ(c.GetSecondName(), "");
                             EXPECT_EQ(c.GetId(), 0u);
                         },
                         kOtherForm));
    cases.push_back(Case("Navigate", 0x001, 0, "0200 6162", Make<CNavigateItem>(ZrDdeString("ab")),
                         [](const CZrDdeItem& item) {
                             EXPECT_EQ(As<CNavigateItem>(item).GetUrl(), "ab");
                         },
                         kSameBack));
    cases.push_back(Case("DisconnectCommunity", 0x002, 0, "0100 63",
                         Make<CDisconnectCommunityItem>(ZrDdeString("c")),
                         [](const CZrDdeItem& item) {
                             EXPECT_EQ(As<CDisconnectCommunityItem>(item).GetText(), "c");
                         },
                         kSameBack));
    cases.push_back(Case("PlaceInfo", 0x003, 1, "0200 6162 2c 0100 63",
                         [] {
                             auto item = std::make_unique<CPlaceInfoItem>();
                             item->Set("ab", "c");
                             return item;
                         },
                         [](const CZrDdeItem& item) {
                             const auto& p = As<CPlaceInfoItem>(item);
                             EXPECT_EQ(p.GetText1(), "ab");
                             EXPECT_EQ(p.GetText2(), "c");
                         },
                         kSameBack));
    cases.push_back(Case("QueryPlaces server form", 0x004, 1,
                         "0200 6162 0100 63 11000000 33220000  0000 0000 00000000 00000000",
                         Make<CQueryPlacesItem>(std::vector<CPlaceEntry>{{"ab", "c", 0x11, 0x2233}}),
                         [](const CZrDdeItem& item) {
                             const std::vector<CPlaceEntry> expected{{"ab", "c", 0x11, 0x2233}};
                             EXPECT_EQ(As<CQueryPlacesItem>(item).GetEntries(), expected);
                         },
                         kOtherForm));
    cases.push_back(Case("QueryPlaces from an empty list", 0x004, 1, "0000 0000 00000000 00000000",
                         Make<CQueryPlacesItem>(std::vector<CPlaceEntry>{}),
                         [](const CZrDdeItem& item) {
                             EXPECT_TRUE(As<CQueryPlacesItem>(item).GetEntries().empty());
                         },
                         kOtherForm));
    cases.push_back(Case("QueryPlaces command form", 0x004, 0, "", Factory(0x004, 1), CheckNothing,
                         kOtherForm));
    cases.push_back(Case("QueryPlaces poke with any data", 0x004, 0, "ff ff 01", nullptr,
                         CheckNothing, kOtherForm, 0));
    return cases;
}

std::vector<DdeGoldenCase> MovementCases()
{
    std::vector<DdeGoldenCase> cases;
    cases.push_back(Case("EnterRoom server form", 0x100, 1, "11000000 2c 22000000 2c 0200 6162",
                         Make<CEnterRoomItem>(0x11u, 0x22u, ZrDdeString("ab")),
                         [](const CZrDdeItem& item) {
                             const auto& e = As<CEnterRoomItem>(item);
                             EXPECT_EQ(e.GetId(), 0x11u);
                             EXPECT_EQ(e.GetKindCode(), 0x22u);
                             EXPECT_EQ(e.GetName(), "ab");
                         },
                         kOtherForm));
    cases.push_back(Case("EnterRoom command form", 0x100, 0, "", Factory(0x100, 1), CheckNothing,
                         kOtherForm));
    cases.push_back(Case("LeaveRoom server form", 0x101, 1, "33000000 2c 44000000 2c 0100 63",
                         Make<CLeaveRoomItem>(0x33u, 0x44u, ZrDdeString("c")),
                         [](const CZrDdeItem& item) {
                             const auto& e = As<CLeaveRoomItem>(item);
                             EXPECT_EQ(e.GetId(), 0x33u);
                             EXPECT_EQ(e.GetKindCode(), 0x44u);
                             EXPECT_EQ(e.GetName(), "c");
                         },
                         kOtherForm));
    cases.push_back(Case("LeaveRoom command form", 0x101, 0, "", Factory(0x101, 1), CheckNothing,
                         kOtherForm));
    cases.push_back(Case("Move", 0x102, 0, "03000000 2c 02010000", Make<CMoveItem>(3u, 0x102u),
                         [](const CZrDdeItem& item) {
                             EXPECT_EQ(As<CMoveItem>(item).GetX(), 3u);
                             EXPECT_EQ(As<CMoveItem>(item).GetY(), 0x102u);
                         },
                         kSameBack));
    cases.push_back(Case("MoveError", 0x103, 1, "0200 6162", Make<CMoveErrorItem>(ZrDdeString("ab")),
                         [](const CZrDdeItem& item) {
                             EXPECT_EQ(As<CMoveErrorItem>(item).GetText(), "ab");
                         },
                         kSameBack));
    return cases;
}

void ExpectMessage(const CMessageItemBase& m, uint32_t senderId, const char* senderName,
                   uint32_t valueA, uint32_t valueB)
{
    EXPECT_EQ(m.GetSenderId(), senderId);
    EXPECT_EQ(m.GetSenderName(), senderName);
    EXPECT_EQ(m.GetText(), "Hi");
    EXPECT_EQ(m.GetPayload(), (ZrDdeBytes{0x01, 0x02}));
    EXPECT_EQ(m.GetValueA(), valueA);
    EXPECT_EQ(m.GetValueB(), valueB);
}

std::vector<DdeGoldenCase> MessageCases()
{
    const ZrDdeBytes payload{0x01, 0x02};
    std::vector<DdeGoldenCase> cases;
    cases.push_back(Case("Say server form", 0x200, 1, kSayServer,
                         Make<CSayItem>(0x11u, ZrDdeString("ab"), ZrDdeString("Hi"), payload, 3u, 4u),
                         [](const CZrDdeItem& item) { ExpectMessage(As<CSayItem>(item), 0x11, "ab", 3, 4); },
                         kOtherForm, 24));
    cases.push_back(Case("Say command form", 0x200, 0,
                         "0200 4869 2c 0200 0102 2c 03000000 2c 04000000",
                         ClientEndFrom(0x200, kSayServer),
                         [](const CZrDdeItem& item) { ExpectMessage(As<CSayItem>(item), 0, "", 3, 4); },
                         kOtherForm, 14));
    cases.push_back(Case("Say command form without B", 0x200, 0, "0200 4869 2c 0200 0102 2c 03000000",
                         nullptr,
                         [](const CZrDdeItem& item) { ExpectMessage(As<CSayItem>(item), 0, "", 3, 0); },
                         kOtherForm));
    cases.push_back(Case("Send server form", 0x201, 1, kSendServer,
                         Make<CSendItem>(0x11u, ZrDdeString("ab"), ZrDdeString("Hi"), payload, 3u, 5u, 4u),
                         [](const CZrDdeItem& item) {
                             ExpectMessage(As<CSendItem>(item), 0x11, "ab", 3, 0);
                             EXPECT_EQ(As<CSendItem>(item).GetValueC(), 5u);
                         },
                         kOtherForm));
    cases.push_back(Case("Send command form", 0x201, 0,
                         "0200 4869 2c 0200 0102 2c 03000000 2c 05000000 2c 04000000",
                         Make<CSendItem>(ZrDdeString("Hi"), payload, 3u, 5u, 4u),
                         [](const CZrDdeItem& item) {
                             ExpectMessage(As<CSendItem>(item), 0, "", 3, 4);
                             EXPECT_EQ(As<CSendItem>(item).GetValueC(), 5u);
                         },
                         kOtherForm, 19));
    cases.push_back(Case("Send command form without B", 0x201, 0,
                         "0200 4869 2c 0200 0102 2c 03000000 2c 05000000", nullptr,
                         [](const CZrDdeItem& item) {
                             ExpectMessage(As<CSendItem>(item), 0, "", 3, 0);
                             EXPECT_EQ(As<CSendItem>(item).GetValueC(), 5u);
                         },
                         kOtherForm));
    cases.push_back(Case("Alert server form", 0x202, 1, kAlertServer,
                         Make<CAlertItem>(0x11u, ZrDdeString("ab")),
                         [](const CZrDdeItem& item) {
                             EXPECT_EQ(As<CAlertItem>(item).GetId(), 0x11u);
                             EXPECT_EQ(As<CAlertItem>(item).GetText(), "ab");
                         },
                         kOtherForm));
    cases.push_back(Case("Alert command form", 0x202, 0, "11000000", ClientEndFrom(0x202, kAlertServer),
                         [](const CZrDdeItem& item) {
                             EXPECT_EQ(As<CAlertItem>(item).GetId(), 0x11u);
                             EXPECT_EQ(As<CAlertItem>(item).GetText(), "");
                         },
                         kOtherForm));
    return cases;
}

void ExpectPair(const COneOnOneItemBase& p, uint32_t firstId, uint32_t secondId, const char* text)
{
    EXPECT_EQ(p.GetFirstId(), firstId);
    EXPECT_EQ(p.GetSecondId(), secondId);
    EXPECT_EQ(p.GetText(), text);
}

void ExpectMember(const CGroupMemberItemBase& m, uint32_t id1, uint32_t id2, const char* text1,
                  uint32_t id3, const char* text2)
{
    EXPECT_EQ(m.GetId1(), id1);
    EXPECT_EQ(m.GetId2(), id2);
    EXPECT_EQ(m.GetText1(), text1);
    EXPECT_EQ(m.GetId3(), id3);
    EXPECT_EQ(m.GetText2(), text2);
}

void ExpectStartGroup(const CStartGroupItem& g, uint32_t id, uint32_t secondId, const char* text,
                      const ZrDdeBytes& bytes)
{
    EXPECT_EQ(g.GetId(), id);
    EXPECT_EQ(g.GetGroupValue(), 0x102u);
    EXPECT_EQ(g.GetName(), "ab");
    EXPECT_EQ(g.GetValue(), 0x33u);
    EXPECT_EQ(g.GetSecondId(), secondId);
    EXPECT_EQ(g.GetText(), text);
    EXPECT_EQ(g.GetBytes(), bytes);
}

std::vector<DdeGoldenCase> PairCases()
{
    std::vector<DdeGoldenCase> cases;
    cases.push_back(Case("Start1on1 server form", 0x300, 1, kStart1on1Server,
                         Make<CStart1on1Item>(0x11u, 0x22u, ZrDdeString("ab")),
                         [](const CZrDdeItem& item) { ExpectPair(As<CStart1on1Item>(item), 0x11, 0x22, "ab"); },
                         kOtherForm));
    cases.push_back(Case("Start1on1 command form", 0x300, 0, "22000000",
                         ClientEndFrom(0x300, kStart1on1Server),
                         [](const CZrDdeItem& item) { ExpectPair(As<CStart1on1Item>(item), 0, 0x22, ""); },
                         kOtherForm));
    cases.push_back(Case("Break1on1 server form", 0x301, 1, "33000000 2c 44000000 2c 0100 63",
                         Make<CBreak1on1Item>(0x33u, 0x44u, ZrDdeString("c")),
                         [](const CZrDdeItem& item) { ExpectPair(As<CBreak1on1Item>(item), 0x33, 0x44, "c"); },
                         kOtherForm));
    cases.push_back(Case("Break1on1 command form", 0x301, 0, "", Factory(0x301, 1), CheckNothing,
                         kOtherForm));
    cases.push_back(Case("BreakGroup server form", 0x303, 1, "55000000 2c 66000000 2c 0200 6162",
                         Make<CBreakGroupItem>(0x55u, 0x66u, ZrDdeString("ab")),
                         [](const CZrDdeItem& item) { ExpectPair(As<CBreakGroupItem>(item), 0x55, 0x66, "ab"); },
                         kOtherForm));
    cases.push_back(Case("BreakGroup command form", 0x303, 0, "", Factory(0x303, 1), CheckNothing,
                         kOtherForm));
    return cases;
}

std::vector<DdeGoldenCase> GroupCases()
{
    std::vector<DdeGoldenCase> cases;
    cases.push_back(Case("StartGroup server form", 0x302, 1, kStartGroupServer,
                         Make<CStartGroupItem>(0x11u, 0x102u, ZrDdeString("ab"), 0x33u, 0x22u, ZrDdeString("c")),
                         [](const CZrDdeItem& item) {
                             ExpectStartGroup(As<CStartGroupItem>(item), 0x11, 0x22, "c", {});
                         },
                         kOtherForm));
    cases.push_back(Case("StartGroup command form", 0x302, 0, "02010000 2c 0200 6162 2c 33000000 2c 0000",
                         ClientEndFrom(0x302, kStartGroupServer),
                         [](const CZrDdeItem& item) {
                             ExpectStartGroup(As<CStartGroupItem>(item), 0, 0, "", {});
                         },
                         kOtherForm, 14));
    cases.push_back(Case("StartGroup command form with picture bytes", 0x302, 0,
                         "02010000 2c 0200 6162 2c 33000000 2c 0200 4749", nullptr,
                         [](const CZrDdeItem& item) {
                             ExpectStartGroup(As<CStartGroupItem>(item), 0, 0, "", {0x47, 0x49});
                         },
                         kOtherForm, 14));
    cases.push_back(Case("StartGroup command form without bytes", 0x302, 0,
                         "02010000 2c 0200 6162 2c 33000000", nullptr,
                         [](const CZrDdeItem& item) {
                             ExpectStartGroup(As<CStartGroupItem>(item), 0, 0, "", {});
                         },
                         kOtherForm));
    cases.push_back(Case("JoinGroup server form", 0x304, 1, kJoinGroupServer,
                         Make<CJoinGroupItem>(0x11u, 0x22u, ZrDdeString("ab"), 0x33u, ZrDdeString("c")),
                         [](const CZrDdeItem& item) {
                             ExpectMember(As<CJoinGroupItem>(item), 0x11, 0x22, "ab", 0x33, "c");
                         },
                         kOtherForm));
    cases.push_back(Case("JoinGroup command form", 0x304, 0, "11000000",
                         ClientEndFrom(0x304, kJoinGroupServer),
                         [](const CZrDdeItem& item) {
                             ExpectMember(As<CJoinGroupItem>(item), 0x11, 0, "", 0, "");
                         },
                         kOtherForm));
    cases.push_back(Case("LeaveGroup server form", 0x305, 1,
                         "44000000 2c 55000000 2c 0100 63 2c 66000000 2c 0200 6162",
                         Make<CLeaveGroupItem>(0x44u, 0x55u, ZrDdeString("c"), 0x66u, ZrDdeString("ab")),
                         [](const CZrDdeItem& item) {
                             ExpectMember(As<CLeaveGroupItem>(item), 0x44, 0x55, "c", 0x66, "ab");
                         },
                         kOtherForm));
    cases.push_back(Case("LeaveGroup command form", 0x305, 0, "44000000",
                         ClientEndFrom(0x305, "44000000 2c 55000000 2c 0100 63 2c 66000000 2c 0200 6162"),
                         [](const CZrDdeItem& item) {
                             ExpectMember(As<CLeaveGroupItem>(item), 0x44, 0, "", 0, "");
                         },
                         kOtherForm));
    cases.push_back(Case("GroupError", 0x306, 1, "0100 63", Make<CGroupErrorItem>(ZrDdeString("c")),
                         [](const CZrDdeItem& item) {
                             EXPECT_EQ(As<CGroupErrorItem>(item).GetText(), "c");
                         },
                         kSameBack));
    return cases;
}

void ExpectIdentity(const CIdentityItemBase& i, const char* t1, const char* t2, const char* t3,
                    const char* t4)
{
    EXPECT_EQ(i.GetText1(), t1);
    EXPECT_EQ(i.GetText2(), t2);
    EXPECT_EQ(i.GetText3(), t3);
    EXPECT_EQ(i.GetText4(), t4);
}

std::vector<DdeGoldenCase> IdentityCases()
{
    std::vector<DdeGoldenCase> cases;
    cases.push_back(Case("MyPosition", 0x400, 1,
                         "01000000 2c 02000000 2c 03000000 2c 04000000 2c 04030201",
                         [] {
                             auto item = std::make_unique<CMyPositionItem>();
                             item->Set({1, 2, 3, 4, 0x01020304});
                             return item;
                         },
                         [](const CZrDdeItem& item) {
                             const CMyPositionItem::Values expected{1, 2, 3, 4, 0x01020304};
                             EXPECT_EQ(As<CMyPositionItem>(item).GetValues(), expected);
                         },
                         kSameBack));
    cases.push_back(Case("MyInfo server form", 0x401, 1, kMyInfoServer,
                         [] {
                             auto item = std::make_unique<CMyInfoItem>(0);
                             item->Set(0x11, "a", "b", "", "c", {0x01});
                             return item;
                         },
                         [](const CZrDdeItem& item) {
                             const auto& m = As<CMyInfoItem>(item);
                             EXPECT_EQ(m.GetId(), 0x11u);
                             ExpectIdentity(m, "a", "b", "", "c");
                             EXPECT_EQ(m.GetBytes(), ZrDdeBytes{0x01});
                         },
                         kOtherForm));
    cases.push_back(Case("MyInfo command form", 0x401, 0,
                         "0100 61 2c 0100 62 2c 0000 2c 0100 63 2c 0100 01",
                         ClientEndFrom(0x401, kMyInfoServer),
                         [](const CZrDdeItem& item) {
                             const auto& m = As<CMyInfoItem>(item);
                             EXPECT_EQ(m.GetId(), 0u);
                             ExpectIdentity(m, "a", "b", "", "c");
                             EXPECT_EQ(m.GetBytes(), ZrDdeBytes{0x01});
                         },
                         kOtherForm));
    cases.push_back(Case("SetPresenceIdentity", 0x500, 1,
                         "11000000 2c 0100 61 2c 0100 62 2c 0100 63 2c 0100 64",
                         Make<CSetPresenceIdentityItem>(0x11u, ZrDdeString("a"), ZrDdeString("b"),
                                                        ZrDdeString("c"), ZrDdeString("d")),
                         [](const CZrDdeItem& item) {
                             EXPECT_EQ(As<CSetPresenceIdentityItem>(item).GetId(), 0x11u);
                             ExpectIdentity(As<CSetPresenceIdentityItem>(item), "a", "b", "c", "d");
                         },
                         kSameBack));
    cases.push_back(Case("SetPresenceFace", 0x501, 1, "11000000 2c 0300 474946",
                         Make<CSetPresenceFaceItem>(0x11u, ZrDdeBytes{0x47, 0x49, 0x46}),
                         [](const CZrDdeItem& item) {
                             EXPECT_EQ(As<CSetPresenceFaceItem>(item).GetId(), 0x11u);
                             EXPECT_EQ(As<CSetPresenceFaceItem>(item).GetPicture(),
                                       (ZrDdeBytes{0x47, 0x49, 0x46}));
                         },
                         kSameBack));
    cases.push_back(Case("presence ParametersList", 0x502, 1,
                         "0100 61 2c 0100 62 2c 0100 63 2c 0100 64 2c 0200 0102",
                         [] {
                             auto item = std::make_unique<CPresenceParametersItem>();
                             item->Set("a", "b", "c", "d", {0x01, 0x02});
                             return item;
                         },
                         [](const CZrDdeItem& item) {
                             ExpectIdentity(As<CPresenceParametersItem>(item), "a", "b", "c", "d");
                             EXPECT_EQ(As<CPresenceParametersItem>(item).GetBytes(),
                                       (ZrDdeBytes{0x01, 0x02}));
                         },
                         kSameBack));
    return cases;
}

Writer GroupInfoWriter(std::vector<uint32_t> members)
{
    return [members]() {
        auto item = std::make_unique<CGroupInfoItem>();
        item->Set(0x80, "ab", 0x33, {0x01}, members);
        return item;
    };
}

std::vector<DdeGoldenCase> InfoCases()
{
    std::vector<DdeGoldenCase> cases;
    cases.push_back(Case("GroupInfo ParametersList", 0x600, 1,
                         "80000000 2c 0200 6162 2c 33000000 2c 0100 01 2c 11000000 22000000 00000000",
                         GroupInfoWriter({0x11, 0x22}),
                         [](const CZrDdeItem& item) {
                             const auto& g = As<CGroupInfoItem>(item);
                             EXPECT_EQ(g.GetFlagWord(), 0x80u);
                             EXPECT_EQ(g.GetName(), "ab");
                             EXPECT_EQ(g.GetValue(), 0x33u);
                             EXPECT_EQ(g.GetBytes(), ZrDdeBytes{0x01});
                             EXPECT_EQ(g.GetMembers(), (std::vector<uint32_t>{0x11, 0x22}));
                         },
                         kSameBack));
    cases.push_back(Case("GroupInfo ParametersList with no members", 0x600, 1,
                         "80000000 2c 0200 6162 2c 33000000 2c 0100 01 2c 00000000",
                         GroupInfoWriter({}),
                         [](const CZrDdeItem& item) {
                             EXPECT_TRUE(As<CGroupInfoItem>(item).GetMembers().empty());
                         },
                         kSameBack));
    cases.push_back(Case("IdInfo ParametersList", 0x700, 1,
                         "01000000 2c 02000000 2c 0200 6162 2c 03000000 2c 04000000 2c 05000000 2c 06000000",
                         [] {
                             auto item = std::make_unique<CIdInfoItem>();
                             item->Set(1, 2, "ab", 3, 4, 5, 6);
                             return item;
                         },
                         [](const CZrDdeItem& item) {
                             const auto& i = As<CIdInfoItem>(item);
                             EXPECT_EQ(i.GetValue1(), 1u);
                             EXPECT_EQ(i.GetValue2(), 2u);
                             EXPECT_EQ(i.GetText(), "ab");
                             EXPECT_EQ(i.GetMoreValues(), (std::array<uint32_t, 4>{3, 4, 5, 6}));
                         },
                         kSameBack));
    cases.push_back(Case("Version answer", 0x800, 1, "00000100", Factory(0x800, 0),
                         [](const CZrDdeItem& item) {
                             const auto& v = As<CVersionItem>(item);
                             EXPECT_EQ(v.GetPeerVersion(), 0x10000u);
                             EXPECT_EQ(v.GetThirdValue(), 0u);
                             EXPECT_EQ(v.GetOwnVersion(), 0x10000u);
                         },
                         kSameBack));
    return cases;
}

void ExpectHandle(const CGameHandleItem& h, uint16_t value, uint32_t second, uint32_t third)
{
    EXPECT_EQ(h.GetValue(), value);
    EXPECT_EQ(h.GetSecond(), second);
    EXPECT_EQ(h.GetThird(), third);
}

std::vector<DdeGoldenCase> GameCases()
{
    std::vector<DdeGoldenCase> cases;
    cases.push_back(Case("GameHandle from construction", 0x900, 1, "0100 2c 00000000 2c 00000000",
                         Factory(0x900, 0),
                         [](const CZrDdeItem& item) { ExpectHandle(As<CGameHandleItem>(item), 1, 0, 0); },
                         kSameBack));
    cases.push_back(Case("GameHandle third before second", 0x900, 1, "0500 2c 33000000 2c 22000000",
                         nullptr,
                         [](const CZrDdeItem& item) { ExpectHandle(As<CGameHandleItem>(item), 5, 0x22, 0x33); },
                         kSameBack));
    cases.push_back(Case("GameHandle with other bytes between the values", 0x900, 1,
                         "0500 ff 33000000 00 22000000", nullptr,
                         [](const CZrDdeItem& item) { ExpectHandle(As<CGameHandleItem>(item), 5, 0x22, 0x33); },
                         kOtherForm));
    cases.push_back(Case("GameSlots one record ending the list", 0x901, 1, "0100 0200 0300 0400 0000",
                         nullptr,
                         [](const CZrDdeItem& item) {
                             const std::vector<CGameSlot> expected{{0x00020001, 0x00040003, 0}};
                             EXPECT_EQ(As<CGameSlotsItem>(item).GetSlots(), expected);
                         },
                         kSameBack));
    cases.push_back(Case("GameSlots two records", 0x901, 1,
                         "0100 0000 0200 0000 0700  ffff ffff 0000 0000 0000", nullptr,
                         [](const CZrDdeItem& item) {
                             const std::vector<CGameSlot> expected{{1, 2, 7}, {0xFFFFFFFF, 0, 0}};
                             EXPECT_EQ(As<CGameSlotsItem>(item).GetSlots(), expected);
                         },
                         kSameBack));
    cases.push_back(Case("GameState from construction", 0x902, 1, "0000", Factory(0x902, 0),
                         [](const CZrDdeItem& item) { EXPECT_EQ(As<CGameStateItem>(item).GetState(), 0); },
                         kSameBack));
    cases.push_back(Case("GameState value", 0x902, 1, "0201", nullptr,
                         [](const CZrDdeItem& item) {
                             EXPECT_EQ(As<CGameStateItem>(item).GetState(), 0x0102);
                         },
                         kSameBack));
    return cases;
}

std::vector<DdeGoldenCase> AllCases()
{
    std::vector<DdeGoldenCase> all;
    for (auto group : {PlaceCases(), MovementCases(), MessageCases(), PairCases(), GroupCases(),
                       IdentityCases(), InfoCases(), GameCases()})
        all.insert(all.end(), group.begin(), group.end());
    return all;
}

} // namespace

const std::vector<DdeGoldenCase>& DdeGoldenCases()
{
    static const std::vector<DdeGoldenCase> cases = AllCases();
    return cases;
}
