// Zoom steps: how many steps a zoom takes for its distance and speed, and
// the rectangles it passes through in either direction.
#include <gtest/gtest.h>

#include <vector>

#include "ZoomSteps.h"

namespace {

std::vector<ZoomRect> AllSteps(const CZoomSteps& zoom)
{
    std::vector<ZoomRect> steps;
    for (int32_t k = 0; auto rect = zoom.StepRect(k); ++k) steps.push_back(*rect);
    return steps;
}

TEST(ZoomSteps, StepCountFollowsDistanceAndSpeed)
{
    struct Case {
        ZoomRect start;
        ZoomRect end;
        int32_t speed;
        int32_t count;
    };
    const Case cases[] = {
        {{0, 0, 10, 10}, {10, 0, 20, 10}, 60, 2},      // 10 px: below two becomes two
        {{0, 0, 10, 10}, {0, 0, 10, 10}, 60, 2},       // no travel at all
        {{0, 0, 10, 10}, {300, 400, 310, 410}, 60, 8}, // 500 px / 60
        {{0, 0, 10, 10}, {300, 400, 310, 410}, 20, 25},
        {{300, 400, 310, 410}, {0, 0, 10, 10}, 30, 16}, // backwards as far
        {{0, 0, 10, 10}, {300, 400, 310, 410}, 0, 500}, // no speed counts as 1
    };
    for (const Case& c : cases) {
        CZoomSteps zoom;
        zoom.Setup(c.start, c.end, 1, 1, 1, c.speed);
        EXPECT_EQ(zoom.Count(), c.count) << c.end.left << "," << c.end.top << " speed " << c.speed;
    }
}

TEST(ZoomSteps, TenPixelsApartGiveStartOneBetweenAndEnd)
{
    CZoomSteps zoom;
    const ZoomRect start{100, 100, 110, 120};
    const ZoomRect end{110, 100, 150, 160};
    zoom.Setup(start, end, 1, CZoomSteps::SignTowards(100, 110), CZoomSteps::SignTowards(100, 100), 60);
    const std::vector<ZoomRect> steps = AllSteps(zoom);
    ASSERT_EQ(steps.size(), 3u);
    EXPECT_EQ(steps[0], start);
    // increments 10/3 left, 30/3 width, 40/3 height
    EXPECT_EQ(steps[1], (ZoomRect{103, 100, 103 + 10 + 10, 100 + 20 + 13}));
    EXPECT_EQ(steps[2], end);
    EXPECT_FALSE(zoom.StepRect(3).has_value());
    EXPECT_FALSE(zoom.StepRect(-1).has_value());
}

TEST(ZoomSteps, ShrinkingTowardsTheTopLeftMovesAndShrinksEveryStep)
{
    // A window zooming into a small indicator above and to its left.
    const ZoomRect start{400, 300, 600, 450};
    const ZoomRect end{10, 5, 30, 25};
    CZoomSteps zoom;
    zoom.Setup(start, end, -1, CZoomSteps::SignTowards(start.left, end.left),
               CZoomSteps::SignTowards(start.top, end.top), 20);
    const std::vector<ZoomRect> steps = AllSteps(zoom);
    ASSERT_EQ(static_cast<int32_t>(steps.size()), zoom.Count() + 1);
    for (size_t k = 1; k + 1 < steps.size(); ++k) {
        EXPECT_LT(steps[k].left, steps[k - 1].left) << k;
        EXPECT_LT(steps[k].top, steps[k - 1].top) << k;
        EXPECT_LT(steps[k].Width(), steps[k - 1].Width()) << k;
        EXPECT_LT(steps[k].Height(), steps[k - 1].Height()) << k;
        // the outline never overshoots the end
        EXPECT_GT(steps[k].left, end.left) << k;
        EXPECT_GT(steps[k].Width(), end.Width()) << k;
    }
    EXPECT_EQ(steps.back(), end);
}

TEST(ZoomSteps, SignTowardsComparesLeftOrTop)
{
    EXPECT_EQ(CZoomSteps::SignTowards(1, 2), 1);
    EXPECT_EQ(CZoomSteps::SignTowards(2, 1), -1);
    EXPECT_EQ(CZoomSteps::SignTowards(2, 2), -1);
}

}  // namespace
