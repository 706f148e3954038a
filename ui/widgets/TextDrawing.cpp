#include "TextDrawing.h"

namespace flat = Gdiplus::DllExports;

CGdipStringFormat CreateStringFormat(INT flags, Gdiplus::StringAlignment horizontal,
                                     Gdiplus::StringAlignment vertical)
{
    CGdipStringFormat format;
    format.Record(flat::GdipCreateStringFormat(flags, LANG_NEUTRAL, format.Receive()));
    if (!format) return format;
    format.Record(flat::GdipSetStringFormatAlign(format.Get(), horizontal));
    format.Record(flat::GdipSetStringFormatLineAlign(format.Get(), vertical));
    return format;
}

CGdipStringFormat CreateStringFormat(INT flags, Gdiplus::StringAlignment horizontal,
                                     Gdiplus::StringAlignment vertical, Gdiplus::StringTrimming trimming)
{
    CGdipStringFormat format = CreateStringFormat(flags, horizontal, vertical);
    if (format) format.Record(flat::GdipSetStringFormatTrimming(format.Get(), trimming));
    return format;
}

void DrawTextIn(CGdipGraphics& graphics, const std::wstring& text, const CGdipFont& font,
                const Gdiplus::RectF& layout, Gdiplus::ARGB colour, const CGdipStringFormat& format)
{
    if (text.empty() || !font || !format) return;
    CGdipSolidBrush brush;
    brush.Record(flat::GdipCreateSolidFill(colour, brush.Receive()));
    if (!brush) return;
    graphics.Record(flat::GdipDrawString(graphics.Get(), text.c_str(), INT(text.size()), font.Get(), &layout,
                                         format.Get(), brush.Get()));
}
