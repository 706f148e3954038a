#include "ShapeDrawable.h"

#include <cmath>

#include "ValueNumbers.h"

namespace {

constexpr std::uint32_t kShape = 0x0101019a;
constexpr std::uint32_t kWidth = 0x01010159;
constexpr std::uint32_t kAngle = 0x010101a0;
constexpr std::uint32_t kRadius = 0x010101a8;
constexpr std::uint32_t kCornerRadii[4] = {0x010101a9, 0x010101aa, 0x010101ab, 0x010101ac};
constexpr const char* kCornerNames[4] = {"topLeftRadius", "topRightRadius", "bottomLeftRadius", "bottomRightRadius"};

const DrawableNode* Child(const CDrawableDocument& document, const DrawableNode& node, const char* name)
{
    for (const std::size_t index : node.children) {
        if (document.NameIs(document.Node(index), name)) return &document.Node(index);
    }
    return nullptr;
}

// A centre given as a float or a fraction of the bounds; 0.5 when absent.
float CentreFraction(const CDrawableDocument& document, const DrawableNode& node, std::uint32_t id, const char* name,
                     const CResourceResolver& resolver)
{
    ResValue value;
    float number = 0.5f;
    if (document.Value(node, id, name, resolver, value) &&
        (CValueNumbers::Fraction(value, number) || CValueNumbers::Float(value, number))) {
        return number;
    }
    return 0.5f;
}

// One radius for all corners: android:radius, else the mean of the corners given.
float CornerRadius(const CDrawableDocument& document, const DrawableNode& corners, float dpScale,
                   const CResourceResolver& resolver)
{
    const float radius = document.DimensionOr(corners, kRadius, "radius", resolver, -1);
    if (radius >= 0) return radius * dpScale;
    float sum = 0;
    for (int i = 0; i < 4; ++i) sum += document.DimensionOr(corners, kCornerRadii[i], kCornerNames[i], resolver, 0);
    return sum / 4 * dpScale;
}

}  // namespace

bool CShapeDrawable::Draw(const CDrawableDocument& document, const DrawableNode& node, const IconRect& bounds,
                          float dpScale, CPaintReader& paints, const CResourceResolver& resolver, IconScene& scene)
{
    const std::int32_t type = document.IntegerOr(node, kShape, "shape", resolver, 0);
    if (type != 0 && type != 1) return false;
    IconShape shape;
    if (const DrawableNode* stroke = Child(document, node, "stroke")) {
        shape.line.width = document.DimensionOr(*stroke, kWidth, "width", resolver, 0) * dpScale;
        shape.stroke = paints.Read(document, *stroke, DrawableAttr::kColor, "color");
        if (!(shape.line.width > 0)) shape.stroke = IconPaint();
    }
    // The stroke lies inside the bounds: the outline runs half its width in.
    IconRect rect = bounds;
    if (shape.stroke.Draws()) {
        const float half = shape.line.width / 2;
        rect = {bounds.left + half, bounds.top + half, bounds.right - half, bounds.bottom - half};
    }
    if (const DrawableNode* gradient = Child(document, node, "gradient")) {
        shape.fill = Gradient(document, *gradient, rect, dpScale, paints, resolver);
    } else if (const DrawableNode* solid = Child(document, node, "solid")) {
        shape.fill = paints.Read(document, *solid, DrawableAttr::kColor, "color");
    }
    if (type == 1) {
        shape.path = IconPath::Ellipse(rect);
    } else {
        const DrawableNode* corners = Child(document, node, "corners");
        shape.path = IconPath::RoundedRectangle(rect, corners ? CornerRadius(document, *corners, dpScale, resolver) : 0);
    }
    if ((shape.fill.Draws() || shape.stroke.Draws()) && shape.path.Finite()) scene.shapes.push_back(std::move(shape));
    return true;
}

// A shape's gradient lies over the shape: linear along android:angle (0 left to right,
// 90 bottom to top, in steps of 45 degrees, corner to corner on the diagonals), radial
// and sweep about a centre given as fractions of the shape.
IconPaint CShapeDrawable::Gradient(const CDrawableDocument& document, const DrawableNode& node, const IconRect& r,
                                   float dpScale, CPaintReader& paints, const CResourceResolver& resolver)
{
    IconPaint paint;
    if (!paints.ColourStops(document, node, paint)) return IconPaint();
    const std::int32_t type = document.IntegerOr(node, DrawableAttr::kType, "type", resolver, 0);
    const float centreX = CentreFraction(document, node, DrawableAttr::kCenterX, "centerX", resolver);
    const float centreY = CentreFraction(document, node, DrawableAttr::kCenterY, "centerY", resolver);
    if (type == 1 || type == 2) {
        paint.kind = type == 1 ? IconPaintKind::Radial : IconPaintKind::Sweep;
        paint.start = {r.left + r.Width() * centreX, r.top + r.Height() * centreY};
        ResValue value;
        float radius = 0;
        if (document.Value(node, DrawableAttr::kGradientRadius, "gradientRadius", resolver, value)) {
            if (CValueNumbers::Fraction(value, radius)) radius *= std::fmin(r.Width(), r.Height());
            else if (CValueNumbers::Dimension(value, radius)) radius *= dpScale;
        }
        paint.radius = radius;
        if (type == 1 && !(radius > 0)) return IconPaint::Solid(paint.stops.back().argb);
        return paint;
    }
    paint.kind = IconPaintKind::Linear;
    if (paint.stops.size() == 3) paint.stops[1].offset = std::fmin(std::fmax(centreX, 0.0f), 1.0f);
    const float angle = document.FloatOr(node, kAngle, "angle", resolver, 0);
    const int octant = ((int(std::lround(std::fmod(angle, 360.0f) / 45)) % 8) + 8) % 8;
    // Start and end as fractions of the rectangle for 0, 45, ... 315 degrees.
    static constexpr float kEnds[8][4] = {{0, 0, 1, 0}, {0, 1, 1, 0}, {0, 1, 0, 0}, {1, 1, 0, 0},
                                          {1, 0, 0, 0}, {1, 0, 0, 1}, {0, 0, 0, 1}, {0, 0, 1, 1}};
    const float* e = kEnds[octant];
    paint.start = {r.left + r.Width() * e[0], r.top + r.Height() * e[1]};
    paint.end = {r.left + r.Width() * e[2], r.top + r.Height() * e[3]};
    return paint;
}
