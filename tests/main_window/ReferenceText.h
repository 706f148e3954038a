// The window's texts as they must look, drawn independently of the window: the text, its
// rectangle, colour, size and format come from the test; only the font and the drawing
// call are the ones every window text uses.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "BoxRect.h"
#include "GdiPlusFlat.h"
#include "PixelCanvas.h"

enum class TextLayout {
    Left,     // line limit, near, centred vertically, ellipsis
    Centred,  // line limit, centred both ways
    TopLeft,  // line limit, near, near
    Row,      // a permission row: no wrap, line limit, near, centred vertically
};

struct TextLook {
    BoxRect rect;
    COLORREF colour = 0;
    TextLayout layout = TextLayout::Left;
    float size = 12.0f;
    Gdiplus::Unit unit = Gdiplus::UnitPixel;
    INT style = Gdiplus::FontStyleRegular;
    // The reference is drawn this wide (0: the rectangle's width), so that a text the
    // window cuts short shows as a difference inside the rectangle.
    int drawWidth = 0;
};

struct ShownText {
    std::wstring text;
    TextLook look;
};

// A canvas of the window's client size in the background colour with only these texts
// drawn, as the window draws them.
std::unique_ptr<CPixelCanvas> RenderTexts(SIZE client, const std::vector<ShownText>& texts, COLORREF background);

// Writes the canvas, twice enlarged, to build/renders/<name> to be looked at.
void SaveRender(const CPixelCanvas& canvas, const std::wstring& name);

// The window shows exactly these texts: inside the frame's borders, every pixel of their
// rectangles equals the reference drawing (texts whose rectangles overlap, such as the
// status and note lines, are given together). ShowsText also writes both pictures to
// build/renders when they differ.
bool TextMatches(const CPixelCanvas& window, const std::vector<ShownText>& texts,
                 COLORREF background = RGB(0xEE, 0xF4, 0xF6));
::testing::AssertionResult ShowsText(const CPixelCanvas& window, const std::vector<ShownText>& texts,
                                     COLORREF background = RGB(0xEE, 0xF4, 0xF6));
inline ::testing::AssertionResult ShowsText(const CPixelCanvas& window, const std::wstring& text,
                                            const TextLook& look)
{
    return ShowsText(window, {ShownText{text, look}});
}
