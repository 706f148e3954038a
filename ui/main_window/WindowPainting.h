// Everything the main window draws on its own surface, as functions of what it shows.
// The window hands a view of its state to PaintWindowContent, which draws into the
// off-screen graphics of one paint and tells where the status and note lines went.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "BoxRect.h"
#include "DisplayScale.h"
#include "GdiPlusObjects.h"
#include "WindowZones.h"

struct MainWindowView {
    // The window's scale: the images are drawn for it and the zones are in its pixels.
    DisplayScale scale;
    HMODULE module = nullptr;  // owns the icon resource drawn in the title band
    std::wstring title;

    const CGdipImage* frame = nullptr;
    const CGdipImage* close = nullptr;
    const CGdipImage* button = nullptr;
    const CGdipImage* selector = nullptr;
    const CGdipImage* selectorArrows = nullptr;
    const CGdipImage* defaultIcon = nullptr;
    const CGdipImage* separator = nullptr;
    const CGdipImage* packageIcon = nullptr;  // null or empty: the default icon

    const std::wstring* appName = nullptr;
    const std::wstring* version = nullptr;
    const std::wstring* size = nullptr;
    const std::wstring* system = nullptr;
    const std::wstring* status = nullptr;
    const std::wstring* note = nullptr;

    // The phone line: empty when none is shown. With phoneName set, phoneLine is the label
    // and the name is drawn in the phone chooser (zones.phone).
    std::wstring phoneLine;
    std::wstring phoneName;
    bool phoneTrouble = false;  // the line tells what to do, not where the install goes

    int state = 0;
    bool installEnabled = false;
    bool outcomeShown = false;
    int offeredButton = ZONE_INSTALL;  // OfferedButton's choice
    // The verdict on the attached phone, drawn in the ready state while not empty.
    const std::wstring* verdict = nullptr;
    std::uint32_t verdictColour = 0;
    bool panelOpen = false;
    int installPosition = 0;
    int hoverZone = ZONE_NONE;
    int pressedZone = ZONE_NONE;
    int closeFrame = 0;
    ZoneRects zones;
};

struct PaintedLines {
    BoxRect status;
    BoxRect note;
};

// The whole surface of a client area of the given size.
PaintedLines PaintWindowContent(CGdipGraphics& graphics, const MainWindowView& view, int clientWidth,
                                int clientHeight);

// Sets the quality options every painting of the window uses.
void SetWindowPaintQuality(CGdipGraphics& graphics);

void PaintChrome(CGdipGraphics& graphics, const MainWindowView& view, const BoxRect& client);
void PaintPackageInfo(CGdipGraphics& graphics, const MainWindowView& view);
BoxRect PaintStatusLine(CGdipGraphics& graphics, const MainWindowView& view);
// Whether the whole text goes into the box (at 96 dpi) in one 12-pixel line layout.
bool FitsInto(CGdipGraphics& graphics, const std::wstring& text, const BoxRect& box,
              const DisplayScale& scale = DisplayScale{});
BoxRect PaintNoteLine(CGdipGraphics& graphics, const MainWindowView& view);
void PaintPhoneLine(CGdipGraphics& graphics, const MainWindowView& view);
// The skinned controls, in a rectangle of the scale's pixels.
void PaintSkinButton(CGdipGraphics& graphics, const CGdipImage* skin, const BoxRect& rect, int frame,
                     const std::wstring& label, const DisplayScale& scale);
void PaintLocationSelector(CGdipGraphics& graphics, const CGdipImage* skin, const CGdipImage* arrows,
                           const BoxRect& rect, int frame, const std::wstring& label, const DisplayScale& scale);
