// Drawing one text into a layout rectangle with a string format made for the call, as all
// of the window's texts are drawn.
#pragma once

#include <string>

#include "GdiPlusObjects.h"

// A language-neutral string format. The trimming is set only when given (the library's
// default is character trimming).
CGdipStringFormat CreateStringFormat(INT flags, Gdiplus::StringAlignment horizontal,
                                     Gdiplus::StringAlignment vertical);
CGdipStringFormat CreateStringFormat(INT flags, Gdiplus::StringAlignment horizontal,
                                     Gdiplus::StringAlignment vertical, Gdiplus::StringTrimming trimming);

// Draws the text with a solid brush of the colour. An empty text or an empty font or
// format draws nothing.
void DrawTextIn(CGdipGraphics& graphics, const std::wstring& text, const CGdipFont& font,
                const Gdiplus::RectF& layout, Gdiplus::ARGB colour, const CGdipStringFormat& format);
