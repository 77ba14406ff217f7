// Gallery layout: the grid's columns and rows for the number of files, the
// cells, rectangles and window size that follow, hit testing, the sorted
// order of item names and where the popup goes beside its button.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "GalleryLayout.h"

namespace {

TEST(GalleryLayout, ColumnsAndRowsForTheItemCount)
{
    struct Case {
        size_t items;
        int32_t columns;
        int32_t rows;
    };
    const Case cases[] = {{0, 4, 0}, {1, 4, 1}, {4, 4, 1}, {10, 4, 3}, {16, 4, 4},
                          {25, 5, 5}, {30, 5, 6}, {36, 6, 6}, {37, 6, 7}};
    for (const Case& c : cases) {
        CGalleryLayout layout;
        layout.Lay(c.items);
        EXPECT_EQ(layout.Columns(), c.columns) << c.items;
        EXPECT_EQ(layout.Rows(), c.rows) << c.items;
    }
}

TEST(GalleryLayout, RectanglesAndWindowSize)
{
    CGalleryLayout layout;
    layout.Lay(10);
    EXPECT_EQ(layout.GridRect(), (GalleryRect{4, 4, 4 + 92, 4 + 69}));
    EXPECT_EQ(layout.StatusRect(), (GalleryRect{4, 69 + 7, 92 + 3, 69 + 26}));
    EXPECT_EQ(layout.WindowWidth(1), 92 + 8 + 2);
    EXPECT_EQ(layout.WindowHeight(1), 69 + 31 + 2);
    EXPECT_EQ(layout.CellRect(5), (GalleryRect{4 + 23, 4 + 23, 4 + 46, 4 + 46}));
    EXPECT_EQ(layout.CellRect(10), GalleryRect{});

    CGalleryLayout empty;
    empty.Lay(0);
    EXPECT_EQ(empty.GridRect(), (GalleryRect{4, 4, 96, 4}));
    EXPECT_EQ(empty.ItemAtPoint(10, 4), -1);
}

TEST(GalleryLayout, PointsFallOnItemsEmptyCellsOrNothing)
{
    CGalleryLayout layout;
    layout.Lay(10);  // 4 x 3: cells 10 and 11 empty
    struct Case {
        int32_t x;
        int32_t y;
        int32_t item;
    };
    const Case cases[] = {
        {4, 4, 0},          {26, 26, 0},   {27, 4, 1},    {4 + 23 * 3 + 22, 4, 3},
        {4, 27, 4},         {30, 30, 5},   {4, 50, 8},    {50, 50, -1},  // cell 10 is empty
        {4 + 92, 4, -1},    {3, 10, -1},   {10, 3, -1},   {10, 4 + 69, -1},
    };
    for (const Case& c : cases) EXPECT_EQ(layout.ItemAtPoint(c.x, c.y), c.item) << c.x << "," << c.y;
}

TEST(GalleryLayout, AFileThatFailsLeavesAGap)
{
    CGalleryLayout layout;
    layout.Lay(6);
    layout.EmptyCellOf(2);
    EXPECT_EQ(layout.ItemAt(2, 0), -1);
    EXPECT_EQ(layout.ItemAt(3, 0), 3);  // the others keep their cells
    EXPECT_EQ(layout.ItemAt(1, 1), 5);
    EXPECT_EQ(layout.CellRect(2), GalleryRect{});
}

TEST(GalleryLayout, ItemNamesAndSortedInsertion)
{
    EXPECT_EQ(CGalleryLayout::ItemName("Wave.ZRA"), "wave");
    EXPECT_EQ(CGalleryLayout::ItemName("hug.zra"), "hug");
    EXPECT_EQ(CGalleryLayout::ItemName("zra"), "zra");

    std::vector<std::string> names;
    for (const char* file : {"wave.zra", "Hug.zra", "bow.zra", "wave2.zra", "hug.zra", "_x.zra"}) {
        const std::string name = CGalleryLayout::ItemName(file);
        names.insert(names.begin() + CGalleryLayout::InsertPosition(names, name), name);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"_x", "bow", "hug", "hug", "wave", "wave2"}));
}

TEST(GalleryLayout, PopupGoesWhereThereIsMoreRoom)
{
    const GalleryRect desktop{0, 0, 1000, 800};
    struct Case {
        GalleryRect anchor;
        int32_t x;
        int32_t y;
    };
    const Case cases[] = {
        {{100, 100, 150, 120}, 100, 120},  // room below and to the right
        {{100, 700, 150, 720}, 100, 600},  // more room above: bottom at the anchor's top
        {{900, 100, 950, 120}, 850, 120},  // more room to the left: right edges meet
        {{900, 700, 950, 720}, 850, 600},
        {{475, 390, 525, 410}, 425, 290},  // equal room: above and right-aligned
    };
    for (const Case& c : cases) {
        int32_t x = 0;
        int32_t y = 0;
        CGalleryLayout::PopupOrigin(c.anchor, desktop, 100, 100, x, y);
        EXPECT_EQ(x, c.x) << c.anchor.left << "," << c.anchor.top;
        EXPECT_EQ(y, c.y) << c.anchor.left << "," << c.anchor.top;
    }
}

}  // namespace
