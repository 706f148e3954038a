// An icon drawn from its XML, as plain data for a painter: filled and stroked paths in
// pixels of a square image, the clips that limit them, and the bitmaps of bitmap layers,
// in drawing order. Colours are 0xAARRGGBB, not premultiplied.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "IconGeometry.h"
#include "ImageFormat.h"

enum class IconPaintKind : std::uint8_t { None, Solid, Linear, Radial, Sweep };
enum class IconTileMode : std::uint8_t { Clamp, Repeat, Mirror };
enum class IconFillRule : std::uint8_t { NonZero, EvenOdd };
enum class IconLineCap : std::uint8_t { Butt, Round, Square };
enum class IconLineJoin : std::uint8_t { Miter, Round, Bevel };

struct IconGradientStop {
    float offset = 0;  // 0 to 1, rising from stop to stop
    std::uint32_t argb = 0;
};

struct IconPaint {
    IconPaintKind kind = IconPaintKind::None;
    std::uint32_t argb = 0;  // Solid
    // In the gradient's own coordinates, which transform maps to pixels. Linear: from
    // start to end; Radial: centre start, radius; Sweep: centre start, clockwise from
    // the positive x axis.
    IconPoint start;
    IconPoint end;
    float radius = 0;
    std::vector<IconGradientStop> stops;  // at least two for a gradient
    IconTileMode tile = IconTileMode::Clamp;
    IconMatrix transform;

    static IconPaint Solid(std::uint32_t argb);
    bool Draws() const { return kind != IconPaintKind::None; }
    // Every colour's alpha multiplied by factor (0 to 1).
    void MultiplyAlpha(float factor);
};

struct IconStroke {
    float width = 0;  // in pixels
    IconLineCap cap = IconLineCap::Butt;
    IconLineJoin join = IconLineJoin::Miter;
    float miterLimit = 4;
};

struct IconClipPath {
    IconPath path;
    IconFillRule rule = IconFillRule::NonZero;
};

// Drawing is limited to what lies inside the path and inside every clip up its chain;
// an empty path lets nothing through.
struct IconClip {
    IconClipPath path;
    int parent = -1;  // index into IconScene::clips, -1 for none
};

struct IconBitmap {
    std::string entry;
    ImageKind kind = ImageKind::Unknown;
    std::vector<std::uint8_t> bytes;
};

// One path, filled and then stroked, or one bitmap stretched over a rectangle.
struct IconShape {
    IconPath path;
    IconFillRule rule = IconFillRule::NonZero;
    IconPaint fill;
    IconPaint stroke;
    IconStroke line;
    int clip = -1;    // index into IconScene::clips, -1 for none
    int bitmap = -1;  // index into IconScene::bitmaps, -1 for a path
    IconRect bitmapRect;
};

struct IconScene {
    int size = 0;  // pixels of the square image's side
    // An adaptive icon is seen through a rounded square of the whole image with corners
    // of this radius in pixels; 0 shows the whole square.
    float maskCornerRadius = 0;
    std::vector<IconShape> shapes;
    std::vector<IconClip> clips;
    std::vector<IconBitmap> bitmaps;
};
