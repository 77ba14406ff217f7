// Reading and building the payloads of whispers and place texts, and the
// rate limits of received whispers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CPayload.h"
#include "CRateStamp.h"

namespace {

CPayload FromBytes(const std::vector<uint8_t>& bytes)
{
    return CPayload(CTvlBlob(static_cast<uint32_t>(bytes.size()), bytes.empty() ? nullptr : bytes.data()));
}

std::vector<uint8_t> BytesOf(const CTvlBlob& blob)
{
    return std::vector<uint8_t>(blob.Bytes(), blob.Bytes() + blob.Length());
}

TEST(PayloadTest, HeaderOfShortAndFullBlocks)
{
    struct Case {
        std::vector<uint8_t> bytes;
        uint8_t type;
        uint8_t code;
        uint32_t dataLength;
    };
    const Case cases[] = {
        {{}, 0, 0, 0},
        {{4}, 4, 0, 0},
        {{4, 9}, 4, 9, 0},
        {{6, 1, 0xAA, 0xBB}, 6, 1, 2},
        {{0xFF, 0xFE, 0}, 0xFF, 0xFE, 1},
    };
    for (const Case& c : cases) {
        const CPayload payload = FromBytes(c.bytes);
        EXPECT_EQ(c.type, payload.GetByte()) << c.bytes.size();
        EXPECT_EQ(c.code, payload.GetCode()) << c.bytes.size();
        uint32_t length = 99;
        const uint8_t* data = payload.Data(length);
        EXPECT_EQ(c.dataLength, length) << c.bytes.size();
        EXPECT_EQ(c.dataLength == 0, data == nullptr) << c.bytes.size();
        if (data) {
            EXPECT_EQ(c.bytes[2], data[0]);
        }
    }
}

TEST(PayloadTest, ConstructorsCopyHeaderAndBytes)
{
    const uint8_t body[] = {7, 8, 9};
    const CPayload made(CPayload::kCommand, 20, 3, body);
    EXPECT_EQ((std::vector<uint8_t>{4, 20, 7, 8, 9}), BytesOf(made));
    const CPayload copy(made);
    EXPECT_NE(made.Bytes(), copy.Bytes());
    EXPECT_EQ(BytesOf(made), BytesOf(copy));
    EXPECT_EQ((std::vector<uint8_t>{2, 0}), BytesOf(CPayload(CPayload::kIdentityRequest, 0, 5, nullptr)));
    EXPECT_EQ(0u, CPayload().Length());
}

TEST(PayloadTest, GetStringChecksTheNameLength)
{
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
        bool ok;
        std::string name;
    };
    const Case cases[] = {
        {"exact", {1, 0, 3, 'w', 'a', 'v'}, true, "wav"},
        {"trailing bytes ignored", {1, 0, 2, 'h', 'i', 'x'}, true, "hi"},
        {"length zero", {1, 0, 0, 'a'}, false, ""},
        {"length beyond data", {1, 0, 4, 'a', 'b', 'c'}, false, ""},
        {"length byte only", {1, 0, 1}, false, ""},
        {"no data", {1, 0}, false, ""},
        {"code not 0", {1, 1, 1, 'a'}, false, ""},
        {"other type", {0, 0, 1, 'a'}, false, ""},
        {"empty block", {}, false, ""},
    };
    for (const Case& c : cases) {
        std::string name = "unchanged";
        EXPECT_EQ(c.ok, FromBytes(c.bytes).GetString(name)) << c.what;
        EXPECT_EQ(c.ok ? c.name : "unchanged", name) << c.what;
    }
    // A peer's length byte of 255 is read as it says, though no name that
    // long is ever built here.
    std::vector<uint8_t> longest{1, 0, 255};
    longest.resize(3 + 255, 'n');
    std::string name;
    EXPECT_TRUE(FromBytes(longest).GetString(name));
    EXPECT_EQ(std::string(255, 'n'), name);
}

TEST(PayloadTest, MakeStringBoundsAndRoundTrip)
{
    struct Case {
        size_t length;
        bool made;
    };
    const Case cases[] = {{0, false}, {1, true}, {254, true}, {255, false}, {1000, false}};
    for (const Case& c : cases) {
        const std::string name(c.length, 'g');
        const auto payload = CPayload::MakeString(name);
        ASSERT_EQ(c.made, payload != nullptr) << c.length;
        if (!payload)
            continue;
        EXPECT_EQ(c.length + 3, payload->Length());
        EXPECT_EQ(CPayload::kTextWithName, payload->GetByte());
        std::string back;
        ASSERT_TRUE(payload->GetString(back));
        EXPECT_EQ(name, back);
    }
}

TEST(PayloadTest, IdentityRoundTripAndLayout)
{
    const CIdentityTexts texts{"F", "chess, kites", "", "Carpe diem"};
    const auto payload = CPayload::MakeIdentity(texts);
    ASSERT_NE(nullptr, payload);
    const std::string expected = std::string("\x03\x00", 2) + "F" + '\0' + "chess, kites" + '\0' + '\0' +
                                 "Carpe diem" + '\0';
    EXPECT_EQ(expected, std::string(reinterpret_cast<const char*>(payload->Bytes()), payload->Length()));
    CIdentityTexts back;
    ASSERT_TRUE(payload->ReadIdentity(back));
    EXPECT_EQ(texts.gender, back.gender);
    EXPECT_EQ(texts.hobbies, back.hobbies);
    EXPECT_EQ(texts.occupation, back.occupation);
    EXPECT_EQ(texts.quote, back.quote);
}

TEST(PayloadTest, MakeIdentityCutsTextsAtAnEmbeddedNul)
{
    const CIdentityTexts texts{std::string("M\0x", 3), "a", "b", "c"};
    CIdentityTexts back;
    ASSERT_TRUE(CPayload::MakeIdentity(texts)->ReadIdentity(back));
    EXPECT_EQ("M", back.gender);
    EXPECT_EQ("a", back.hobbies);
    EXPECT_EQ("c", back.quote);
}

TEST(PayloadTest, ReadIdentityOfMalformedData)
{
    struct Case {
        const char* what;
        std::string bytes;
        bool ok;
        CIdentityTexts texts;
    };
    const std::string head("\x03\x00", 2);
    const std::string longText(3000, 'q');
    const Case cases[] = {
        {"no terminators", head + "abc", true, {"abc", "", "", ""}},
        {"two texts", head + "a" + '\0' + "b", true, {"a", "b", "", ""}},
        {"extra texts ignored", head + std::string("a\0b\0c\0d\0e\0", 10), true, {"a", "b", "c", "d"}},
        {"long text cut, next kept", head + longText + '\0' + "h", true,
         {std::string(CPayload::kMaxIdentityText, 'q'), "h", "", ""}},
        {"long unterminated text", head + longText, true, {std::string(CPayload::kMaxIdentityText, 'q'), "", "", ""}},
        {"header only", head, false, {"g", "h", "o", "p"}},
        {"other type", std::string("\x02\x00x", 3), false, {"g", "h", "o", "p"}},
        {"empty block", "", false, {"g", "h", "o", "p"}},
    };
    for (const Case& c : cases) {
        const CPayload payload(CTvlBlob(static_cast<uint32_t>(c.bytes.size()),
                                        reinterpret_cast<const uint8_t*>(c.bytes.data())));
        CIdentityTexts back{"g", "h", "o", "p"};
        EXPECT_EQ(c.ok, payload.ReadIdentity(back)) << c.what;
        EXPECT_EQ(c.texts.gender, back.gender) << c.what;
        EXPECT_EQ(c.texts.hobbies, back.hobbies) << c.what;
        EXPECT_EQ(c.texts.occupation, back.occupation) << c.what;
        EXPECT_EQ(c.texts.quote, back.quote) << c.what;
    }
}

TEST(RateStampTest, SequencesOfEvents)
{
    struct Case {
        const char* what;
        std::vector<uint64_t> times;
        std::vector<bool> passed;
    };
    const Case cases[] = {
        {"first event passes at any time, even 0", {0, 1000}, {true, true}},
        {"every dropped event moves the stamp", {5000, 5400, 6200}, {true, false, false}},
        {"exactly one window later passes", {5000, 6000, 6999, 7999}, {true, true, false, true}},
        {"burst every 500 ms gets only the first", {100, 600, 1100, 1600, 2100}, {true, false, false, false, false}},
        {"clock going back stays inside the window", {90000, 10}, {true, false}},
    };
    for (const Case& c : cases) {
        CRateStamp stamp;
        EXPECT_TRUE(stamp.IsNever());
        std::vector<bool> passed;
        for (uint64_t time : c.times)
            passed.push_back(stamp.Pass(time));
        EXPECT_EQ(c.passed, passed) << c.what;
        EXPECT_FALSE(stamp.IsNever());
    }
}

}  // namespace
