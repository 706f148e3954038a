#include <gtest/gtest.h>

#include "CloseButtonTracker.h"

TEST(CloseButtonTracker, HoverPressAndReleaseOnTheButtonCloses)
{
    CCloseButtonTracker button;
    EXPECT_EQ(0, button.Frame());
    EXPECT_TRUE(button.NcMove(kHitClose, false));
    EXPECT_EQ(1, button.Frame());
    bool changed = false;
    EXPECT_TRUE(button.NcPress(kHitClose, changed));
    EXPECT_TRUE(changed);
    EXPECT_EQ(2, button.Frame());
    EXPECT_TRUE(button.NcRelease(kHitClose));
    EXPECT_EQ(CCloseButtonTracker::kNone, button.PressedHit());
    EXPECT_EQ(CCloseButtonTracker::kNone, button.HoverHit());
}

TEST(CloseButtonTracker, PressThenMoveOffInTheNonClientAreaAndReleaseStaysOpen)
{
    CCloseButtonTracker button;
    button.NcMove(kHitClose, false);
    bool changed = false;
    button.NcPress(kHitClose, changed);
    EXPECT_TRUE(button.NcMove(kHitCaption, true));
    EXPECT_EQ(0, button.Frame());  // pressed elsewhere: the normal look
    EXPECT_FALSE(button.NcRelease(kHitCaption));
    EXPECT_EQ(CCloseButtonTracker::kNone, button.PressedHit());
    EXPECT_EQ(CCloseButtonTracker::kNone, button.HoverHit());
}

TEST(CloseButtonTracker, CaptionDragReleasedOverTheButtonDoesNotClose)
{
    CCloseButtonTracker button;
    bool changed = false;
    EXPECT_FALSE(button.NcPress(kHitCaption, changed));
    button.NcMove(kHitClose, true);
    EXPECT_FALSE(button.NcRelease(kHitClose));
}

TEST(CloseButtonTracker, PressWithoutAPriorMoveStillCloses)
{
    CCloseButtonTracker button;
    bool changed = false;
    button.NcPress(kHitClose, changed);
    EXPECT_EQ(2, button.Frame());
    EXPECT_TRUE(button.NcRelease(kHitClose));
}

TEST(CloseButtonTracker, ReleaseElsewhereIsForgottenOnceTheButtonIsSeenUp)
{
    // The release happened outside the window, so no message told us.
    CCloseButtonTracker button;
    bool changed = false;
    button.NcPress(kHitClose, changed);
    button.PointerAway();
    button.NcMove(kHitClose, false);
    EXPECT_EQ(1, button.Frame());  // hover, not pressed
    EXPECT_FALSE(button.NcRelease(kHitClose));
}

TEST(CloseButtonTracker, LeavingForTheClientAreaDropsTheHoverLook)
{
    CCloseButtonTracker button;
    button.NcMove(kHitClose, false);
    EXPECT_TRUE(button.PointerAway());
    EXPECT_EQ(0, button.Frame());
    EXPECT_FALSE(button.PointerAway());
}

TEST(CloseButtonTracker, ClientPressForgetsAnEarlierPressOnTheButton)
{
    CCloseButtonTracker button;
    bool changed = false;
    button.NcPress(kHitClose, changed);
    button.PointerAway();
    button.ClientButton();
    button.NcMove(kHitClose, true);
    EXPECT_EQ(1, button.Frame());
    EXPECT_FALSE(button.NcRelease(kHitClose));
}
