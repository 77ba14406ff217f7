#include <gtest/gtest.h>

#include "AvatarPlacement.h"
#include "GroupLayout.h"

namespace {

TEST(SeatRowCell, SharesTheRowOutInThirds)
{
    struct Case {
        int32_t rowWidth;
        uint16_t seats;
        int32_t width, height;
    };
    const Case cases[] = {
        {200, 5, 39, 52},  // 40 lowered to 39, 39 / 3 x 4
        {300, 5, 48, 64},  // 60 capped at 48
        {100, 10, 9, 12},  // 10 lowered to 9
        {2, 5, 0, 0},      // narrower than the seats
        {-50, 5, 0, 0},    // no width at all
    };
    for (const Case& c : cases) {
        const AvatarExtent cell = SeatRowCell(c.rowWidth, c.seats, {24, 32});
        EXPECT_EQ(cell.width, c.width) << c.rowWidth << "/" << c.seats;
        EXPECT_EQ(cell.height, c.height) << c.rowWidth << "/" << c.seats;
    }
    // A row whose seat count the server left at 0 keeps its cell.
    const AvatarExtent kept = SeatRowCell(200, 0, {24, 32});
    EXPECT_EQ(kept.width, 24);
    EXPECT_EQ(kept.height, 32);
}

TEST(SeatRowCell, SeatsAndPointsMeetInTheSameCells)
{
    const int32_t origin = 5;
    const int32_t cell = 39;
    EXPECT_EQ(SeatCellPosition(0, origin, cell).x, -1);
    EXPECT_EQ(SeatCellPosition(0, origin, cell).y, -1);
    EXPECT_EQ(SeatCellPosition(-3, origin, cell).x, -1);
    for (int32_t seat = 1; seat <= 5; ++seat) {
        const AvatarPoint at = SeatCellPosition(seat, origin, cell);
        EXPECT_EQ(at.x, origin + (seat - 1) * cell);
        EXPECT_EQ(at.y, 0);
        // Both edges of the cell name the seat.
        EXPECT_EQ(SeatUnder(at.x, origin, cell), seat);
        EXPECT_EQ(SeatUnder(at.x + cell - 1, origin, cell), seat);
    }
    EXPECT_EQ(SeatUnder(origin - 1, origin, cell), 0);
    EXPECT_EQ(SeatUnder(50, origin, 0), 0);
}

TEST(TourMemberOffset, GuideFirstThenColumnsToItsRight)
{
    const AvatarExtent cell{24, 32};
    struct Case {
        int32_t index, columns;
        int32_t x, y;
    };
    const Case cases[] = {
        {1, 3, 0, 0},     // the guide
        {2, 3, 24, 0},    // member 2 at (cell width, 0)
        {4, 3, 72, 0},
        {5, 3, 24, 32},   // with 3 columns member 5 at (cell width, cell height)
        {8, 3, 24, 64},
        {3, 0, 24, 32},   // no columns: one column
        {0, 3, 0, 0},     // not a child
    };
    for (const Case& c : cases) {
        const AvatarPoint at = TourMemberOffset(c.index, c.columns, cell);
        EXPECT_EQ(at.x, c.x) << c.index << " of " << c.columns;
        EXPECT_EQ(at.y, c.y) << c.index << " of " << c.columns;
    }
}

TEST(SideBySideGroup, TwoAvatarsAndABorder)
{
    const AvatarExtent avatar{36, 48};
    const AvatarExtent size = SideBySideGroupSize(avatar);
    EXPECT_EQ(size.width, 74);
    EXPECT_EQ(size.height, 50);
    EXPECT_EQ(SideBySideMemberOffset(1, avatar).x, 0);
    EXPECT_EQ(SideBySideMemberOffset(2, avatar).x, 36);
    EXPECT_EQ(SideBySideMemberOffset(2, avatar).y, 0);
}

TEST(GameBoardSize, CappedThenScaledForTheAvatarSize)
{
    struct Case {
        AvatarExtent base;
        bool big, option, oneSeat;
        int32_t width, height;
    };
    const Case cases[] = {
        {{144, 64}, true, true, false, 146, 66},    // the default board, big avatars
        {{144, 64}, false, true, false, 108, 48},   // x 0.75
        {{400, 100}, true, false, false, 152, 102}, // capped at 150
        {{1, 400}, false, false, false, 112, 112},  // below 2: 150 x 150, then 0.75
        {{144, 64}, true, false, true, 48, 64},     // one seat, option off
        {{144, 64}, false, true, true, 108, 48},    // one seat, option on
    };
    for (const Case& c : cases) {
        const AvatarExtent board = GameBoardSize(c.base, c.big, c.option, c.oneSeat);
        EXPECT_EQ(board.width, c.width) << c.base.width << "x" << c.base.height;
        EXPECT_EQ(board.height, c.height) << c.base.width << "x" << c.base.height;
    }
}

TEST(AvatarFlipToggled, TurnsOneLetterOver)
{
    struct Case {
        const char* property;
        int32_t which;
        const char* result;
    };
    const Case cases[] = {
        {"NN", 0, "YN"}, {"YN", 0, "NN"}, {"NN", 1, "NY"}, {"YY", 1, "YN"},
        {"Y", 0, "YN"},   // "Y" alone counts as "NN"
        {"", 1, "NY"},    {"XN", 0, "NN"},  // anything but "N" becomes "N"
        {"NN", 2, "NN"},  // no third mirroring
    };
    for (const Case& c : cases)
        EXPECT_EQ(AvatarFlipToggled(c.property, c.which), c.result) << c.property << " " << c.which;
}

}  // namespace
