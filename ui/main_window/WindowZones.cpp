#include "WindowZones.h"

BoxRect ZoneRects::Of(int zone) const
{
    switch (zone) {
    case ZONE_INSTALL: return install;
    case ZONE_COMPANION: return companion;
    case ZONE_PERMISSION_TOGGLE: return permissionToggle;
    case ZONE_LOCATION: return location;
    case ZONE_PHONE: return phone;
    default: return BoxRect{};
    }
}

int HitTestZone(const ZoneRects& zones, bool outcomeShown, int x, int y)
{
    if (!outcomeShown && zones.install.Contains(x, y)) return ZONE_INSTALL;
    if (outcomeShown && zones.companion.Contains(x, y)) return ZONE_COMPANION;
    if (zones.permissionToggle.Contains(x, y)) return ZONE_PERMISSION_TOGGLE;
    if (zones.location.Contains(x, y)) return ZONE_LOCATION;
    if (zones.phone.Contains(x, y)) return ZONE_PHONE;
    return ZONE_NONE;
}

BoxRect CloseButtonRect(int clientWidth) { return BoxRect{clientWidth - 26, 4, 21, 20}; }

int NonClientHitTest(int clientWidth, int clientX, int clientY, int screenY, int windowTop)
{
    if (CloseButtonRect(clientWidth).Contains(clientX, clientY)) return kHitClose;
    if (screenY <= windowTop + kTitleStripRows - 1) return kHitCaption;
    return kHitClient;
}
