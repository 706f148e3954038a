#include "ZoneTracker.h"

ZoneRepaint CZoneTracker::Move(int zone)
{
    const int hover = zone == ZONE_NONE ? kZoneOutside : zone;
    if (hover == m_nHoverZone) return ZoneRepaint{};
    const ZoneRepaint repaint{m_nHoverZone, hover};
    m_nHoverZone = hover;
    return repaint;
}

ZoneRepaint CZoneTracker::Leave()
{
    if (m_nHoverZone == ZONE_NONE) return ZoneRepaint{};
    const ZoneRepaint repaint{m_nHoverZone, ZONE_NONE};
    m_nHoverZone = ZONE_NONE;
    m_nPressedZone = ZONE_NONE;
    return repaint;
}

ZoneRepaint CZoneTracker::Press(bool installEnabled)
{
    switch (m_nHoverZone) {
    case ZONE_INSTALL:
        if (!installEnabled) return ZoneRepaint{};
        break;
    case ZONE_COMPANION:
    case ZONE_RETRY:
    case ZONE_OPEN:
    case ZONE_PERMISSION_TOGGLE:
    case ZONE_LOCATION:
    case ZONE_PHONE: break;
    default: return ZoneRepaint{};
    }
    m_nPressedZone = m_nHoverZone;
    return ZoneRepaint{m_nPressedZone, ZONE_NONE};
}

ZoneRepaint CZoneTracker::Release(int& clicked)
{
    const int pressed = m_nPressedZone;
    m_nPressedZone = ZONE_NONE;
    clicked = (pressed != ZONE_NONE && pressed == m_nHoverZone) ? pressed : ZONE_NONE;
    return ZoneRepaint{pressed, m_nHoverZone};
}
