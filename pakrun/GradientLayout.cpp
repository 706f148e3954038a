#include "GradientLayout.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;
// Room beyond the covered box, as a part of the line, so that no edge pixel meets the
// repeat.
constexpr float kCoverMargin = 0.05f;

// The stops with offsets 0 and 1 present, the end colours held to them.
std::vector<IconGradientStop> Spanning(const std::vector<IconGradientStop>& stops)
{
    std::vector<IconGradientStop> out;
    if (stops.front().offset > 0) out.push_back({0, stops.front().argb});
    out.insert(out.end(), stops.begin(), stops.end());
    if (stops.back().offset < 1) out.push_back({1, stops.back().argb});
    return out;
}

float Dot(IconPoint p, IconPoint q)
{
    return p.x * q.x + p.y * q.y;
}

IconPoint Minus(IconPoint p, IconPoint q)
{
    return {p.x - q.x, p.y - q.y};
}

IconPoint Along(IconPoint from, IconPoint direction, float t)
{
    return {from.x + direction.x * t, from.y + direction.y * t};
}

}  // namespace

std::uint32_t CGradientLayout::ColourAt(const std::vector<IconGradientStop>& stops, float offset)
{
    if (stops.empty()) return 0;
    if (!(offset > stops.front().offset)) return stops.front().argb;
    for (std::size_t i = 1; i < stops.size(); ++i) {
        if (offset > stops[i].offset) continue;
        const float span = stops[i].offset - stops[i - 1].offset;
        const float t = span > 0 ? (offset - stops[i - 1].offset) / span : 1;
        std::uint32_t argb = 0;
        for (int shift = 0; shift < 32; shift += 8) {
            const float a = float((stops[i - 1].argb >> shift) & 0xFF), b = float((stops[i].argb >> shift) & 0xFF);
            argb |= std::uint32_t(std::lround(a + (b - a) * t)) << shift;
        }
        return argb;
    }
    return stops.back().argb;
}

float CGradientLayout::Tiled(float offset, IconTileMode tile)
{
    if (tile == IconTileMode::Clamp || (offset >= 0 && offset <= 1)) return offset;
    const float whole = std::floor(offset);
    if (tile == IconTileMode::Repeat) return offset - whole;
    // Mirror: every other repetition runs backwards.
    const float part = offset - whole;
    return std::fmod(std::fabs(whole), 2.0f) == 1.0f ? 1 - part : part;
}

PixelGradient CGradientLayout::Layout(const IconPaint& paint, const IconRect& cover, float scale,
                                     std::size_t maxPixels)
{
    PixelGradient out;
    if (paint.stops.empty()) return out;
    out.kind = paint.kind;
    out.tile = paint.tile;
    const bool laidOut = paint.kind == IconPaintKind::Linear ? Linear(paint, cover, out)
                         : paint.kind == IconPaintKind::Radial || paint.kind == IconPaintKind::Sweep
                             ? Computed(paint, cover, scale, maxPixels, out)
                             : false;
    if (!laidOut) out = PixelGradient();
    return out;
}

// Under an affine map the gradient's value stays an affine function of the point; the
// line in pixels that gives the same values runs from the mapped start along the
// inverse-transposed direction.
bool CGradientLayout::Linear(const IconPaint& paint, const IconRect& cover, PixelGradient& out)
{
    const IconMatrix& m = paint.transform;
    const IconPoint d = Minus(paint.end, paint.start);
    const float det = m.Determinant(), length2 = Dot(d, d);
    if (!(std::fabs(det) > 1e-12f) || !(length2 > 0)) return false;
    const IconPoint g{(m.d * d.x - m.b * d.y) / det / length2, (-m.c * d.x + m.a * d.y) / det / length2};
    const float g2 = Dot(g, g);
    if (!(g2 > 0)) return false;
    IconPoint start = m.Apply(paint.start);
    IconPoint axis{g.x / g2, g.y / g2};
    std::vector<IconGradientStop> stops = Spanning(paint.stops);
    if (paint.tile == IconTileMode::Clamp) {
        float low = 0, high = 1;
        for (const IconPoint corner : {IconPoint{cover.left, cover.top}, IconPoint{cover.right, cover.top},
                                       IconPoint{cover.left, cover.bottom}, IconPoint{cover.right, cover.bottom}}) {
            const float t = Dot(Minus(corner, start), axis) / Dot(axis, axis);
            low = std::min(low, t);
            high = std::max(high, t);
        }
        low -= kCoverMargin * (high - low);
        high += kCoverMargin * (high - low);
        for (IconGradientStop& stop : stops) stop.offset = (stop.offset - low) / (high - low);
        stops = Spanning(stops);
        const IconPoint newStart = Along(start, axis, low);
        axis = {axis.x * (high - low), axis.y * (high - low)};
        start = newStart;
    }
    out.start = start;
    out.end = Along(start, axis, 1);
    out.stops = std::move(stops);
    return true;
}

IconRect CGradientLayout::Shown(const IconRect& cover, float side, float scale)
{
    const float margin = 1 / scale;
    return {std::max(cover.left, 0.0f) - margin, std::max(cover.top, 0.0f) - margin, std::min(cover.right, side) + margin,
            std::min(cover.bottom, side) + margin};
}

// Each pixel's colour from its centre, mapped back into the gradient's coordinates.
bool CGradientLayout::Computed(const IconPaint& paint, const IconRect& cover, float scale, std::size_t maxPixels,
                               PixelGradient& out)
{
    IconMatrix inverse;
    if ((paint.kind == IconPaintKind::Radial && !(paint.radius > 0)) || !paint.transform.Invert(inverse) ||
        !(scale > 0) || !(cover.Width() > 0) || !(cover.Height() > 0)) {
        return false;
    }
    const double width = std::ceil(double(cover.Width()) * scale), height = std::ceil(double(cover.Height()) * scale);
    if (!(width * height <= double(maxPixels))) return false;
    GradientPixels& pixels = out.pixels;
    pixels.left = cover.left;
    pixels.top = cover.top;
    pixels.scale = scale;
    pixels.width = int(width);
    pixels.height = int(height);
    pixels.argb.resize(std::size_t(width * height));
    for (int y = 0; y < pixels.height; ++y) {
        for (int x = 0; x < pixels.width; ++x) {
            const IconPoint at{cover.left + (float(x) + 0.5f) / scale, cover.top + (float(y) + 0.5f) / scale};
            const std::uint32_t argb = ColourAt(paint.stops, Tiled(OffsetAt(paint, inverse.Apply(at)), paint.tile));
            const std::uint32_t alpha = argb >> 24;
            std::uint32_t premultiplied = alpha << 24;
            for (int shift = 0; shift < 24; shift += 8) premultiplied |= (((argb >> shift) & 0xFF) * alpha + 127) / 255 << shift;
            pixels.argb[std::size_t(y) * std::size_t(pixels.width) + std::size_t(x)] = premultiplied;
        }
    }
    return true;
}

// Radial: the distance from the centre in radii. Sweep: the angle from the positive x
// axis, clockwise on the screen, in turns.
float CGradientLayout::OffsetAt(const IconPaint& paint, IconPoint local)
{
    const IconPoint d = Minus(local, paint.start);
    if (paint.kind == IconPaintKind::Radial) return std::sqrt(Dot(d, d)) / paint.radius;
    const double turns = std::atan2(double(d.y), double(d.x)) / (2 * kPi);
    return float(turns < 0 ? turns + 1 : turns);
}
