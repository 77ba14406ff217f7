#include "ZrMessage.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "TvlBlob.h"
#include "WireEncoder.h"
#include "ZrMessageReader.h"
#include "ZrPlaceRequest.h"

namespace {

Bytes Written(const TvlNdr& writer)
{
    return Bytes(writer.Data(), writer.Data() + writer.Used());
}

TEST(ZrMessage, HeaderLengthDependsOnType)
{
    for (uint16_t type = 0; type <= kZrLastMessageType; ++type) {
        CZrMessage message;
        message.SetHeader(type);
        const bool bare = type == 2 || type == 4;
        EXPECT_EQ(message.HeaderLength(), bare ? 2u : 3u) << type;
        EXPECT_EQ(Written(message), CWireEncoder().Header(type).Get()) << type;
        EXPECT_EQ(message.Channel(), 0u);
    }
}

TEST(ZrMessage, SetHeaderEmptiesTheWriterAndForgetsTheChannel)
{
    CZrMessage message;
    message.BuildWindowAck(5);
    message.SetChannel(9);
    message.SetHeader(24);
    EXPECT_EQ(Written(message), (Bytes{0, 24, 0}));
    EXPECT_EQ(message.Channel(), 0u);
}

TEST(ZrMessage, FlagIsBitZeroOfTheThirdByte)
{
    CZrMessage message;
    message.BuildPlaceListRequest(1, 2);
    EXPECT_FALSE(message.GetFlag());
    message.SetFlag(true);
    EXPECT_TRUE(message.GetFlag());
    EXPECT_EQ(message.Data()[2], 0x01);
    message.SetFlag(false);
    EXPECT_EQ(message.Data()[2], 0x00);

    CZrMessage bare;
    bare.SetHeader(4);
    bare.SetFlag(true);
    EXPECT_FALSE(bare.GetFlag());
    EXPECT_EQ(Written(bare), (Bytes{0, 4}));
}

TEST(ZrMessage, ChannelPrefix)
{
    CZrMessage message;
    message.BuildWindowAck(1);
    uint8_t area[CZrMessage::kChannelPrefixLength] = {};
    EXPECT_EQ(message.WriteChannelPrefix(area), 0u);
    message.SetChannel(7);
    ASSERT_EQ(message.WriteChannelPrefix(area), 6u);
    EXPECT_EQ(Bytes(area, area + 6), (Bytes{0x00, 0x02, 0x00, 0x00, 0x00, 0x07}));
    message.SetChannel(0x01020304);
    message.WriteChannelPrefix(area);
    EXPECT_EQ(Bytes(area, area + 6), OnChannel(0x01020304, {}));
}

struct BuilderCase {
    const char* name;
    std::function<void(CZrMessage&)> build;
    Bytes expected;
};

TEST(ZrMessage, BuildersWriteTheFieldsInOrder)
{
    const CTvlBlob blob(3, reinterpret_cast<const uint8_t*>("abc"));
    const CTvlBlob empty;
    TvlNdr record;
    record.PutShort(0x1234);
    const bool yes = true;
    const uint8_t offending[] = {0, 5, 0, 1};
    const BuilderCase cases[] = {
        {"hello of a new session", [](CZrMessage& m) { m.BuildHello(3, 1, 1); },
         CWireEncoder().Header(0).U16(3).U16(1).U8(1)},
        {"plain close", [](CZrMessage& m) { m.BuildClose(202); }, CWireEncoder().Header(3).U16(202)},
        {"error report", [&](CZrMessage& m) { m.BuildErrorReport(2, 14, 4, offending, 3); },
         CWireEncoder().Header(3).U16(222).U8(2).U8(14).Blob({0, 5, 0, 1}).U32(3)},
        {"text", [&](CZrMessage& m) { m.BuildText(7, "hi", blob, 9); },
         CWireEncoder().Header(5).U32(7).Text("hi").Blob({'a', 'b', 'c'}).U32(9)},
        {"broadcast without bool", [&](CZrMessage& m) { m.BuildBroadcast(4, record, nullptr); },
         CWireEncoder().Header(7).U32(4).U16(0x1234)},
        {"broadcast with bool", [&](CZrMessage& m) { m.BuildBroadcast(4, record, &yes); },
         CWireEncoder().Header(7).U32(4).U16(0x1234).U8(1)},
        {"type 10", [](CZrMessage& m) { m.BuildLookupRequest(1, 2, 3, "t", true, false); },
         CWireEncoder().Header(10).U32(1).U32(2).U32(3).Text("t").U8(1).U8(0)},
        {"login", [&](CZrMessage& m) { m.BuildLogin(0x0102, {"nick", 6}, 0x0304, blob); },
         CWireEncoder().Header(11).U16(0x0102).Text("nick").U8(6).U16(0x0304).Blob({'a', 'b', 'c'})},
        {"welcome reply", [&](CZrMessage& m) { m.BuildWelcomeReply(1, record, 0xA0B0C0D0, 2); },
         CWireEncoder().Header(13).U16(1).U16(0x1234).U32(0xA0B0C0D0).U32(2)},
        {"leave", [](CZrMessage& m) { m.BuildLeave(3, 0x11223344, 240); },
         CWireEncoder().Header(14).U16(3).U32(0x11223344).U16(240)},
        {"type 19 without blob", [](CZrMessage& m) { m.BuildPictureRequest(1, 2, nullptr); },
         CWireEncoder().Header(19).U32(1).U32(2).U8(0)},
        {"type 19 with blob", [&](CZrMessage& m) { m.BuildPictureRequest(1, 2, &empty); },
         CWireEncoder().Header(19).U32(1).U32(2).U8(1).Blob({})},
        {"type 21", [](CZrMessage& m) { m.BuildMembersRequest(1, 2, 3, 4, 5, 6); },
         CWireEncoder().Header(21).U32(1).U32(2).U32(3).U16(4).U32(5).U32(6)},
        {"type 23", [](CZrMessage& m) { m.BuildTextsRequest(8, "a", ""); },
         CWireEncoder().Header(23).U32(8).Text("a").Text("")},
        {"type 24", [](CZrMessage& m) { m.BuildPlaceListRequest(8, 9); }, CWireEncoder().Header(24).U32(8).U32(9)},
        {"type 25 sets the flag", [](CZrMessage& m) { m.BuildPlacesQuery(1, 2, 3, true); },
         CWireEncoder().Header(25, 1).U32(1).U32(2).U32(3).U8(1)},
        {"type 28", [&](CZrMessage& m) { m.BuildMemberRequest(1, 2, 3, "x", blob, 4); },
         CWireEncoder().Header(28).U32(1).U32(2).U16(3).Text("x").Blob({'a', 'b', 'c'}).U32(4)},
        {"window acknowledgement", [](CZrMessage& m) { m.BuildWindowAck(1000); },
         CWireEncoder().Header(33).U32(1000)},
    };
    for (const BuilderCase& c : cases) {
        CZrMessage message;
        c.build(message);
        EXPECT_EQ(Written(message), c.expected) << c.name;
    }
}

TEST(ZrMessage, HelloOfANewSessionWithoutSafeConnection)
{
    CZrMessage message;
    message.BuildHello(3, 1, 1);
    message.PutByte(0);
    EXPECT_EQ(Written(message), (Bytes{0x00, 0x00, 0x00, 0x00, 0x03, 0x00, 0x01, 0x01, 0x00}));
}

TEST(ZrMessage, PayloadRecordsHaveNoHeader)
{
    TvlNdr first;
    CZrMessage::WriteStatusPayload(first, {"s", 2}, 3, 0x04050607, "t");
    EXPECT_EQ(Written(first), CWireEncoder().Text("s").U8(2).U8(3).U32(0x04050607).Text("t").Get());
    TvlNdr second;
    CZrMessage::WriteStatusPayload(second, {"", 0}, "a", "b");
    EXPECT_EQ(Written(second), CWireEncoder().Text("").U8(0).Text("a").Text("b").Get());
}

TEST(ZrMessage, DestroyReleasesTheWriter)
{
    CZrMessage message;
    message.BuildPlaceListRequest(1, 2);
    message.Destroy();
    EXPECT_EQ(message.Used(), 0u);
    EXPECT_EQ(message.Capacity(), 0u);
}

TEST(ZrPlaceRequest, KeyIsStampedAtSendTime)
{
    CZrPlaceRequest request;
    request.BuildOperation(0x01020304, 17);
    request.PutByte(5);
    EXPECT_FALSE(request.IsKeyFilled());
    EXPECT_EQ(Written(request), CWireEncoder().Header(15).U16(0).U32(0x01020304).U16(17).U8(5).Get());
    request.StampKey(0xBEEF);
    EXPECT_TRUE(request.IsKeyFilled());
    EXPECT_EQ(Written(request), CWireEncoder().Header(15).U16(0xBEEF).U32(0x01020304).U16(17).U8(5).Get());
}

struct ParseCase {
    const char* name;
    Bytes bytes;
    bool ok;
    uint32_t type;
    uint32_t headerLength;
    bool flag;
};

TEST(ZrMessageReader, ParseTable)
{
    const ParseCase cases[] = {
        {"empty", {}, false, 0, 0, false},
        {"one byte", {0}, false, 0, 0, false},
        {"type 5 ends after its type", {0, 5}, false, 5, 2, false},
        {"type 2 has no flags byte", {0, 2}, true, 2, 2, false},
        {"type 4 has no flags byte", {0, 4, 0x81}, true, 4, 2, false},
        {"plain header", {0, 5, 0, 9}, true, 5, 3, false},
        {"flag bit 0", {0, 99, 1}, true, 99, 3, true},
        {"one extension byte", {0, 7, 0x81, 0x00, 0x42}, true, 7, 4, true},
        {"two extension bytes", {0, 7, 0x80, 0xFF, 0x10}, true, 7, 5, false},
        {"ends inside the extension", {0, 7, 0x80, 0x80}, false, 7, 4, false},
        {"other bits ignored", {0, 7, 0x7E}, true, 7, 3, false},
    };
    for (const ParseCase& c : cases) {
        CZrMessageReader reader(static_cast<uint32_t>(c.bytes.size()), c.bytes.data());
        EXPECT_EQ(reader.Parse(), c.ok) << c.name;
        if (!c.ok)
            continue;
        EXPECT_EQ(reader.Type(), c.type) << c.name;
        EXPECT_EQ(reader.HeaderLength(), c.headerLength) << c.name;
        EXPECT_EQ(reader.Used(), c.headerLength) << c.name;
        EXPECT_EQ(reader.GetFlag(), c.flag) << c.name;
    }
}

TEST(ZrMessageReader, ReadsWhatTheBuildersWrite)
{
    CZrMessage message;
    message.BuildLeave(3, 0x11223344, 240);
    CZrMessageReader reader(message.Used(), message.Data());
    ASSERT_TRUE(reader.Parse());
    uint16_t key = 0, code = 0;
    uint32_t id = 0;
    EXPECT_TRUE(reader.GetShort(key) && reader.GetLong(id) && reader.GetShort(code));
    EXPECT_EQ(key, 3);
    EXPECT_EQ(id, 0x11223344u);
    EXPECT_EQ(code, 240);
    EXPECT_EQ(reader.Remaining(), 0u);
}

} // namespace
