#include "WindowRegion.h"

CScopedRegion CreateRoundedRegion(int width, int height)
{
    CScopedRegion region(::CreateRectRgn(0, 0, width, height));
    if (!region) return region;

    const int w = width, h = height;
    // One-pixel rows, right and bottom edges exclusive: top-left, bottom-left, top-right,
    // bottom-right. They are taken away (RGN_DIFF) rather than toggled, so that a window
    // too small for the corners to stay apart never gains pixels outside its rectangle.
    const RECT cuts[12] = {
        {0, 0, 3, 1},         {0, 1, 2, 2},         {0, 2, 1, 3},
        {0, h - 3, 1, h - 2}, {0, h - 2, 2, h - 1}, {0, h - 1, 3, h},
        {w - 3, 0, w, 1},     {w - 2, 1, w, 2},     {w - 1, 2, w, 3},
        {w - 1, h - 3, w, h - 2}, {w - 2, h - 2, w, h - 1}, {w - 3, h - 1, w, h},
    };
    for (const RECT& cut : cuts) {
        CScopedRegion piece(::CreateRectRgnIndirect(&cut));
        if (piece) ::CombineRgn(region.Get(), region.Get(), piece.Get(), RGN_DIFF);
    }
    return region;
}
