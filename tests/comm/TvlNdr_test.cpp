#include "TvlNdr.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "TvlAlloc.h"

namespace {

using Bytes = std::vector<uint8_t>;
using testing::AllOf;
using testing::HasSubstr;

Bytes Written(const TvlNdr& writer)
{
    return Bytes(writer.Data(), writer.Data() + writer.Used());
}

struct WriteCase {
    const char* name;
    std::function<void(TvlNdr&)> write;
    Bytes expected;
};

TEST(TvlNdrWrite, ValuesHaveTheirWireForm)
{
    const std::string withNul("a\0b", 3);
    const uint8_t raw[] = {9, 8, 7};
    const WriteCase cases[] = {
        {"byte", [](TvlNdr& w) { w.PutByte(0xAB); }, {0xAB}},
        {"short network", [](TvlNdr& w) { w.PutShort(0x1234); }, {0x12, 0x34}},
        {"short host", [](TvlNdr& w) { w.PutShort(0x1234, false); }, {0x34, 0x12}},
        {"long network", [](TvlNdr& w) { w.PutLong(0x01020304); }, {1, 2, 3, 4}},
        {"long host", [](TvlNdr& w) { w.PutLong(0x01020304, false); }, {4, 3, 2, 1}},
        {"text", [](TvlNdr& w) { w.PutText("hi"); }, {0, 2, 'h', 'i'}},
        {"empty text", [](TvlNdr& w) { w.PutText(""); }, {0, 0}},
        {"text with NUL", [&](TvlNdr& w) { w.PutText(withNul); }, {0, 3, 'a', 0, 'b'}},
        {"raw bytes", [&](TvlNdr& w) { w.PutBytes(3, raw); }, {9, 8, 7}},
        {"no raw bytes", [](TvlNdr& w) { w.PutBytes(0, nullptr); }, {}},
    };
    for (const auto& c : cases) {
        TvlNdr writer;
        c.write(writer);
        EXPECT_EQ(Written(writer), c.expected) << c.name;
    }
}

TEST(TvlNdrRead, ValuesRoundTrip)
{
    TvlNdr writer;
    writer.PutByte(0xFF);
    writer.PutShort(0xBEEF);
    writer.PutShort(0xBEEF, false);
    writer.PutLong(0xDEADBEEF);
    writer.PutLong(0xDEADBEEF, false);
    writer.PutText(std::string("x\0y", 3));
    writer.PutShort(0xFFFF);
    writer.PutByte(0x80);

    TvlNdr reader(writer.Used(), writer.Data());
    uint8_t byte = 0;
    uint16_t s1 = 0, s2 = 0;
    uint32_t l1 = 0, l2 = 0, word = 0, octet = 0;
    std::string text;
    ASSERT_TRUE(reader.GetByte(byte));
    ASSERT_TRUE(reader.GetShort(s1));
    ASSERT_TRUE(reader.GetShort(s2, false));
    ASSERT_TRUE(reader.GetLong(l1));
    ASSERT_TRUE(reader.GetLong(l2, false));
    ASSERT_TRUE(reader.GetText(text));
    ASSERT_TRUE(reader.GetWord(word));
    ASSERT_TRUE(reader.GetOctet(octet));
    EXPECT_EQ(byte, 0xFF);
    EXPECT_EQ(s1, 0xBEEF);
    EXPECT_EQ(s2, 0xBEEF);
    EXPECT_EQ(l1, 0xDEADBEEFu);
    EXPECT_EQ(l2, 0xDEADBEEFu);
    EXPECT_EQ(text, std::string("x\0y", 3));
    EXPECT_EQ(word, 0xFFFFu);
    EXPECT_EQ(octet, 0x80u);
    EXPECT_EQ(reader.Remaining(), 0u);
}

TEST(TvlNdrText, LongestTextIsWritten)
{
    const std::string text(TvlNdr::kMaxText, 'x');
    TvlNdr writer;
    writer.PutText(text);
    ASSERT_EQ(writer.Used(), 2u + 32767u);
    EXPECT_EQ(writer.Data()[0], 0x7F);
    EXPECT_EQ(writer.Data()[1], 0xFF);

    TvlNdr reader(writer.Used(), writer.Data());
    std::string back;
    ASSERT_TRUE(reader.GetText(back));
    EXPECT_EQ(back, text);
}

TEST(TvlNdrTextDeathTest, TooLongTextEndsTheProcessWithLine178)
{
    const std::string text(TvlNdr::kMaxText + 1, 'x');
    EXPECT_EXIT(
        {
            TvlNdr writer;
            writer.PutText(text);
        },
        testing::ExitedWithCode(1),
        AllOf(HasSubstr("Runtime error("),
              HasSubstr("): Line 178, File `TvlNdr'.\nProcess terminated.\n")));
}

struct TextReadCase {
    const char* name;
    Bytes input;
    bool ok;
    std::string text;
    uint32_t usedAfter;
};

TEST(TvlNdrText, LengthFieldDecidesWhatIsRead)
{
    Bytes big = {0x80, 0x00};
    big.resize(2 + 0x8000, 'a');
    Bytes huge = {0xFF, 0xFF};
    huge.resize(2 + 0xFFFF, 'a');
    const TextReadCase cases[] = {
        {"plain", {0, 3, 'a', 'b', 'c', 'z'}, true, "abc", 5},
        {"empty", {0, 0}, true, "", 2},
        {"embedded NUL", {0, 3, 'a', 0, 'c'}, true, std::string("a\0c", 3), 5},
        {"length 0x8000 with bytes", big, false, "keep", 2},
        {"length 0xFFFF with bytes", huge, false, "keep", 2},
        {"longer than what remains", {0, 4, 'a', 'b', 'c'}, false, "keep", 2},
        {"half a length field", {0}, false, "keep", 0},
        {"nothing", {}, false, "keep", 0},
    };
    for (const auto& c : cases) {
        TvlNdr reader(static_cast<uint32_t>(c.input.size()), c.input.data());
        std::string text = "keep";
        EXPECT_EQ(reader.GetText(text), c.ok) << c.name;
        EXPECT_EQ(text, c.text) << c.name;
        EXPECT_EQ(reader.Used(), c.usedAfter) << c.name;
    }
}

TEST(TvlNdrRead, GetBoolKeepsBitZero)
{
    const struct {
        uint8_t byte;
        int32_t value;
    } cases[] = {{0x00, 0}, {0x01, 1}, {0xFE, 0}, {0x03, 1}, {0xFF, 1}, {0x80, 0}};
    for (const auto& c : cases) {
        TvlNdr reader(1, &c.byte);
        int32_t value = -1;
        ASSERT_TRUE(reader.GetBool(value));
        EXPECT_EQ(value, c.value) << "byte " << int{c.byte};
    }
}

TEST(TvlNdrRead, GetKindNeedsExactlyOneHighBit)
{
    const struct {
        uint16_t word;
        bool ok;
    } cases[] = {{0x0100, true}, {0x0800, true}, {0x8000, true}, {0x0182, true},
                 {0x0900, false}, {0x0001, false}, {0x0000, false}, {0xFF00, false}};
    for (const auto& c : cases) {
        const uint8_t bytes[] = {static_cast<uint8_t>(c.word >> 8), static_cast<uint8_t>(c.word)};
        TvlNdr reader(2, bytes);
        uint32_t kind = 0xFFFFFFFF;
        EXPECT_EQ(reader.GetKind(kind), c.ok) << std::hex << c.word;
        EXPECT_EQ(kind, c.word) << "the value is stored either way";
        EXPECT_EQ(reader.Used(), 2u);
    }
}

// Every reader given one byte fewer than it needs fails and leaves both the
// output and the cursor where they were.
TEST(TvlNdrRead, ShortReadsChangeNothing)
{
    struct Reader {
        const char* name;
        uint32_t need;
        std::function<bool(TvlNdr&, uint32_t&)> read;
    };
    const Reader readers[] = {
        {"GetByte", 1, [](TvlNdr& r, uint32_t& out) { uint8_t v = 0x5A; bool ok = r.GetByte(v); out = v; return ok; }},
        {"GetShort", 2, [](TvlNdr& r, uint32_t& out) { uint16_t v = 0x5A; bool ok = r.GetShort(v); out = v; return ok; }},
        {"GetShort host", 2, [](TvlNdr& r, uint32_t& out) { uint16_t v = 0x5A; bool ok = r.GetShort(v, false); out = v; return ok; }},
        {"GetLong", 4, [](TvlNdr& r, uint32_t& out) { out = 0x5A; return r.GetLong(out); }},
        {"GetLong host", 4, [](TvlNdr& r, uint32_t& out) { out = 0x5A; return r.GetLong(out, false); }},
        {"GetBool", 1, [](TvlNdr& r, uint32_t& out) { int32_t v = 0x5A; bool ok = r.GetBool(v); out = static_cast<uint32_t>(v); return ok; }},
        {"GetWord", 2, [](TvlNdr& r, uint32_t& out) { out = 0x5A; return r.GetWord(out); }},
        {"GetOctet", 1, [](TvlNdr& r, uint32_t& out) { out = 0x5A; return r.GetOctet(out); }},
        {"GetKind", 2, [](TvlNdr& r, uint32_t& out) { out = 0x5A; return r.GetKind(out); }},
        {"GetBytes", 3, [](TvlNdr& r, uint32_t& out) { uint8_t d[3] = {0x5A, 0x5A, 0x5A}; bool ok = r.GetBytes(3, d); out = d[0] == 0x5A && d[2] == 0x5A ? 0x5A : 0; return ok; }},
    };
    const uint8_t input[] = {0x01, 0x01, 0x01, 0x01, 0x01, 0x01};
    for (const auto& reader : readers) {
        for (uint32_t offset = 0; offset < 2; ++offset) {
            // `offset` bytes already read, then one byte short of the need.
            TvlNdr ndr(offset + reader.need - 1, input);
            ASSERT_TRUE(ndr.Skip(offset));
            uint32_t out = 0;
            EXPECT_FALSE(reader.read(ndr, out)) << reader.name;
            EXPECT_EQ(out, 0x5Au) << reader.name;
            EXPECT_EQ(ndr.Used(), offset) << reader.name;
        }
    }
}

TEST(TvlNdrRead, GetBytesEdges)
{
    const uint8_t input[] = {1, 2};
    TvlNdr reader(2, input);
    EXPECT_TRUE(reader.GetBytes(0, nullptr));
    EXPECT_FALSE(reader.GetBytes(1, nullptr));
    EXPECT_EQ(reader.Used(), 0u);
    uint8_t out[2] = {};
    EXPECT_TRUE(reader.GetBytes(2, out));
    EXPECT_EQ(out[1], 2);
    EXPECT_TRUE(reader.GetBytes(0, nullptr));
    EXPECT_FALSE(reader.Skip(1));
}

TEST(TvlNdrRead, ReaderOverNoBytesFailsEveryRead)
{
    TvlNdr reader(100, nullptr);
    uint8_t byte = 0;
    EXPECT_EQ(reader.Capacity(), 0u);
    EXPECT_FALSE(reader.GetByte(byte));
}

// The pool hands out at most five blocks; a sixth writer gets a fresh one,
// and when all six end five go back and one is freed.
TEST(TvlNdrPool, SixthWriterGetsAFreshBlock)
{
    {
        TvlNdr fill[kTvlPoolSlots];
    }
    ASSERT_EQ(TvlPoolCount(), kTvlPoolSlots);
    {
        std::vector<TvlNdr> writers(kTvlPoolSlots);
        EXPECT_EQ(TvlPoolCount(), 0);
        TvlNdr sixth;
        EXPECT_EQ(sixth.Capacity(), kTvlPoolBlockSize);
        for (const auto& w : writers)
            EXPECT_NE(w.Data(), sixth.Data());
        EXPECT_EQ(TvlPoolCount(), 0);
    }
    EXPECT_EQ(TvlPoolCount(), kTvlPoolSlots);

    // A pooled block is reused by the next writer.
    const uint8_t* pooled;
    {
        TvlNdr a;
        pooled = a.Data();
    }
    TvlNdr b;
    EXPECT_EQ(b.Data(), pooled);
}

TEST(TvlNdrGrowth, CapacityIsTwiceTheNeedRoundedTo64K)
{
    const struct {
        uint32_t used;
        uint32_t more;
        uint32_t capacity;
    } cases[] = {
        {0, 1024, 1024},      // fits the pooled block
        {1000, 24, 1024},     // exactly full
        {1000, 25, 65536},    // first growth
        {0, 32768, 65536},    // 2 x 32768 = 65536
        {0, 32769, 131072},   // one byte more
        {0, 40000, 131072},   // the large payload case
        {1000, 32768, 131072},
    };
    for (const auto& c : cases) {
        TvlNdr writer;
        const Bytes head(c.used, 0x11);
        writer.PutBytes(c.used, head.data());
        const int pooledBefore = TvlPoolCount();
        const Bytes tail(c.more, 0x22);
        writer.PutBytes(c.more, tail.data());
        EXPECT_EQ(writer.Capacity(), c.capacity) << c.used << "+" << c.more;
        ASSERT_EQ(writer.Used(), c.used + c.more);
        EXPECT_EQ(Bytes(writer.Data(), writer.Data() + c.used), head);
        EXPECT_EQ(Bytes(writer.Data() + c.used, writer.Data() + writer.Used()), tail);
        const int pooledAfter = c.capacity == kTvlPoolBlockSize ? pooledBefore : pooledBefore + 1;
        EXPECT_EQ(TvlPoolCount(), pooledAfter) << "a grown writer gives its 1024-byte block back";
    }
}

TEST(TvlNdrGrowth, GrownBlockIsFreedNotPooled)
{
    { TvlNdr fill[kTvlPoolSlots]; }
    {
        TvlNdr a;
        a.Reserve(2000);
        EXPECT_EQ(TvlPoolCount(), kTvlPoolSlots) << "a's 1024 block returned at growth";
        TvlNdr b;
        EXPECT_EQ(TvlPoolCount(), kTvlPoolSlots - 1);
    }
    EXPECT_EQ(TvlPoolCount(), kTvlPoolSlots);
}

TEST(TvlNdrGrowthDeathTest, OverflowingGrowthIsOutOfMemory)
{
    // 2 x need + 65535 no longer fits a 32-bit signed capacity: the coder
    // must end as out of memory instead of getting a short block.
    for (uint32_t more : {0x3FFF8001u, 0x80000000u, 0xFFFFFFFFu}) {
        EXPECT_EXIT(
            {
                TvlNdr writer;
                writer.PutByte(1);
                writer.Reserve(more);
            },
            testing::ExitedWithCode(1), HasSubstr("Memory exception("))
            << more;
    }
}

TEST(TvlNdrCopy, WriterCopyOwnsItsBytes)
{
    TvlNdr writer;
    writer.PutLong(0x01020304);
    TvlNdr copy(writer);
    EXPECT_FALSE(copy.IsBorrowed());
    EXPECT_NE(copy.Data(), writer.Data());
    EXPECT_EQ(Written(copy), Written(writer));
    copy.PutByte(5);
    EXPECT_EQ(writer.Used(), 4u);

    TvlNdr grown;
    grown.Reserve(5000);
    grown.PutShort(7);
    TvlNdr grownCopy(grown);
    EXPECT_EQ(grownCopy.Capacity(), 65536u);
    EXPECT_EQ(Written(grownCopy), Written(grown));
}

TEST(TvlNdrCopy, ReaderCopySharesBytesAndCursor)
{
    const uint8_t input[] = {1, 2, 3};
    TvlNdr reader(3, input);
    uint8_t byte;
    ASSERT_TRUE(reader.GetByte(byte));
    TvlNdr copy(reader);
    EXPECT_TRUE(copy.IsBorrowed());
    EXPECT_EQ(copy.Data(), input);
    EXPECT_EQ(copy.Cursor(), input + 1);
}

TEST(TvlNdrCopy, AssignmentReplacesTheBlock)
{
    TvlNdr writer;
    writer.PutShort(0x0102);
    TvlNdr& self = writer;
    writer = self;
    EXPECT_EQ(Written(writer), (Bytes{1, 2}));

    const uint8_t input[] = {9};
    TvlNdr target;
    target.PutByte(3);
    target = TvlNdr(1, input);
    EXPECT_TRUE(target.IsBorrowed());
    EXPECT_EQ(target.Data(), input);

    target = writer;
    EXPECT_FALSE(target.IsBorrowed());
    EXPECT_EQ(Written(target), (Bytes{1, 2}));
}

TEST(TvlNdrWrite, WritingIntoAReaderLeavesTheReceivedBytesAlone)
{
    const uint8_t input[] = {1, 2, 3, 4};
    TvlNdr reader(4, input);
    uint8_t byte;
    ASSERT_TRUE(reader.GetByte(byte));
    reader.PutByte(0xEE);
    EXPECT_FALSE(reader.IsBorrowed());
    EXPECT_EQ(input[1], 2);
    EXPECT_EQ(Written(reader), (Bytes{1, 0xEE}));
}

} // namespace
