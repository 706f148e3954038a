// Gradients laid out in pixels for a painter that knows only line gradients, which
// repeat: a clamped line is lengthened to cover what it paints with its end colours
// held; radial and sweep gradients become bands of one colour each (rings half a pixel
// wide, wedges of five degrees) that meet without overlapping.
#pragma once

#include <cstdint>
#include <vector>

#include "IconScene.h"

struct IconBand {
    IconPath path;
    IconFillRule rule = IconFillRule::NonZero;
    std::uint32_t argb = 0;
};

struct PixelGradient {
    IconPaintKind kind = IconPaintKind::None;
    // Linear: the line in pixels, the stops from its start (0) to its end (1), always
    // with offsets 0 and 1, and how the line repeats beyond its ends.
    IconPoint start;
    IconPoint end;
    std::vector<IconGradientStop> stops;
    IconTileMode tile = IconTileMode::Clamp;
    // Radial and Sweep: in pixels, covering the cover rectangle.
    std::vector<IconBand> bands;
};

class CGradientLayout {
public:
    static constexpr int kSweepWedges = 72;
    static constexpr int kMaxRings = 512;

    // The gradient paint in pixels, covering everything inside cover (pixels). Kind None
    // for a gradient that cannot be laid out (a transform that flattens it).
    static PixelGradient Layout(const IconPaint& paint, const IconRect& cover);

    // The stops' colour at offset, straight channels interpolated; the end colours beyond.
    static std::uint32_t ColourAt(const std::vector<IconGradientStop>& stops, float offset);
    // An offset beyond 0 to 1 brought back as the tile mode repeats the gradient.
    static float Tiled(float offset, IconTileMode tile);

private:
    static bool Linear(const IconPaint& paint, const IconRect& cover, PixelGradient& out);
    static bool Radial(const IconPaint& paint, const IconRect& cover, PixelGradient& out);
    static bool Sweep(const IconPaint& paint, const IconRect& cover, PixelGradient& out);
    static bool Reach(const IconPaint& paint, const IconRect& cover, float& out);
    static bool Finish(const IconPaint& paint, PixelGradient& out);
};
