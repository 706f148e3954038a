// Drawing the window's images: fitted into a box, as a frame skin by its border pieces,
// and as one state of a strip of skins. Rectangles are {x, y, width, height}.
#pragma once

#include "GdiPlusObjects.h"

// Draws the image centred in the box, shrunk to fit when it is larger, never enlarged
// beyond its size at the display's dpi (its pixels taken as 96-dpi ones, so that a picture
// keeps its place in the layout at any scale). An absent or empty image draws nothing.
void DrawImageFitted(CGdipGraphics& graphics, const Gdiplus::Rect& box, const CGdipImage* image, int dpi = 96);

// The frame skin's border widths, the same on the image and on the window: at 96 dpi left,
// right and bottom 5, top 26 pixels.
struct SkinBorders {
    INT left = 5;
    INT top = 26;
    INT right = 5;
    INT bottom = 5;
};

// Draws a window frame from the source rectangle of a frame-skin image: its corners
// unscaled, its edges repeated unscaled along their length (mirrored on every other
// repetition, so a skin whose edges are the same all along draws them as if stretched, with
// nothing resampled), the centre left out. A destination too small for the pieces gets the
// whole source stretched.
void DrawFrameSkin(CGdipGraphics& graphics, const CGdipImage& image, const Gdiplus::Rect& destination,
                   const Gdiplus::Rect& source, const SkinBorders& borders = SkinBorders{});

// Draws frame frameIndex of a strip of frameCount equal frames side by side: the caps
// (a third of a frame each) at their own width, the middle third tiled, mirrored on every
// other repetition, across the rest. Nothing is scaled; a lower destination shows only the
// top rows.
void DrawStateSkin(CGdipGraphics& graphics, const CGdipImage& image, UINT frameCount, UINT frameIndex,
                   const Gdiplus::Rect& destination);

// The image's size in pixels; 0 x 0 for an empty image or one whose size cannot be read.
void GetImageSize(const CGdipImage& image, UINT& width, UINT& height);

// A copy of the image at another size, resampled once with the window's quality settings;
// an empty image when the image is empty or the size has no area.
CGdipImage ResampleImage(const CGdipImage& image, UINT width, UINT height);
