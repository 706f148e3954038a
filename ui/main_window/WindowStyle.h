// What the main window looks like in each of its states: the status and note lines'
// places and colours, the frames of the skinned buttons and their label colours. Pure
// data, so that the painting code and its tests read one table.
#pragma once

#include <cstdint>

#include "BoxRect.h"

enum : int {
    STATE_READY = 0,
    STATE_INSTALLING = 1,
    STATE_SUCCEEDED = 2,
    STATE_FAILED = 3,
};

using Argb = std::uint32_t;

inline constexpr Argb kWindowBackground = 0xFFEEF4F6;
inline constexpr Argb kTitleColour = 0xFFFFFFFF;
inline constexpr Argb kFactsColour = 0xFF000000;
inline constexpr Argb kToggleColour = 0xFF0080C9;
inline constexpr Argb kPermissionTextColour = 0xFF545768;
inline constexpr Argb kPermissionRowBackground = 0xFFFFFFFF;
// The phone line: where the install goes in the status grey, what to do in the failure red.
inline constexpr Argb kPhoneReadyColour = 0xFF3E555B;
inline constexpr Argb kPhoneTroubleColour = 0xFFC94C42;

struct TextLine {
    BoxRect rect;
    Argb colour = 0;
};

// The status line (12 px) and the note line (8 pt) in a state.
TextLine StatusLineStyle(int state);
// Where a failure that does not fit the failed state's two lines is drawn instead: the
// room above the note line that the hidden selector and busy indicator leave, four lines
// high, so that the message's advice is not cut off.
TextLine LongFailureStyle();
TextLine NoteLineStyle(int state);
// The verdict on the attached phone (12 px, ready state only): above the location
// selector, right of the package facts, up to two lines.
inline constexpr BoxRect kVerdictLineRect{218, 30, 162, 34};

// Frames of the push-button strip (4 frames) and of the selector strip (3 frames).
inline constexpr int kButtonFrameNormal = 0;
inline constexpr int kButtonFrameHover = 1;
inline constexpr int kButtonFramePressed = 2;
inline constexpr int kButtonFrameDisabled = 3;

// The frame of a zone's skin: pressed when the zone is both hovered and pressed, hover
// when it is hovered only.
int ZoneFrame(int zone, int hoverZone, int pressedZone);
// The Install button's frame: disabled whenever it does not accept clicks.
int InstallButtonFrame(bool enabled, int hoverZone, int pressedZone);

// The label colour of a push button in a frame.
Argb PushButtonLabelColour(int frame);
// The label colour of the location selector in a frame.
Argb SelectorLabelColour(int frame);
