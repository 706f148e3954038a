#include "GdipShapeDrawer.h"

#include <vector>

namespace flat = Gdiplus::DllExports;

namespace {

// Saves the graphics' clip and settings for one scope and restores them after.
class CGraphicsState {
public:
    explicit CGraphicsState(CGdipGraphics& graphics) : m_graphics(graphics)
    {
        m_bSaved = flat::GdipSaveGraphics(graphics.Get(), &m_state) == Gdiplus::Ok;
    }
    ~CGraphicsState()
    {
        if (m_bSaved) flat::GdipRestoreGraphics(m_graphics.Get(), m_state);
    }
    CGraphicsState(const CGraphicsState&) = delete;
    CGraphicsState& operator=(const CGraphicsState&) = delete;

    explicit operator bool() const { return m_bSaved; }

private:
    CGdipGraphics& m_graphics;
    Gdiplus::GraphicsState m_state = 0;
    bool m_bSaved = false;
};

IconRect Inflated(const IconRect& r, float by)
{
    return {r.left - by, r.top - by, r.right + by, r.bottom + by};
}

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
CGdipLineGradient MakeLineBrush(const PixelGradient& gradient)
{
    const Gdiplus::GpPointF start{gradient.start.x, gradient.start.y};
    const Gdiplus::GpPointF end{gradient.end.x, gradient.end.y};
    const Gdiplus::WrapMode wrap = gradient.tile == IconTileMode::Mirror ? Gdiplus::WrapModeTileFlipX : Gdiplus::WrapModeTile;
    CGdipLineGradient brush;
    brush.Record(flat::GdipCreateLineBrush(&start, &end, gradient.stops.front().argb, gradient.stops.back().argb, wrap,
                                           brush.Receive()));
    const Blend blend = BlendOf(gradient.stops);
    if (brush && brush.Record(flat::GdipSetLinePresetBlend(brush.Get(), blend.colours.data(), blend.positions.data(),
                                                           INT(blend.colours.size()))) != Gdiplus::Ok) {
        brush.Reset();
    }
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
    return (!shape.fill.Draws() || Fill(path, bounds, shape.fill)) &&
           (!shape.stroke.Draws() || Stroke(path, bounds, shape));
}

bool CGdipShapeDrawer::FillSolid(const CGdipPath& path, Gdiplus::ARGB argb)
{
    CGdipSolidBrush brush;
    brush.Record(flat::GdipCreateSolidFill(argb, brush.Receive()));
    return brush && m_graphics.Record(flat::GdipFillPath(m_graphics.Get(), brush.Get(), path.Get())) == Gdiplus::Ok;
}

bool CGdipShapeDrawer::Fill(const CGdipPath& path, const IconRect& bounds, const IconPaint& paint)
{
    if (paint.kind == IconPaintKind::Solid) return FillSolid(path, paint.argb);
    const PixelGradient gradient = CGradientLayout::Layout(paint, bounds);
    switch (gradient.kind) {
    case IconPaintKind::Linear: {
        const CGdipLineGradient brush = MakeLineBrush(gradient);
        return brush && m_graphics.Record(flat::GdipFillPath(m_graphics.Get(), brush.Get(), path.Get())) == Gdiplus::Ok;
    }
    case IconPaintKind::Radial:
    case IconPaintKind::Sweep: return FillBands(path, gradient);
    default: return true;  // a gradient flattened to nothing shows nothing
    }
}

// Bands of one colour each, inside the shape; drawn without smoothing so that no seam
// shows between neighbours (the shape's own edge is the clip's).
bool CGdipShapeDrawer::FillBands(const CGdipPath& path, const PixelGradient& gradient)
{
    const CGraphicsState state(m_graphics);
    if (!state ||
        m_graphics.Record(flat::GdipSetClipPath(m_graphics.Get(), path.Get(), Gdiplus::CombineModeIntersect)) != Gdiplus::Ok ||
        m_graphics.Record(flat::GdipSetSmoothingMode(m_graphics.Get(), Gdiplus::SmoothingModeNone)) != Gdiplus::Ok) {
        return false;
    }
    for (const IconBand& band : gradient.bands) {
        const CGdipPath bandPath = MakePath(band.path, band.rule);
        if (!bandPath || !FillSolid(bandPath, band.argb)) return false;
    }
    return true;
}

bool CGdipShapeDrawer::Stroke(const CGdipPath& path, const IconRect& bounds, const IconShape& shape)
{
    const IconPaint& paint = shape.stroke;
    const Gdiplus::REAL width = shape.line.width;
    CGdipPen pen;
    const PixelGradient gradient = paint.kind == IconPaintKind::Solid ? PixelGradient()
                                                                      : CGradientLayout::Layout(paint, Inflated(bounds, width));
    if (gradient.kind == IconPaintKind::Linear) {
        const CGdipLineGradient brush = MakeLineBrush(gradient);
        if (brush) pen.Record(flat::GdipCreatePen2(brush.Get(), width, Gdiplus::UnitWorld, pen.Receive()));
    } else {
        // Rings and sweeps along a line are drawn in the gradient's middle colour.
        const Gdiplus::ARGB argb = paint.kind == IconPaintKind::Solid ? paint.argb : CGradientLayout::ColourAt(paint.stops, 0.5f);
        pen.Record(flat::GdipCreatePen1(argb, width, Gdiplus::UnitWorld, pen.Receive()));
    }
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
