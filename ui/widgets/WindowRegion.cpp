#include "WindowRegion.h"

namespace {

void Cut(HRGN region, int left, int top, int right, int bottom)
{
    const RECT rect{left, top, right, bottom};
    CScopedRegion piece(::CreateRectRgnIndirect(&rect));
    if (piece) ::CombineRgn(region, region, piece.Get(), RGN_DIFF);
}

}  // namespace

CScopedRegion CreateRoundedRegion(int width, int height, int cornerRows)
{
    CScopedRegion region(::CreateRectRgn(0, 0, width, height));
    if (!region) return region;

    const int w = width, h = height;
    // One-pixel rows of each corner, right and bottom edges exclusive. They are taken away
    // (RGN_DIFF) rather than toggled, so that a window too small for the corners to stay
    // apart never gains pixels outside its rectangle.
    for (int row = 0; row < cornerRows; ++row) {
        const int cut = cornerRows - row;
        Cut(region.Get(), 0, row, cut, row + 1);
        Cut(region.Get(), w - cut, row, w, row + 1);
        Cut(region.Get(), 0, h - 1 - row, cut, h - row);
        Cut(region.Get(), w - cut, h - 1 - row, w, h - row);
    }
    return region;
}
