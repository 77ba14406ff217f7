#include "ZrKind.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "ZrGroup.h"

namespace {

struct KindCase {
    uint32_t kind;
    bool valid, is3, is2, range, listed, replicated, privateRoom, plainRoom, container, root, bit8;
};

// Every predicate over kinds chosen at the edges of each test.
const KindCase kKindCases[] = {
    // kind   valid  is3    is2    range  880    840    820    800only cont  root   bit8
    {0x0100, true, false, true, false, false, false, false, false, false, false, true},
    {0x0180, true, true, false, false, false, false, false, false, false, false, true},
    {0x010F, true, false, true, false, false, false, false, false, false, false, true},
    {0x0110, true, false, true, true, false, false, false, false, false, false, true},
    {0x011F, true, false, true, true, false, false, false, false, false, false, true},
    {0x0120, true, false, true, false, false, false, false, false, false, false, true},
    {0x0190, true, true, false, true, false, false, false, false, false, false, true},
    {0x0121, true, false, true, false, false, false, false, false, false, false, true},
    {0x0200, true, false, false, false, false, false, false, false, true, false, false},
    {0x0206, true, false, false, false, false, false, false, false, true, false, false},
    {0x0400, true, false, false, false, false, false, false, false, true, false, false},
    {0x0401, true, false, false, false, false, false, false, false, true, false, false},
    {0x0800, true, false, false, false, false, false, false, true, true, true, false},
    {0x0882, true, false, false, false, true, false, false, true, true, true, false},
    {0x0840, true, false, false, false, false, true, false, true, true, true, false},
    {0x0821, true, false, false, false, false, false, true, false, true, true, false},
    {0x08E0, true, false, false, false, true, true, true, false, true, true, false},
    {0x0900, false, false, true, false, false, false, false, true, true, true, true},
    {0x0001, false, false, false, false, false, false, false, false, false, false, false},
    {0x8000, true, false, false, false, false, false, false, false, false, false, false},
};

TEST(ZrKindTest, PredicatesAgreeWithTheTable)
{
    for (const KindCase& c : kKindCases) {
        char label[16];
        std::snprintf(label, sizeof label, "0x%04X", static_cast<unsigned>(c.kind));
        SCOPED_TRACE(label);
        EXPECT_EQ(ZrKindCountBits8To15(c.kind), c.valid);
        EXPECT_EQ(ZrKindIsOwnPerson(c.kind), c.is3);
        EXPECT_EQ(ZrKindIsOtherPerson(c.kind), c.is2);
        EXPECT_EQ(ZrKindIsModerator(c.kind), c.range);
        EXPECT_EQ(ZrKindIsListed(c.kind), c.listed);
        EXPECT_EQ(ZrKindIsReplicated(c.kind), c.replicated);
        EXPECT_EQ(ZrKindIsPrivateRoom(c.kind), c.privateRoom);
        EXPECT_EQ(ZrKindIsPlainRoom(c.kind), c.plainRoom);
        CZrGroup object;
        object.SetKind(c.kind);
        EXPECT_EQ(object.IsContainer(), c.container);
        EXPECT_EQ(object.IsRoot(), c.root);
        EXPECT_EQ(object.HasBit8(), c.bit8);
    }
}

TEST(ZrKindTest, StandingGroupKindsAreExact)
{
    CZrGroup group;
    const struct {
        uint32_t kind;
        bool isRoom, isCorridor;
    } cases[] = {{1024, true, false}, {1025, false, true}, {1024 | 0x80, false, false}, {512, false, false}};
    for (const auto& c : cases) {
        group.SetKind(c.kind);
        EXPECT_EQ(group.IsRoom(), c.isRoom) << c.kind;
        EXPECT_EQ(group.IsCorridor(), c.isCorridor) << c.kind;
    }
}

TEST(ZrKindTest, TransformsKeepTheirBits)
{
    // The auditorium place is 2049 after normalising, whatever bits 5-7 say.
    EXPECT_EQ(ZrNormalisePlaceKind(0x08E1), 2049u);
    EXPECT_EQ(ZrNormalisePlaceKind(0x0882), 0x0802u);
    EXPECT_EQ(ZrNormalisePlaceKind(0x0121), 0x0121u);
    EXPECT_EQ(ZrNormalisePersonKind(0x01A1), 0x0121u);
    EXPECT_EQ(ZrNormalisePersonKind(0x0121), 0x0121u);
    EXPECT_EQ(ZrKindLow7(0x0882), 0x0802u);
    EXPECT_EQ(ZrKindSetBit7(0x0100), 0x0180u);
    EXPECT_EQ(ZrKindForOwner(0x100, 7, 7), 0x180u);
    EXPECT_EQ(ZrKindForOwner(0x100, 7, 8), 0x100u);
    // Identifier 0 is nobody, even before the local user has one.
    EXPECT_EQ(ZrKindForOwner(0x100, 0, 0), 0x100u);
}

} // namespace
