// Where things are on the main window's surface, and what lies under a point. Pure data:
// the window code turns these into repaints and actions.
#pragma once

#include "BoxRect.h"
#include "DisplayScale.h"

// The window's two sizes at 96 dpi: the permission panel closed and open.
inline constexpr int kWindowWidth = 386;
inline constexpr int kCollapsedHeight = 160;
inline constexpr int kPanelOpenHeight = 347;

// Drawn click zones. ZONE_NONE also reads -1, which a pointer outside every zone stores.
enum : int {
    ZONE_NONE = 0,
    ZONE_INSTALL = 1,
    ZONE_COMPANION = 2,
    ZONE_PERMISSION_TOGGLE = 3,
    ZONE_LOCATION = 4,
    ZONE_PHONE = 5,  // the phone chooser, only while several phones are ready
    // Offered in the Install button's place once an outcome is shown: install the same
    // package again after a failure, open the installed app after a success.
    ZONE_RETRY = 6,
    ZONE_OPEN = 7,
};
inline constexpr int kZoneOutside = -1;

// The zones' rectangles at 96 dpi; constant, whatever the window's size.
inline constexpr BoxRect kInstallRect{308, 128, 67, 22};
inline constexpr BoxRect kCompanionRect{268, 128, 105, 23};
inline constexpr BoxRect kPermissionToggleRect{14, 135, 65, 17};
inline constexpr BoxRect kLocationRect{317, 72, 56, 21};
// The package's icon, fitted into this box.
inline constexpr BoxRect kIconBox{9, 35, 70, 70};
// The phone line, in the room below the package facts and left of the Install button; with
// several ready phones its name becomes a chooser drawn like the location selector.
inline constexpr BoxRect kPhoneLineRect{88, 117, 216, 40};
inline constexpr BoxRect kPhoneLabelRect{88, 128, 66, 21};
inline constexpr BoxRect kPhoneChoiceRect{154, 128, 136, 21};

// The rectangles as the window holds them: empty until its first size change.
struct ZoneRects {
    BoxRect install;
    BoxRect companion;
    BoxRect permissionToggle;
    BoxRect location;
    BoxRect phone;  // empty unless there is a phone to choose

    // The fixed zones in a scale's pixels; the phone chooser stays empty.
    static ZoneRects Fixed(const DisplayScale& scale = DisplayScale{});
    // The rectangle of zone 1 to 7 (retry and open lie where Install does); an empty one
    // for any other value.
    BoxRect Of(int zone) const;
};

// The zone at a client point: Install only while no outcome is shown, the companion
// button only while one is, then the permission toggle, the location selector, the phone
// chooser.
int HitTestZone(const ZoneRects& zones, bool outcomeShown, int x, int y);
// The same with the bottom button named: ZONE_INSTALL, ZONE_COMPANION, ZONE_RETRY,
// ZONE_OPEN, or ZONE_NONE when none is offered.
int HitTestZoneOffering(const ZoneRects& zones, int offeredButton, int x, int y);

// Which button stands at the bottom right. Install until an outcome is shown; after a
// failure the companion manager's button where it lies beside the program, else Install
// again; after a success Open when the app can be opened, else the companion manager's
// button where it is beside the program, else none.
int OfferedButton(bool outcomeShown, int state, bool companionBeside, bool canOpen);

// Non-client hit codes the window answers with (the system's HTCLIENT, HTCAPTION, HTCLOSE).
inline constexpr int kHitClient = 1;
inline constexpr int kHitCaption = 2;
inline constexpr int kHitClose = 20;

// The drawn close button: 21 x 20 pixels, 26 from the right edge and 4 from the top (at
// 96 dpi; every length scaled).
BoxRect CloseButtonRect(int clientWidth, const DisplayScale& scale = DisplayScale{});

// The title strip is the window's top 27 rows (at 96 dpi); the close button lies inside it.
inline constexpr int kTitleStripRows = 27;

// The hit code for a point given in client coordinates (clientX, clientY) and as its
// screen row against the window's top edge.
int NonClientHitTest(int clientWidth, int clientX, int clientY, int screenY, int windowTop,
                     const DisplayScale& scale = DisplayScale{});
