// Gradients laid out in pixels for a painter that knows only line gradients, which
// repeat, and textures: a clamped line is lengthened to cover what it paints with its
// end colours held; radial and sweep gradients are computed pixel by pixel over what
// their shape shows.
#pragma once

#include <cstdint>
#include <vector>

#include "IconScene.h"

// Pixels over a rectangle of the picture: width x height of them, each 1 / scale of a
// picture pixel across, the first at (left, top). Premultiplied 0xAARRGGBB, rows top-down.
struct GradientPixels {
    float left = 0;
    float top = 0;
    float scale = 1;
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> argb;
};

struct PixelGradient {
    IconPaintKind kind = IconPaintKind::None;
    // Linear: the line in pixels, the stops from its start (0) to its end (1), always
    // with offsets 0 and 1, and how the line repeats beyond its ends.
    IconPoint start;
    IconPoint end;
    std::vector<IconGradientStop> stops;
    IconTileMode tile = IconTileMode::Clamp;
    // Radial and Sweep.
    GradientPixels pixels;
};

class CGradientLayout {
public:
    // The gradient paint in pixels, covering everything inside cover (pixels); radial and
    // sweep gradients computed at scale pixels per picture pixel, at most maxPixels of
    // them. Kind None for a gradient that cannot be laid out (a transform that flattens
    // it, or more pixels than allowed).
    static PixelGradient Layout(const IconPaint& paint, const IconRect& cover, float scale, std::size_t maxPixels);

    // What of cover (pixels) a picture of side pixels shows, a device pixel beyond on
    // every side at scale device pixels per pixel: where radial and sweep gradients are computed.
    static IconRect Shown(const IconRect& cover, float side, float scale);

    // The stops' colour at offset, straight channels interpolated; the end colours beyond.
    static std::uint32_t ColourAt(const std::vector<IconGradientStop>& stops, float offset);
    // An offset beyond 0 to 1 brought back as the tile mode repeats the gradient.
    static float Tiled(float offset, IconTileMode tile);
    // The gradient's offset at a point of its own coordinates (radial and sweep).
    static float OffsetAt(const IconPaint& paint, IconPoint local);

private:
    static bool Linear(const IconPaint& paint, const IconRect& cover, PixelGradient& out);
    static bool Computed(const IconPaint& paint, const IconRect& cover, float scale, std::size_t maxPixels,
                         PixelGradient& out);
};
