#include <gtest/gtest.h>

#include "ZoneTracker.h"

namespace {

bool Repaints(const ZoneRepaint& repaint, int zone) { return repaint.first == zone || repaint.second == zone; }

}  // namespace

TEST(ZoneTracker, MovingBetweenZonesRepaintsBothAndOutsideStoresMinusOne)
{
    CZoneTracker tracker;
    ZoneRepaint repaint = tracker.Move(ZONE_INSTALL);
    EXPECT_EQ(ZONE_INSTALL, tracker.HoverZone());
    EXPECT_TRUE(Repaints(repaint, ZONE_INSTALL));

    repaint = tracker.Move(ZONE_LOCATION);
    EXPECT_TRUE(Repaints(repaint, ZONE_INSTALL));
    EXPECT_TRUE(Repaints(repaint, ZONE_LOCATION));

    repaint = tracker.Move(ZONE_NONE);
    EXPECT_EQ(kZoneOutside, tracker.HoverZone());
    EXPECT_TRUE(Repaints(repaint, ZONE_LOCATION));

    // No change, no repaint.
    repaint = tracker.Move(ZONE_NONE);
    EXPECT_EQ(ZONE_NONE, repaint.first);
    EXPECT_EQ(ZONE_NONE, repaint.second);
}

TEST(ZoneTracker, PressAndReleaseOnOneZoneClicksIt)
{
    CZoneTracker tracker;
    tracker.Move(ZONE_PERMISSION_TOGGLE);
    tracker.Press(false);
    EXPECT_EQ(ZONE_PERMISSION_TOGGLE, tracker.PressedZone());
    int clicked = -5;
    const ZoneRepaint repaint = tracker.Release(clicked);
    EXPECT_EQ(ZONE_PERMISSION_TOGGLE, clicked);
    EXPECT_EQ(ZONE_NONE, tracker.PressedZone());
    EXPECT_TRUE(Repaints(repaint, ZONE_PERMISSION_TOGGLE));
}

TEST(ZoneTracker, PressOnOneZoneAndReleaseOnAnotherOnlyRepaintsBoth)
{
    CZoneTracker tracker;
    tracker.Move(ZONE_LOCATION);
    tracker.Press(true);
    tracker.Move(ZONE_INSTALL);
    int clicked = -5;
    const ZoneRepaint repaint = tracker.Release(clicked);
    EXPECT_EQ(ZONE_NONE, clicked);
    EXPECT_TRUE(Repaints(repaint, ZONE_LOCATION));
    EXPECT_TRUE(Repaints(repaint, ZONE_INSTALL));
}

TEST(ZoneTracker, DisabledInstallTakesNoPressSoTheReleaseDoesNothing)
{
    CZoneTracker tracker;
    tracker.Move(ZONE_INSTALL);
    const ZoneRepaint pressed = tracker.Press(false);
    EXPECT_EQ(ZONE_NONE, tracker.PressedZone());
    EXPECT_EQ(ZONE_NONE, pressed.first);
    int clicked = -5;
    tracker.Release(clicked);
    EXPECT_EQ(ZONE_NONE, clicked);

    tracker.Press(true);
    tracker.Release(clicked);
    EXPECT_EQ(ZONE_INSTALL, clicked);
}

TEST(ZoneTracker, DoubleClickActsOnce)
{
    // The second press arrives as a double-click message, which presses nothing.
    CZoneTracker tracker;
    tracker.Move(ZONE_COMPANION);
    int clicks = 0, clicked = 0;
    tracker.Press(true);
    tracker.Release(clicked);
    clicks += clicked == ZONE_COMPANION;
    tracker.Release(clicked);
    clicks += clicked == ZONE_COMPANION;
    EXPECT_EQ(1, clicks);
}

TEST(ZoneTracker, LeavingTheWindowForgetsHoverAndPress)
{
    CZoneTracker tracker;
    tracker.Move(ZONE_LOCATION);
    tracker.Press(true);
    const ZoneRepaint repaint = tracker.Leave();
    EXPECT_TRUE(Repaints(repaint, ZONE_LOCATION));
    EXPECT_EQ(ZONE_NONE, tracker.HoverZone());
    EXPECT_EQ(ZONE_NONE, tracker.PressedZone());
    tracker.Move(ZONE_LOCATION);
    int clicked = -5;
    tracker.Release(clicked);
    EXPECT_EQ(ZONE_NONE, clicked);
}

TEST(ZoneTracker, PressOutsideEveryZoneRecordsNothing)
{
    CZoneTracker tracker;
    tracker.Move(ZONE_NONE);
    tracker.Press(true);
    EXPECT_EQ(ZONE_NONE, tracker.PressedZone());
}
