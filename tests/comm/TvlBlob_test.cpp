#include "TvlBlob.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "TvlAlloc.h"
#include "TvlNdr.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Content(const CTvlBlob& blob)
{
    return Bytes(blob.Bytes(), blob.Bytes() + blob.Length());
}

TEST(TvlBlob, CopyOrReferOnConstruction)
{
    uint8_t bytes[] = {1, 2, 3};
    const CTvlBlob copied(3, bytes, true);
    const CTvlBlob referred(3, bytes, false);
    EXPECT_TRUE(copied.IsOwned());
    EXPECT_NE(copied.Bytes(), bytes);
    EXPECT_FALSE(referred.IsOwned());
    EXPECT_EQ(referred.Bytes(), bytes);
    bytes[0] = 9;
    EXPECT_EQ(Content(copied), (Bytes{1, 2, 3}));
    EXPECT_EQ(Content(referred), (Bytes{9, 2, 3}));

    const CTvlBlob empty;
    EXPECT_EQ(empty.Length(), 0u);
    EXPECT_EQ(empty.Bytes(), nullptr);
    const CTvlBlob missing(5, nullptr, false);
    EXPECT_EQ(missing.Length(), 0u);
}

TEST(TvlBlob, CopiesAlwaysOwnTheirBytes)
{
    const uint8_t bytes[] = {4, 5};
    const CTvlBlob referred(2, bytes, false);
    const CTvlBlob copy(referred);
    EXPECT_TRUE(copy.IsOwned());
    EXPECT_NE(copy.Bytes(), bytes);
    EXPECT_EQ(Content(copy), (Bytes{4, 5}));

    CTvlBlob assigned(1, bytes, true);
    assigned = referred;
    EXPECT_TRUE(assigned.IsOwned());
    EXPECT_EQ(Content(assigned), (Bytes{4, 5}));
    CTvlBlob& self = assigned;
    assigned = self;
    EXPECT_EQ(Content(assigned), (Bytes{4, 5}));
}

TEST(TvlBlob, AssignAdoptRefer)
{
    const uint8_t bytes[] = {1, 2, 3, 4};
    CTvlBlob blob(2, bytes, false);

    blob.Assign(4, bytes);
    EXPECT_TRUE(blob.IsOwned());
    EXPECT_EQ(Content(blob), (Bytes{1, 2, 3, 4}));

    // Assigning part of its own bytes copies them before the old block goes.
    blob.Assign(2, blob.Bytes() + 2);
    EXPECT_EQ(Content(blob), (Bytes{3, 4}));

    blob.Assign(3, nullptr);
    EXPECT_TRUE(blob.IsOwned());
    EXPECT_EQ(blob.Length(), 0u);
    EXPECT_EQ(blob.Bytes(), nullptr);

    int32_t mark = 0;
    auto* block = static_cast<uint8_t*>(TvlAlloc(2, mark));
    block[0] = 7;
    block[1] = 8;
    blob.Adopt(2, block, mark);
    EXPECT_EQ(blob.Bytes(), block);
    EXPECT_TRUE(blob.IsOwned());

    blob.Refer(4, bytes);
    EXPECT_FALSE(blob.IsOwned());
    EXPECT_EQ(blob.Bytes(), bytes);
    blob.Refer(4, nullptr);
    EXPECT_EQ(blob.Length(), 0u);
}

TEST(TvlBlob, HeaderFormAndSplit)
{
    const uint8_t body[] = {'a', 'b'};
    const CTvlBlob withBody(3, 7, 2, body);
    EXPECT_EQ(Content(withBody), (Bytes{3, 7, 'a', 'b'}));
    const CTvlBlob noBody(3, 7, 5, nullptr);
    EXPECT_EQ(Content(noBody), (Bytes{3, 7}));

    const struct {
        Bytes bytes;
        uint8_t type;
        uint8_t value;
        Bytes body;
    } cases[] = {
        {{}, 0, 0, {}},
        {{5}, 5, 0, {}},
        {{5, 6}, 5, 6, {}},
        {{5, 6, 7}, 5, 6, {7}},
        {{5, 6, 7, 0, 9}, 5, 6, {7, 0, 9}},
    };
    for (const auto& c : cases) {
        const CTvlBlob blob(static_cast<uint32_t>(c.bytes.size()), c.bytes.data(), true);
        uint8_t type = 0xEE, value = 0xEE;
        uint32_t length = 0xEE;
        const uint8_t* rest = blob.SplitHeader(type, value, length);
        EXPECT_EQ(type, c.type) << c.bytes.size();
        EXPECT_EQ(value, c.value) << c.bytes.size();
        ASSERT_EQ(length, c.body.size());
        EXPECT_EQ(rest == nullptr, c.body.empty());
        if (rest) {
            EXPECT_EQ(Bytes(rest, rest + length), c.body);
        }
    }
}

TEST(TvlBlob, UnmarshalCopiesOrRefersToTheMessage)
{
    const uint8_t message[] = {0, 0, 0, 3, 'x', 'y', 'z', 0x42};
    for (bool copy : {true, false}) {
        TvlNdr reader(sizeof message, message);
        CTvlBlob blob;
        ASSERT_TRUE(blob.Unmarshal(reader, copy));
        EXPECT_EQ(Content(blob), (Bytes{'x', 'y', 'z'}));
        EXPECT_EQ(blob.IsOwned(), copy);
        EXPECT_EQ(blob.Bytes() == message + 4, !copy);
        EXPECT_EQ(reader.Used(), 7u);
    }
}

TEST(TvlBlob, UnmarshalRefusesShortInput)
{
    const struct {
        const char* name;
        Bytes input;
        bool ok;
        uint32_t usedAfter;
    } cases[] = {
        {"empty blob", {0, 0, 0, 0}, true, 4},
        {"short length", {0, 0, 1}, false, 0},
        {"claims more than remains", {0, 0, 0, 4, 1, 2, 3}, false, 4},
        {"claims 4 GiB", {0xFF, 0xFF, 0xFF, 0xFF, 1}, false, 4},
    };
    for (const auto& c : cases) {
        for (bool copy : {true, false}) {
            TvlNdr reader(static_cast<uint32_t>(c.input.size()), c.input.data());
            const uint8_t keep[] = {1};
            CTvlBlob blob(1, keep, true);
            EXPECT_EQ(blob.Unmarshal(reader, copy), c.ok) << c.name;
            EXPECT_EQ(reader.Used(), c.usedAfter) << c.name;
            const Bytes expected = c.ok ? Bytes{} : Bytes{1};
            EXPECT_EQ(Content(blob), expected) << c.name;
        }
    }
}

} // namespace
