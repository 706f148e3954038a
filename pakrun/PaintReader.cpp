#include "PaintReader.h"

#include <algorithm>

#include "ValueNumbers.h"

namespace {

// Colour state lists and gradients whose colours name further resources end here.
constexpr int kMaxPaintDepth = 4;

// The platform's public colours that icons name; the package's table does not hold them.
struct FrameworkColour {
    std::uint32_t id;
    std::uint32_t argb;
};
constexpr FrameworkColour kFrameworkColours[] = {
    {0x01060000, 0xFFAAAAAA},  // darker_gray
    {0x0106000b, 0xFFFFFFFF},  // white
    {0x0106000c, 0xFF000000},  // black
    {0x0106000d, 0x00000000},  // transparent
    {0x0106000e, 0xFF000000},  // background_dark
    {0x0106000f, 0xFFFFFFFF},  // background_light
};

std::uint32_t WithAlpha(std::uint32_t argb, float alpha)
{
    IconPaint paint = IconPaint::Solid(argb);
    paint.MultiplyAlpha(alpha);
    return paint.argb;
}

// Offsets from 0 to 1, never falling; one stop is a plain colour, none no paint.
void Normalise(IconPaint& paint)
{
    float previous = 0;
    for (IconGradientStop& stop : paint.stops) {
        stop.offset = std::clamp(stop.offset, previous, 1.0f);
        previous = stop.offset;
    }
    if (paint.stops.empty()) paint = IconPaint();
    else if (paint.stops.size() == 1) paint = IconPaint::Solid(paint.stops[0].argb);
}

}  // namespace

IconPaint CPaintReader::Read(const CDrawableDocument& document, const DrawableNode& node, std::uint32_t resourceId,
                             const char* name)
{
    ResValue raw;
    if (!document.RawValue(node, resourceId, name, raw)) return IconPaint();
    return FromValue(raw, 0);
}

IconPaint CPaintReader::FromValue(const ResValue& value)
{
    return FromValue(value, 0);
}

IconPaint CPaintReader::FromValue(const ResValue& value, int depth)
{
    std::uint32_t argb = 0;
    if (CValueNumbers::Colour(value, argb)) return IconPaint::Solid(argb);
    if (value.type == ResValue::kAttribute) return IconPaint::Solid(kNeutralColour);
    if (value.IsReference()) return FromReference(value, depth);
    return IconPaint();
}

IconPaint CPaintReader::FromReference(const ResValue& value, int depth)
{
    if (depth >= kMaxPaintDepth) return IconPaint();
    const auto cached = m_cache.find(value.data);
    if (cached != m_cache.end()) return cached->second;
    IconPaint paint;
    ResValue final;
    std::uint32_t argb = 0;
    if (m_files.Resolver().DefaultValue(value, final)) {
        if (CValueNumbers::Colour(final, argb)) paint = IconPaint::Solid(argb);
        else if (final.type == ResValue::kAttribute) paint = IconPaint::Solid(kNeutralColour);
        else if (final.type == ResValue::kString) paint = FromDocument(value.data, depth);
    } else if ((value.data >> 24) == 0x01) {
        paint = IconPaint::Solid(kNeutralColour);
        for (const FrameworkColour& known : kFrameworkColours) {
            if (known.id == value.data) paint = IconPaint::Solid(known.argb);
        }
    }
    m_cache[value.data] = paint;
    return paint;
}

IconPaint CPaintReader::FromDocument(std::uint32_t resourceId, int depth)
{
    std::string path;
    std::vector<std::uint8_t> bytes;
    CDrawableDocument document;
    if (!m_files.ReadXml(resourceId, path, bytes) || !document.Load(std::move(bytes))) return IconPaint();
    if (document.NameIs(document.Root(), "gradient")) return Gradient(document, document.Root());
    if (document.NameIs(document.Root(), "selector")) return StateListDefault(document, depth + 1);
    return IconPaint();
}

// The colour a colour state list shows by default: its first item's, unless a later
// item applies in every state.
IconPaint CPaintReader::StateListDefault(const CDrawableDocument& document, int depth)
{
    IconPaint result;
    for (const std::size_t index : document.Root().children) {
        const DrawableNode& item = document.Node(index);
        if (!document.NameIs(item, "item")) continue;
        bool found = false;
        std::uint32_t argb = ColourOf(document, item, DrawableAttr::kColor, "color", found, depth);
        if (!found) continue;
        argb = WithAlpha(argb, document.FloatOr(item, DrawableAttr::kAlpha, "alpha", m_files.Resolver(), 1.0f));
        if (!result.Draws() || !CDrawableDocument::NamesState(item)) result = IconPaint::Solid(argb);
    }
    return result;
}

std::uint32_t CPaintReader::ColourOf(const CDrawableDocument& document, const DrawableNode& node,
                                     std::uint32_t resourceId, const char* name, bool& found, int depth)
{
    ResValue raw;
    found = false;
    if (!document.RawValue(node, resourceId, name, raw)) return 0;
    const IconPaint paint = FromValue(raw, depth);
    found = paint.kind == IconPaintKind::Solid;
    return paint.argb;
}

IconPaint CPaintReader::Gradient(const CDrawableDocument& document, const DrawableNode& node)
{
    const CResourceResolver& resolver = m_files.Resolver();
    auto number = [&](std::uint32_t id, const char* name) { return document.FloatOr(node, id, name, resolver, 0); };
    IconPaint paint;
    const std::int32_t type = document.IntegerOr(node, DrawableAttr::kType, "type", resolver, 0);
    paint.kind = type == 1 ? IconPaintKind::Radial : type == 2 ? IconPaintKind::Sweep : IconPaintKind::Linear;
    if (paint.kind == IconPaintKind::Linear) {
        paint.start = {number(DrawableAttr::kStartX, "startX"), number(DrawableAttr::kStartY, "startY")};
        paint.end = {number(DrawableAttr::kEndX, "endX"), number(DrawableAttr::kEndY, "endY")};
    } else {
        paint.start = {number(DrawableAttr::kCenterX, "centerX"), number(DrawableAttr::kCenterY, "centerY")};
        paint.radius = number(DrawableAttr::kGradientRadius, "gradientRadius");
    }
    const std::int32_t tile = document.IntegerOr(node, DrawableAttr::kTileMode, "tileMode", resolver, 0);
    paint.tile = tile == 1 ? IconTileMode::Repeat : tile == 2 ? IconTileMode::Mirror : IconTileMode::Clamp;
    for (const std::size_t index : node.children) {
        const DrawableNode& item = document.Node(index);
        if (!document.NameIs(item, "item")) continue;
        bool found = false;
        const std::uint32_t argb = ColourOf(document, item, DrawableAttr::kColor, "color", found, 1);
        if (!found) continue;
        paint.stops.push_back({document.FloatOr(item, DrawableAttr::kOffset, "offset", resolver, 0), argb});
    }
    if (paint.stops.empty()) ColourStops(document, node, paint);
    const IconPaintKind kind = paint.kind;
    Normalise(paint);
    const bool degenerate = kind == IconPaintKind::Linear ? (paint.start.x == paint.end.x && paint.start.y == paint.end.y)
                                                          : (kind == IconPaintKind::Radial && !(paint.radius > 0));
    if (paint.kind == kind && degenerate) paint = IconPaint::Solid(paint.stops.back().argb);
    return paint;
}

bool CPaintReader::ColourStops(const CDrawableDocument& document, const DrawableNode& node, IconPaint& paint)
{
    bool hasStart = false, hasCenter = false, hasEnd = false;
    const std::uint32_t start = ColourOf(document, node, DrawableAttr::kStartColor, "startColor", hasStart, 1);
    const std::uint32_t center = ColourOf(document, node, DrawableAttr::kCenterColor, "centerColor", hasCenter, 1);
    const std::uint32_t end = ColourOf(document, node, DrawableAttr::kEndColor, "endColor", hasEnd, 1);
    if (!hasStart && !hasCenter && !hasEnd) return false;
    paint.stops.clear();
    paint.stops.push_back({0, start});
    if (hasCenter) paint.stops.push_back({0.5f, center});
    paint.stops.push_back({1, end});
    return true;
}
