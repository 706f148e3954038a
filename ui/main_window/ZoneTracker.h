// Pointer feedback and clicks on the drawn zones. A click is a release over the zone that
// was pressed, matched through the hover zone of the last pointer move, so a press on one
// zone and a release on another does nothing, and the release after a double click (whose
// second press is a double-click message that records nothing) does nothing either.
#pragma once

#include "WindowZones.h"

// Zones whose rectangles must be repainted; values outside 1 to 7 mean nothing.
struct ZoneRepaint {
    int first = ZONE_NONE;
    int second = ZONE_NONE;
};

class CZoneTracker {
public:
    // The pointer is over this zone now (ZONE_NONE: over none of them).
    ZoneRepaint Move(int zone);
    // The pointer left the window: nothing is hovered or pressed any more.
    ZoneRepaint Leave();
    // The left button went down. The Install zone takes the press only while enabled.
    ZoneRepaint Press(bool installEnabled);
    // The left button came up. clicked receives the zone clicked, or ZONE_NONE.
    ZoneRepaint Release(int& clicked);

    int HoverZone() const { return m_nHoverZone; }
    int PressedZone() const { return m_nPressedZone; }

private:
    int m_nHoverZone = ZONE_NONE;
    int m_nPressedZone = ZONE_NONE;
};
