#include <gtest/gtest.h>

#include "DisplayScale.h"
#include "WindowZones.h"

TEST(DisplayScale, LengthsRoundHalvesUpAndOddDpisReadAsTheBase)
{
    const DisplayScale s125 = DisplayScale::ForDpi(120), s150 = DisplayScale::ForDpi(144);
    EXPECT_EQ(26, s125.Px(21));  // 26.25
    EXPECT_EQ(23, s125.Px(18));  // 22.5
    EXPECT_EQ(32, s150.Px(21));  // 31.5
    EXPECT_EQ(2, s150.Px(1));
    EXPECT_EQ(-2, s150.Px(-1));
    EXPECT_EQ(772, DisplayScale::ForDpi(192).Px(386));
    const BoxRect box = s150.Box(BoxRect{9, 35, 70, 70});
    EXPECT_EQ((BoxRect{14, 53, 105, 105}), box);
    for (const int odd : {0, -96, 96 * 21}) EXPECT_TRUE(DisplayScale::ForDpi(odd).IsBase()) << odd;
    EXPECT_FLOAT_EQ(18.0f, s150.Size(12.0f));
}

TEST(DisplayScale, ImagesComeFromTheNearestSetAtOrAbove)
{
    const struct {
        int dpi, percent;
    } cases[] = {{96, 100}, {97, 125}, {120, 125}, {144, 150}, {168, 200}, {192, 200}, {288, 200}};
    for (const auto& c : cases) EXPECT_EQ(c.percent, ImageSetPercentFor(DisplayScale::ForDpi(c.dpi))) << c.dpi;
}

TEST(DisplayScale, ZonesCloseButtonAndTitleStripScaleTogether)
{
    const DisplayScale s200 = DisplayScale::ForDpi(192);
    const ZoneRects zones = ZoneRects::Fixed(s200);
    EXPECT_EQ((BoxRect{616, 256, 134, 44}), zones.install);
    // The Install button's far corner is inside at 200 %, where at 96 dpi it was outside.
    EXPECT_EQ(ZONE_INSTALL, HitTestZone(zones, false, 749, 299));
    EXPECT_EQ(ZONE_NONE, HitTestZone(zones, false, 750, 299));
    EXPECT_EQ(ZONE_LOCATION, HitTestZone(zones, false, 640, 150));
    EXPECT_EQ(ZONE_NONE, HitTestZone(ZoneRects::Fixed(), false, 640, 150));

    EXPECT_EQ((BoxRect{772 - 52, 8, 42, 40}), CloseButtonRect(772, s200));
    EXPECT_EQ(kHitClose, NonClientHitTest(772, 721, 9, 109, 100, s200));
    // The strip is 54 rows at 200 %.
    EXPECT_EQ(kHitCaption, NonClientHitTest(772, 100, 53, 153, 100, s200));
    EXPECT_EQ(kHitClient, NonClientHitTest(772, 100, 54, 154, 100, s200));
}
