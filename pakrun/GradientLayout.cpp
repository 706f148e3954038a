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

PixelGradient CGradientLayout::Layout(const IconPaint& paint, const IconRect& cover)
{
    PixelGradient out;
    if (paint.stops.empty()) return out;
    out.kind = paint.kind;
    out.tile = paint.tile;
    const bool laidOut = paint.kind == IconPaintKind::Linear   ? Linear(paint, cover, out)
                         : paint.kind == IconPaintKind::Radial ? Radial(paint, cover, out)
                         : paint.kind == IconPaintKind::Sweep  ? Sweep(paint, cover, out)
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

// Rings from the centre out, each between two ellipses; beyond the gradient's radius
// under Clamp one last band, the cover less the outer ellipse, in the last colour.
bool CGradientLayout::Radial(const IconPaint& paint, const IconRect& cover, PixelGradient& out)
{
    const float r = paint.radius;
    float reach = 0;
    if (!(r > 0) || !Reach(paint, cover, reach)) return false;
    const float pixelsPerUnit = std::sqrt(std::fabs(paint.transform.Determinant()));
    const float limit = paint.tile == IconTileMode::Clamp ? std::min(r, reach) : reach;
    // Half a pixel each; a NaN from extreme input gets one ring.
    const float wanted = std::ceil(limit * pixelsPerUnit * 2);
    const int rings = wanted >= 1 ? (wanted < float(kMaxRings) ? int(wanted) : kMaxRings) : 1;
    auto ellipse = [&](float radius, IconPath& path) {
        const IconPath ring = IconPath::Ellipse({paint.start.x - radius, paint.start.y - radius,
                                                 paint.start.x + radius, paint.start.y + radius});
        path.points.insert(path.points.end(), ring.points.begin(), ring.points.end());
        path.types.insert(path.types.end(), ring.types.begin(), ring.types.end());
    };
    for (int i = 0; i < rings; ++i) {
        const float inner = limit * float(i) / float(rings), outer = limit * float(i + 1) / float(rings);
        IconBand band;
        band.rule = IconFillRule::EvenOdd;
        ellipse(outer, band.path);
        if (i > 0) ellipse(inner, band.path);
        band.argb = ColourAt(paint.stops, Tiled((inner + outer) / 2 / r, paint.tile));
        out.bands.push_back(std::move(band));
    }
    if (paint.tile == IconTileMode::Clamp && reach > r) {
        IconBand band;
        band.rule = IconFillRule::EvenOdd;
        const float side = reach * 1.1f + 1;
        band.path = IconPath::Rectangle({paint.start.x - side, paint.start.y - side, paint.start.x + side, paint.start.y + side});
        ellipse(r, band.path);
        band.argb = paint.stops.back().argb;
        out.bands.push_back(std::move(band));
    }
    return Finish(paint, out);
}

// Android's sweep starts at the positive x axis and turns clockwise on the screen; each
// wedge takes the colour at its middle and reaches beyond the farthest corner of the cover.
bool CGradientLayout::Sweep(const IconPaint& paint, const IconRect& cover, PixelGradient& out)
{
    float reach = 0;
    if (!Reach(paint, cover, reach)) return false;
    const float radius = reach * 1.1f + 1;
    for (int i = 0; i < kSweepWedges; ++i) {
        const double a0 = 2 * kPi * i / kSweepWedges, a1 = 2 * kPi * (i + 1) / kSweepWedges;
        IconBand wedge;
        wedge.path.MoveTo(paint.start);
        wedge.path.LineTo({paint.start.x + radius * float(std::cos(a0)), paint.start.y + radius * float(std::sin(a0))});
        wedge.path.LineTo({paint.start.x + radius * float(std::cos(a1)), paint.start.y + radius * float(std::sin(a1))});
        wedge.path.Close();
        wedge.argb = ColourAt(paint.stops, (float(i) + 0.5f) / kSweepWedges);
        out.bands.push_back(std::move(wedge));
    }
    return Finish(paint, out);
}

// How far from the gradient's centre, in its own units, the cover's farthest corner lies.
bool CGradientLayout::Reach(const IconPaint& paint, const IconRect& cover, float& out)
{
    IconMatrix inverse;
    if (!paint.transform.Invert(inverse)) return false;
    out = 0;
    for (const IconPoint corner : {IconPoint{cover.left, cover.top}, IconPoint{cover.right, cover.top},
                                   IconPoint{cover.left, cover.bottom}, IconPoint{cover.right, cover.bottom}}) {
        const IconPoint local = Minus(inverse.Apply(corner), paint.start);
        out = std::max(out, std::sqrt(Dot(local, local)));
    }
    return std::isfinite(out);
}

// The bands mapped into pixels.
bool CGradientLayout::Finish(const IconPaint& paint, PixelGradient& out)
{
    for (IconBand& band : out.bands) {
        band.path.Transform(paint.transform);
        if (!band.path.Finite()) return false;
    }
    return true;
}
