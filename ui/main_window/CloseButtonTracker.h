// The drawn close button's three looks and its press and release. The button lives in the
// non-client area (the window answers HTCLOSE for it), so the system reports it with
// non-client pointer messages and no capture: a press on it is swallowed, and the window
// closes only when the button comes up over the close button that took the press.
//
// Without capture a release elsewhere never reaches the window, so a press is also
// forgotten when the button is found up again, when the client area sees the button, and
// when another non-client press comes; and the hover look goes when the pointer leaves the
// button for the client area or leaves the window.
#pragma once

#include "WindowZones.h"

class CCloseButtonTracker {
public:
    static constexpr int kNone = -1;

    // Non-client pointer move with its hit code and whether the left button is down.
    // True when the look changed.
    bool NcMove(int hitCode, bool buttonDown);
    // Non-client press. True when it was on the close button: the press is taken and the
    // system must not see it. lookChanged tells whether to repaint the button.
    bool NcPress(int hitCode, bool& lookChanged);
    // Non-client release. True when it completes a click on the button. Both states are
    // cleared whatever happened.
    bool NcRelease(int hitCode);
    // The pointer left the button for the client area or left the window. True when the
    // look changed.
    bool PointerAway();
    // The left button went down or up in the client area. True when the look changed.
    bool ClientButton();

    // Frame of the close-button strip: 2 pressed, 1 hovered, 0 normal.
    int Frame() const;

    int PressedHit() const { return m_nNcPressedHit; }
    int HoverHit() const { return m_nNcHoverHit; }

private:
    int m_nNcPressedHit = kNone;
    int m_nNcHoverHit = kNone;
};
