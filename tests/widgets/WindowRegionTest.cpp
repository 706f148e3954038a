#include <gtest/gtest.h>

#include "WindowRegion.h"

namespace {

bool In(const CScopedRegion& region, int x, int y)
{
    return ::PtInRegion(region.Get(), x, y) != FALSE;
}

}  // namespace

TEST(CreateRoundedRegion, EachCornerLosesThreeTwoAndOnePixels)
{
    const int w = 386, h = 160;
    const CScopedRegion region = CreateRoundedRegion(w, h);
    ASSERT_TRUE(region);
    // (dx, dy) from the corner inwards: kept and cut pixels of the staircase.
    const struct {
        int dx, dy;
        bool inside;
    } pattern[] = {
        {3, 0, true}, {2, 1, true}, {1, 2, true}, {0, 3, true},
        {2, 0, false}, {1, 1, false}, {0, 2, false}, {0, 0, false}, {1, 0, false}, {0, 1, false},
    };
    for (const auto& p : pattern) {
        EXPECT_EQ(p.inside, In(region, p.dx, p.dy)) << "top-left " << p.dx << "," << p.dy;
        EXPECT_EQ(p.inside, In(region, w - 1 - p.dx, p.dy)) << "top-right " << p.dx << "," << p.dy;
        EXPECT_EQ(p.inside, In(region, p.dx, h - 1 - p.dy)) << "bottom-left " << p.dx << "," << p.dy;
        EXPECT_EQ(p.inside, In(region, w - 1 - p.dx, h - 1 - p.dy)) << "bottom-right " << p.dx << "," << p.dy;
    }
    EXPECT_TRUE(In(region, w / 2, 0));
    EXPECT_TRUE(In(region, 0, h / 2));
    EXPECT_TRUE(In(region, w - 1, h / 2));
    EXPECT_FALSE(In(region, w, h / 2));
    EXPECT_FALSE(In(region, w / 2, h));

    RECT bounds{};
    ::GetRgnBox(region.Get(), &bounds);
    EXPECT_EQ(0, bounds.left);
    EXPECT_EQ(0, bounds.top);
    EXPECT_EQ(w, bounds.right);
    EXPECT_EQ(h, bounds.bottom);
}

TEST(CreateRoundedRegion, TinyWindowNeverGrowsPastItsRectangle)
{
    for (int size : {1, 2, 4, 5}) {
        const CScopedRegion region = CreateRoundedRegion(size, size);
        ASSERT_TRUE(region);
        RECT bounds{};
        if (::GetRgnBox(region.Get(), &bounds) != NULLREGION) {
            EXPECT_LE(0, bounds.left) << size;
            EXPECT_LE(0, bounds.top) << size;
            EXPECT_GE(size, bounds.right) << size;
            EXPECT_GE(size, bounds.bottom) << size;
        }
    }
}

TEST(CreateRoundedRegion, LargerScalesCutLongerStaircases)
{
    const int w = 772, h = 320, steps = 6;  // 200 %
    const CScopedRegion region = CreateRoundedRegion(w, h, steps);
    ASSERT_TRUE(region);
    for (int row = 0; row < steps + 1; ++row) {
        const int cut = row < steps ? steps - row : 0;
        EXPECT_EQ(cut == 0, In(region, 0, row)) << row;
        EXPECT_TRUE(In(region, cut, row)) << row;
        if (cut > 0) EXPECT_FALSE(In(region, cut - 1, row)) << row;
        EXPECT_TRUE(In(region, w - 1 - cut, h - 1 - row)) << row;
        if (cut > 0) EXPECT_FALSE(In(region, w - cut, h - 1 - row)) << row;
    }
}
