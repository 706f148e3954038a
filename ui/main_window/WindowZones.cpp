#include "WindowZones.h"

#include "WindowStyle.h"

ZoneRects ZoneRects::Fixed(const DisplayScale& scale)
{
    return ZoneRects{scale.Box(kInstallRect), scale.Box(kCompanionRect), scale.Box(kPermissionToggleRect),
                     scale.Box(kLocationRect)};
}

BoxRect ZoneRects::Of(int zone) const
{
    switch (zone) {
    case ZONE_INSTALL:
    case ZONE_RETRY:
    case ZONE_OPEN: return install;
    case ZONE_COMPANION: return companion;
    case ZONE_PERMISSION_TOGGLE: return permissionToggle;
    case ZONE_LOCATION: return location;
    case ZONE_PHONE: return phone;
    default: return BoxRect{};
    }
}

int HitTestZone(const ZoneRects& zones, bool outcomeShown, int x, int y)
{
    return HitTestZoneOffering(zones, outcomeShown ? ZONE_COMPANION : ZONE_INSTALL, x, y);
}

int HitTestZoneOffering(const ZoneRects& zones, int offeredButton, int x, int y)
{
    if (offeredButton != ZONE_NONE && zones.Of(offeredButton).Contains(x, y)) return offeredButton;
    if (zones.permissionToggle.Contains(x, y)) return ZONE_PERMISSION_TOGGLE;
    if (zones.location.Contains(x, y)) return ZONE_LOCATION;
    if (zones.phone.Contains(x, y)) return ZONE_PHONE;
    return ZONE_NONE;
}

int OfferedButton(bool outcomeShown, int state, bool companionBeside, bool canOpen)
{
    if (!outcomeShown) return ZONE_INSTALL;
    if (state == STATE_SUCCEEDED) {
        if (canOpen) return ZONE_OPEN;
        return companionBeside ? ZONE_COMPANION : ZONE_NONE;
    }
    return companionBeside ? ZONE_COMPANION : ZONE_RETRY;
}

BoxRect CloseButtonRect(int clientWidth, const DisplayScale& scale)
{
    return BoxRect{clientWidth - scale.Px(26), scale.Px(4), scale.Px(21), scale.Px(20)};
}

int NonClientHitTest(int clientWidth, int clientX, int clientY, int screenY, int windowTop, const DisplayScale& scale)
{
    if (CloseButtonRect(clientWidth, scale).Contains(clientX, clientY)) return kHitClose;
    if (screenY <= windowTop + scale.Px(kTitleStripRows) - 1) return kHitCaption;
    return kHitClient;
}
