#include <gtest/gtest.h>

#include "WindowStyle.h"
#include "WindowZones.h"

TEST(HitTestZone, EdgesOfEachZoneAreInsideOnTheLeftAndTopOnly)
{
    const ZoneRects zones = ZoneRects::Fixed();
    EXPECT_EQ(ZONE_INSTALL, HitTestZone(zones, false, 308, 128));
    EXPECT_EQ(ZONE_INSTALL, HitTestZone(zones, false, 374, 149));
    EXPECT_EQ(ZONE_NONE, HitTestZone(zones, false, 375, 149));
    EXPECT_EQ(ZONE_NONE, HitTestZone(zones, false, 374, 150));
    EXPECT_EQ(ZONE_PERMISSION_TOGGLE, HitTestZone(zones, false, 14, 135));
    EXPECT_EQ(ZONE_NONE, HitTestZone(zones, false, 79, 140));
    EXPECT_EQ(ZONE_LOCATION, HitTestZone(zones, false, 372, 92));
    EXPECT_EQ(ZONE_NONE, HitTestZone(zones, false, 316, 80));
}

TEST(HitTestZone, OutcomeDecidesWhichOfTheOverlappingButtonsExists)
{
    const ZoneRects zones = ZoneRects::Fixed();
    // Inside both rectangles.
    EXPECT_EQ(ZONE_INSTALL, HitTestZone(zones, false, 320, 140));
    EXPECT_EQ(ZONE_COMPANION, HitTestZone(zones, true, 320, 140));
    // Only the companion button reaches this far left and one row lower.
    EXPECT_EQ(ZONE_NONE, HitTestZone(zones, false, 270, 140));
    EXPECT_EQ(ZONE_COMPANION, HitTestZone(zones, true, 270, 150));
    EXPECT_EQ(ZONE_NONE, HitTestZone(zones, false, 320, 150));
}

TEST(OfferedButton, NoOutcomeLeavesTheUserWithoutAWayOn)
{
    EXPECT_EQ(ZONE_INSTALL, OfferedButton(false, STATE_FAILED, true, true));  // no usable phone
    EXPECT_EQ(ZONE_COMPANION, OfferedButton(true, STATE_FAILED, true, false));
    EXPECT_EQ(ZONE_RETRY, OfferedButton(true, STATE_FAILED, false, false));
    EXPECT_EQ(ZONE_OPEN, OfferedButton(true, STATE_SUCCEEDED, true, true));
    EXPECT_EQ(ZONE_COMPANION, OfferedButton(true, STATE_SUCCEEDED, true, false));
    EXPECT_EQ(ZONE_NONE, OfferedButton(true, STATE_SUCCEEDED, false, false));

    // Retry and open are hit where Install is; with nothing offered only the toggle and
    // the selector remain.
    const ZoneRects zones = ZoneRects::Fixed();
    EXPECT_EQ(ZONE_RETRY, HitTestZoneOffering(zones, ZONE_RETRY, 308, 128));
    EXPECT_EQ(ZONE_NONE, HitTestZoneOffering(zones, ZONE_RETRY, 270, 140));
    EXPECT_EQ(ZONE_OPEN, HitTestZoneOffering(zones, ZONE_OPEN, 374, 149));
    EXPECT_EQ(ZONE_NONE, HitTestZoneOffering(zones, ZONE_NONE, 320, 140));
    EXPECT_EQ(ZONE_PERMISSION_TOGGLE, HitTestZoneOffering(zones, ZONE_NONE, 14, 135));
}

TEST(HitTestZone, RectanglesAreEmptyUntilTheFirstSizeChange)
{
    const ZoneRects none;
    EXPECT_EQ(ZONE_NONE, HitTestZone(none, false, 320, 140));
    EXPECT_EQ(ZONE_NONE, HitTestZone(none, false, 20, 140));
    EXPECT_TRUE(none.Of(ZONE_INSTALL).IsEmpty());
    EXPECT_TRUE(ZoneRects::Fixed().Of(8).IsEmpty());
    EXPECT_TRUE(ZoneRects::Fixed().Of(kZoneOutside).IsEmpty());
}

TEST(NonClientHitTest, CloseButtonThenTitleStripThenClient)
{
    // The close button: x from width - 26 to width - 6, y from 4 to 23.
    EXPECT_EQ(kHitClose, NonClientHitTest(386, 360, 4, 104, 100));
    EXPECT_EQ(kHitClose, NonClientHitTest(386, 380, 23, 123, 100));
    EXPECT_EQ(kHitCaption, NonClientHitTest(386, 381, 10, 110, 100));
    EXPECT_EQ(kHitCaption, NonClientHitTest(386, 359, 10, 110, 100));
    EXPECT_EQ(kHitCaption, NonClientHitTest(386, 360, 24, 124, 100));
    // The strip is the top 27 rows: screen y up to top + 26.
    EXPECT_EQ(kHitCaption, NonClientHitTest(386, 100, 26, 126, 100));
    EXPECT_EQ(kHitClient, NonClientHitTest(386, 100, 27, 127, 100));
    // The button follows the width.
    EXPECT_EQ(kHitClose, NonClientHitTest(500, 474, 10, 110, 100));
}
