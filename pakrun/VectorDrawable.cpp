#include "VectorDrawable.h"

#include <algorithm>
#include <cmath>

#include "PathData.h"

namespace {

// Wider than any icon; a crafted width beyond it only makes the painter slow.
constexpr float kMaxStrokeWidth = 10000;

// Android's SRC_IN tint: every drawn colour becomes the tint's, keeping its own alpha.
void ApplyTint(IconPaint& paint, const IconPaint& tint)
{
    if (tint.kind != IconPaintKind::Solid || !paint.Draws()) return;
    const float tintAlpha = float(tint.argb >> 24) / 255.0f;
    auto tinted = [&](std::uint32_t argb) { return (argb & 0xFF000000u) | (tint.argb & 0x00FFFFFFu); };
    paint.argb = tinted(paint.argb);
    for (IconGradientStop& stop : paint.stops) stop.argb = tinted(stop.argb);
    paint.MultiplyAlpha(tintAlpha);
}

}  // namespace

bool CVectorDrawable::Stopped(ReadPhase phase) const
{
    if (m_resolver.Budget()) m_resolver.Budget()->MarkCut(phase);
    return false;
}

bool CVectorDrawable::Size(const CDrawableDocument& document, const CResourceResolver& resolver, float& width,
                           float& height)
{
    const DrawableNode& root = document.Root();
    width = document.DimensionOr(root, VectorAttr::kWidth, "width", resolver, 0);
    height = document.DimensionOr(root, VectorAttr::kHeight, "height", resolver, 0);
    return width > 0 && height > 0;
}

bool CVectorDrawable::Draw(const CDrawableDocument& document, const IconRect& bounds, IconScene& scene)
{
    const DrawableNode& root = document.Root();
    if (!document.NameIs(root, "vector")) return false;
    const float viewportWidth = document.FloatOr(root, VectorAttr::kViewportWidth, "viewportWidth", m_resolver, 0);
    const float viewportHeight = document.FloatOr(root, VectorAttr::kViewportHeight, "viewportHeight", m_resolver, 0);
    // Android refuses a vector without a positive viewport.
    if (!(viewportWidth > 0) || !(viewportHeight > 0)) return false;
    const float scaleX = bounds.Width() / viewportWidth, scaleY = bounds.Height() / viewportHeight;
    m_viewport = IconMatrix::Combine(IconMatrix::Translate(bounds.left, bounds.top), IconMatrix::Scale(scaleX, scaleY));
    m_fViewportScale = std::min(scaleX, scaleY);
    m_fAlpha = document.FloatOr(root, DrawableAttr::kAlpha, "alpha", m_resolver, 1);
    m_tint = m_paints.Read(document, root, VectorAttr::kTint, "tint");
    m_pDocument = &document;
    m_pScene = &scene;
    return DrawChildren(root, Group(), 0);
}

bool CVectorDrawable::DrawChildren(const DrawableNode& node, Group group, int depth)
{
    if (depth >= kMaxGroupDepth) return true;
    for (const std::size_t index : node.children) {
        const DrawableNode& child = m_pDocument->Node(index);
        if (m_pDocument->NameIs(child, "group")) {
            Group inner = group;
            inner.matrix = IconMatrix::Combine(group.matrix, LocalMatrix(child));
            if (!DrawChildren(child, inner, depth + 1)) return false;
        } else if (m_pDocument->NameIs(child, "path")) {
            if (!DrawPath(child, group)) return false;
        } else if (m_pDocument->NameIs(child, "clip-path")) {
            if (!AddClip(child, group)) return false;
        }
    }
    return true;
}

// Android's order: to the pivot, scaled, rotated, back from the pivot and translated.
IconMatrix CVectorDrawable::LocalMatrix(const DrawableNode& node) const
{
    auto number = [&](std::uint32_t id, const char* name, float fallback) {
        return m_pDocument->FloatOr(node, id, name, m_resolver, fallback);
    };
    const float pivotX = number(VectorAttr::kPivotX, "pivotX", 0), pivotY = number(VectorAttr::kPivotY, "pivotY", 0);
    IconMatrix m = IconMatrix::Translate(-pivotX, -pivotY);
    m = IconMatrix::Combine(IconMatrix::Scale(number(VectorAttr::kScaleX, "scaleX", 1),
                                              number(VectorAttr::kScaleY, "scaleY", 1)), m);
    m = IconMatrix::Combine(IconMatrix::Rotate(number(VectorAttr::kRotation, "rotation", 0)), m);
    return IconMatrix::Combine(IconMatrix::Translate(number(VectorAttr::kTranslateX, "translateX", 0) + pivotX,
                                                     number(VectorAttr::kTranslateY, "translateY", 0) + pivotY), m);
}

float CVectorDrawable::StrokeScale(const IconMatrix& g) const
{
    const float scaleX = std::hypot(g.a, g.b), scaleY = std::hypot(g.c, g.d);
    const float largest = std::max(scaleX, scaleY);
    const float matrixScale = largest > 0 ? std::fabs(g.Determinant()) / largest : 0;
    return matrixScale * m_fViewportScale;
}

IconPaint CVectorDrawable::Paint(const DrawableNode& node, std::uint32_t colourId, const char* colourName,
                                 std::uint32_t alphaId, const char* alphaName, const IconMatrix& matrix)
{
    IconPaint paint = m_paints.Read(*m_pDocument, node, colourId, colourName);
    if (!paint.Draws()) return paint;
    paint.MultiplyAlpha(m_pDocument->FloatOr(node, alphaId, alphaName, m_resolver, 1) * m_fAlpha);
    ApplyTint(paint, m_tint);
    paint.transform = matrix;
    return paint;
}

bool CVectorDrawable::ReadPath(const DrawableNode& node, IconPath& path, bool& present)
{
    std::u16string data;
    present = m_pDocument->Text(node, VectorAttr::kPathData, "pathData", m_resolver, data);
    if (!present) return true;
    if (CPathData::Parse(data, path, m_budget.pathCommands) == PathParse::OverBudget ||
        path.points.size() > m_budget.pathPoints) {
        Stopped(ReadPhase::Icon);
        return false;
    }
    m_budget.pathPoints -= path.points.size();
    return true;
}

bool CVectorDrawable::DrawPath(const DrawableNode& node, const Group& group)
{
    // A path trimmed to nothing is not drawn; any other trim draws it whole.
    if (m_pDocument->FloatOr(node, VectorAttr::kTrimPathEnd, "trimPathEnd", m_resolver, 1) <=
        m_pDocument->FloatOr(node, VectorAttr::kTrimPathStart, "trimPathStart", m_resolver, 0)) {
        return true;
    }
    IconShape shape;
    bool present = false;
    if (!ReadPath(node, shape.path, present)) return false;
    if (!present) return true;
    if (m_pScene->shapes.size() >= kMaxShapes) return Stopped(ReadPhase::Drawing);
    const IconMatrix matrix = IconMatrix::Combine(m_viewport, group.matrix);
    shape.fill = Paint(node, VectorAttr::kFillColor, "fillColor", VectorAttr::kFillAlpha, "fillAlpha", matrix);
    shape.stroke = Paint(node, VectorAttr::kStrokeColor, "strokeColor", VectorAttr::kStrokeAlpha, "strokeAlpha", matrix);
    const float strokeWidth = m_pDocument->FloatOr(node, VectorAttr::kStrokeWidth, "strokeWidth", m_resolver, 0);
    shape.line.width = std::min(strokeWidth * StrokeScale(group.matrix), kMaxStrokeWidth);
    if (!(shape.line.width > 0)) shape.stroke = IconPaint();
    // A lone move draws nothing.
    if (shape.path.points.size() < 2 || (!shape.fill.Draws() && !shape.stroke.Draws())) return true;
    shape.path.Transform(matrix);
    if (!shape.path.Finite()) return true;
    auto integer = [&](std::uint32_t id, const char* name) { return m_pDocument->IntegerOr(node, id, name, m_resolver, 0); };
    shape.rule = integer(VectorAttr::kFillType, "fillType") == 1 ? IconFillRule::EvenOdd : IconFillRule::NonZero;
    const std::int32_t cap = integer(VectorAttr::kStrokeLineCap, "strokeLineCap");
    shape.line.cap = cap == 1 ? IconLineCap::Round : cap == 2 ? IconLineCap::Square : IconLineCap::Butt;
    const std::int32_t join = integer(VectorAttr::kStrokeLineJoin, "strokeLineJoin");
    shape.line.join = join == 1 ? IconLineJoin::Round : join == 2 ? IconLineJoin::Bevel : IconLineJoin::Miter;
    shape.line.miterLimit =
        std::max(1.0f, m_pDocument->FloatOr(node, VectorAttr::kStrokeMiterLimit, "strokeMiterLimit", m_resolver, 4));
    shape.clip = group.clip;
    m_pScene->shapes.push_back(std::move(shape));
    return true;
}

// A clip path limits what its group draws after it, on top of the clips already in force.
bool CVectorDrawable::AddClip(const DrawableNode& node, Group& group)
{
    // Android clips by the non-zero rule whatever the element says.
    IconClipPath clipPath;
    bool present = false;
    if (!ReadPath(node, clipPath.path, present)) return false;
    if (!present) return true;
    if (m_pScene->clips.size() >= kMaxClips) return Stopped(ReadPhase::Drawing);
    clipPath.path.Transform(IconMatrix::Combine(m_viewport, group.matrix));
    if (!clipPath.path.Finite()) clipPath.path = IconPath();
    m_pScene->clips.push_back(IconClip{std::move(clipPath), group.clip});
    group.clip = int(m_pScene->clips.size() - 1);
    return true;
}
