#include "GdipShapeDrawer.h"

#include <vector>

namespace flat = Gdiplus::DllExports;

namespace {

struct Blend {
    std::vector<Gdiplus::ARGB> colours;
    std::vector<Gdiplus::REAL> positions;
};

Blend BlendOf(const std::vector<IconGradientStop>& stops)
{
    Blend blend;
    for (const IconGradientStop& stop : stops) {
        blend.colours.push_back(stop.argb);
        blend.positions.push_back(stop.offset);
    }
    return blend;
}

// GDI+'s line brushes repeat; a clamped gradient arrives lengthened to cover its shape.
CGdipBrush MakeLineBrush(const PixelGradient& gradient)
{
    const Gdiplus::GpPointF start{gradient.start.x, gradient.start.y};
    const Gdiplus::GpPointF end{gradient.end.x, gradient.end.y};
    const Gdiplus::WrapMode wrap = gradient.tile == IconTileMode::Mirror ? Gdiplus::WrapModeTileFlipX : Gdiplus::WrapModeTile;
    Gdiplus::GpLineGradient* line = nullptr;
    CGdipBrush brush;
    brush.Record(flat::GdipCreateLineBrush(&start, &end, gradient.stops.front().argb, gradient.stops.back().argb, wrap, &line));
    brush.Reset(line);
    const Blend blend = BlendOf(gradient.stops);
    if (line && flat::GdipSetLinePresetBlend(line, blend.colours.data(), blend.positions.data(), INT(blend.colours.size())) !=
                    Gdiplus::Ok) {
        brush.Reset();
    }
    return brush;
}

// A texture of the computed pixels, placed where they were computed for: each texture
// pixel one device pixel.
CGdipBrush MakeTextureBrush(const GradientPixels& pixels)
{
    CGdipImage image;
    Gdiplus::GpBitmap* bitmap = nullptr;
    image.Record(flat::GdipCreateBitmapFromScan0(pixels.width, pixels.height, pixels.width * 4, PixelFormat32bppPARGB,
                                                 reinterpret_cast<BYTE*>(const_cast<std::uint32_t*>(pixels.argb.data())),
                                                 &bitmap));
    image.Reset(bitmap);
    Gdiplus::GpTexture* texture = nullptr;
    CGdipBrush brush;
    // The brush keeps a copy of the bitmap: the pixels may go once it is made.
    if (image) brush.Record(flat::GdipCreateTexture(image.Get(), Gdiplus::WrapModeTileFlipXY, &texture));
    brush.Reset(texture);
    if (texture && (flat::GdipTranslateTextureTransform(texture, pixels.left, pixels.top, Gdiplus::MatrixOrderAppend) != Gdiplus::Ok ||
                    flat::GdipScaleTextureTransform(texture, 1 / pixels.scale, 1 / pixels.scale, Gdiplus::MatrixOrderPrepend) !=
                        Gdiplus::Ok)) {
        brush.Reset();
    }
    return brush;
}

CGdipBrush MakeSolidBrush(Gdiplus::ARGB argb)
{
    Gdiplus::GpSolidFill* solid = nullptr;
    CGdipBrush brush;
    brush.Record(flat::GdipCreateSolidFill(argb, &solid));
    brush.Reset(solid);
    return brush;
}

}  // namespace

CGdipPath CGdipShapeDrawer::MakePath(const IconPath& path, IconFillRule rule)
{
    std::vector<Gdiplus::GpPointF> points;
    points.reserve(path.points.size());
    for (const IconPoint& point : path.points) points.push_back({point.x, point.y});
    const Gdiplus::GpFillMode mode = rule == IconFillRule::EvenOdd ? Gdiplus::FillModeAlternate : Gdiplus::FillModeWinding;
    CGdipPath gdipPath;
    if (points.empty()) {
        gdipPath.Record(flat::GdipCreatePath(mode, gdipPath.Receive()));
    } else {
        gdipPath.Record(flat::GdipCreatePath2(points.data(), path.types.data(), INT(points.size()), mode,
                                              gdipPath.Receive()));
    }
    return gdipPath;
}

bool CGdipShapeDrawer::SetClip(int clip)
{
    if (m_graphics.Record(flat::GdipResetClip(m_graphics.Get())) != Gdiplus::Ok) return false;
    // The chain from this clip up to the first; each names only clips made before it.
    std::vector<const IconClip*> chain;
    for (int at = clip; at >= 0 && std::size_t(at) < m_scene.clips.size(); at = m_scene.clips[std::size_t(at)].parent) {
        chain.push_back(&m_scene.clips[std::size_t(at)]);
        if (m_scene.clips[std::size_t(at)].parent >= at) break;
    }
    for (auto link = chain.rbegin(); link != chain.rend(); ++link) {
        if ((*link)->path.path.Empty()) {
            return m_graphics.Record(flat::GdipSetClipRectI(m_graphics.Get(), 0, 0, 0, 0, Gdiplus::CombineModeReplace)) ==
                   Gdiplus::Ok;
        }
        const CGdipPath path = MakePath((*link)->path.path, (*link)->path.rule);
        if (!path || m_graphics.Record(flat::GdipSetClipPath(m_graphics.Get(), path.Get(), Gdiplus::CombineModeIntersect)) !=
                         Gdiplus::Ok) {
            return false;
        }
    }
    return true;
}

bool CGdipShapeDrawer::Draw(const IconShape& shape)
{
    const CGdipPath path = MakePath(shape.path, shape.rule);
    if (!path) return false;
    const IconRect bounds = shape.path.Bounds();
    if (shape.fill.Draws()) {
        const CGdipBrush brush = MakeBrush(shape.fill, bounds);
        if (!brush || m_graphics.Record(flat::GdipFillPath(m_graphics.Get(), brush.Get(), path.Get())) != Gdiplus::Ok) {
            return false;
        }
    }
    return !shape.stroke.Draws() || Stroke(path, bounds, shape);
}

CGdipBrush CGdipShapeDrawer::MakeBrush(const IconPaint& paint, const IconRect& cover)
{
    if (paint.kind == IconPaintKind::Solid) return MakeSolidBrush(paint.argb);
    const IconRect shown = CGradientLayout::Shown(cover, float(m_scene.size), m_fScale);
    const PixelGradient gradient = CGradientLayout::Layout(paint, shown, m_fScale, m_nGradientPixels);
    if (gradient.kind == IconPaintKind::Linear) return MakeLineBrush(gradient);
    if (gradient.kind != IconPaintKind::None) {
        m_nGradientPixels -= gradient.pixels.argb.size();
        return MakeTextureBrush(gradient.pixels);
    }
    // Nothing shown, a transform that flattens the gradient, or no pixels left.
    return MakeSolidBrush(CGradientLayout::ColourAt(paint.stops, 0.5f));
}

bool CGdipShapeDrawer::Stroke(const CGdipPath& path, const IconRect& bounds, const IconShape& shape)
{
    const Gdiplus::REAL width = shape.line.width;
    const CGdipBrush brush = MakeBrush(shape.stroke, bounds.Inflated(width));
    CGdipPen pen;
    if (brush) pen.Record(flat::GdipCreatePen2(brush.Get(), width, Gdiplus::UnitWorld, pen.Receive()));
    if (!pen) return false;
    static constexpr Gdiplus::LineCap kCaps[] = {Gdiplus::LineCapFlat, Gdiplus::LineCapRound, Gdiplus::LineCapSquare};
    static constexpr Gdiplus::LineJoin kJoins[] = {Gdiplus::LineJoinMiter, Gdiplus::LineJoinRound, Gdiplus::LineJoinBevel};
    const Gdiplus::LineCap cap = kCaps[int(shape.line.cap)];
    if (pen.Record(flat::GdipSetPenLineCap197819(pen.Get(), cap, cap, Gdiplus::DashCapFlat)) != Gdiplus::Ok ||
        pen.Record(flat::GdipSetPenLineJoin(pen.Get(), kJoins[int(shape.line.join)])) != Gdiplus::Ok ||
        pen.Record(flat::GdipSetPenMiterLimit(pen.Get(), shape.line.miterLimit)) != Gdiplus::Ok) {
        return false;
    }
    return m_graphics.Record(flat::GdipDrawPath(m_graphics.Get(), pen.Get(), path.Get())) == Gdiplus::Ok;
}
