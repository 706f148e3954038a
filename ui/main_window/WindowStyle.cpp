#include "WindowStyle.h"

#include "WindowZones.h"

TextLine StatusLineStyle(int state)
{
    switch (state) {
    case STATE_INSTALLING: return TextLine{BoxRect{240, 64, 145, 40}, 0xFF3E555B};
    case STATE_SUCCEEDED: return TextLine{BoxRect{218, 72, 161, 20}, 0xFF5BAE2F};
    case STATE_FAILED: return TextLine{BoxRect{240, 64, 145, 40}, 0xFFC94C42};
    default: return TextLine{BoxRect{240, 64, 70, 40}, 0xFF3E555B};
    }
}

TextLine LongFailureStyle() { return TextLine{BoxRect{218, 28, 163, 68}, 0xFFC94C42}; }

TextLine NoteLineStyle(int state)
{
    switch (state) {
    case STATE_SUCCEEDED: return TextLine{BoxRect{200, 97, 175, 20}, 0xFF5BAE2F};
    case STATE_FAILED: return TextLine{BoxRect{214, 97, 170, 15}, 0xFF3E555B};
    default: return TextLine{BoxRect{225, 97, 165, 20}, 0xFFB8B8B8};
    }
}

int ZoneFrame(int zone, int hoverZone, int pressedZone)
{
    if (hoverZone == zone && pressedZone == zone) return kButtonFramePressed;
    if (hoverZone == zone) return kButtonFrameHover;
    return kButtonFrameNormal;
}

int InstallButtonFrame(bool enabled, int hoverZone, int pressedZone)
{
    return enabled ? ZoneFrame(ZONE_INSTALL, hoverZone, pressedZone) : kButtonFrameDisabled;
}

Argb PushButtonLabelColour(int frame)
{
    switch (frame) {
    case kButtonFramePressed: return 0xFFFAFCFC;
    case kButtonFrameDisabled: return 0xFFF3F7F9;
    default: return 0xFFFFFFFF;
    }
}

Argb SelectorLabelColour(int frame)
{
    return (frame == kButtonFrameHover || frame == kButtonFramePressed) ? 0xFF3EADD6 : 0xFF000000;
}
