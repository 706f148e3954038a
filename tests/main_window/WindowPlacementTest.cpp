#include <gtest/gtest.h>

#include "WindowPlacement.h"

TEST(CentreOnWorkArea, CentresWithHalvesTruncated)
{
    const ScreenPoint at = CentreOnWorkArea(ScreenEdges{0, 0, 1280, 1024}, 386, 160);
    EXPECT_EQ(640 - 193, at.x);
    EXPECT_EQ(512 - 80, at.y);
    const ScreenPoint odd = CentreOnWorkArea(ScreenEdges{0, 0, 1281, 1023}, 387, 161);
    EXPECT_EQ(640 - 193, odd.x);
    EXPECT_EQ(511 - 80, odd.y);
}

TEST(CentreOnWorkArea, SecondMonitorLeftOfThePrimaryAndBelowATaskbarAtTheTop)
{
    const ScreenPoint at = CentreOnWorkArea(ScreenEdges{-1920, 40, 0, 1080}, 386, 160);
    EXPECT_EQ(-960 - 193, at.x);
    EXPECT_EQ(560 - 80, at.y);
}

TEST(CentreOnWorkArea, WindowLargerThanTheWorkAreaKeepsItsTopLeftCornerOnIt)
{
    const ScreenPoint at = CentreOnWorkArea(ScreenEdges{100, 50, 400, 200}, 386, 347);
    EXPECT_EQ(100, at.x);
    EXPECT_EQ(50, at.y);
}

TEST(TopToFitHeight, MovesUpOnlyWhenTheGrownWindowWouldReachBelowTheWorkArea)
{
    const ScreenEdges work{0, 0, 1280, 1000};
    EXPECT_EQ(600, TopToFitHeight(work, 600, 347));
    EXPECT_EQ(653, TopToFitHeight(work, 653, 347));  // bottom exactly on the edge
    EXPECT_EQ(653, TopToFitHeight(work, 654, 347));
    EXPECT_EQ(653, TopToFitHeight(work, 900, 347));  // top 100 pixels above the bottom
}
