#include "DrawableReader.h"

#include <algorithm>

#include "PaintWork.h"
#include "ShapeDrawable.h"
#include "ValueNumbers.h"
#include "VectorDrawable.h"

namespace {

constexpr std::uint32_t kDrawable = 0x01010199;
constexpr std::uint32_t kSrc = 0x01010119;
constexpr std::uint32_t kGravity = 0x010100af;
constexpr std::uint32_t kWidth = 0x01010159;
constexpr std::uint32_t kHeight = 0x01010155;
constexpr std::uint32_t kItemSides[4] = {0x010101ad, 0x010101ae, 0x010101af, 0x010101b0};  // left top right bottom
constexpr const char* kItemSideNames[4] = {"left", "top", "right", "bottom"};
constexpr std::uint32_t kInset = 0x010104b5;
constexpr std::uint32_t kInsetSides[4] = {0x010101b7, 0x010101b9, 0x010101b8, 0x010101ba};  // left top right bottom
constexpr const char* kInsetSideNames[4] = {"insetLeft", "insetTop", "insetRight", "insetBottom"};

// Android's gravity bits of one axis: centred, pulled to the start, pulled to the end.
constexpr int kAxisSpecified = 1;
constexpr int kAxisPullBefore = 2;
constexpr int kAxisPullAfter = 4;

// Where a length of size goes on the span [from, to] under one axis's gravity bits;
// without any, at the start.
void Place(int axis, float size, float& from, float& to)
{
    if ((axis & (kAxisPullBefore | kAxisPullAfter)) == (kAxisPullBefore | kAxisPullAfter)) return;  // fill
    if (axis & kAxisPullAfter) {
        from = to - size;
    } else if ((axis & kAxisSpecified) && !(axis & kAxisPullBefore)) {
        from = (from + to - size) / 2;
        to = from + size;
    } else {
        to = from + size;
    }
}

const DrawableNode* ChildNamed(const CDrawableDocument& document, const DrawableNode& node, const char* name)
{
    for (const std::size_t index : node.children) {
        if (document.NameIs(document.Node(index), name)) return &document.Node(index);
    }
    return nullptr;
}

}  // namespace

bool CDrawableReader::ReadIcon(std::uint32_t resourceId, int size, IconScene& scene, std::string& entry)
{
    scene = IconScene();
    scene.size = size;
    m_pScene = &scene;
    std::string path;
    std::vector<std::uint8_t> bytes;
    CDrawableDocument document;
    if (size <= 0 || !m_files.ReadXml(resourceId, path, bytes) || !document.Load(std::move(bytes))) return false;
    const bool cutBefore = m_files.ReadBudget() && m_files.ReadBudget()->WasCut();
    m_layers.clear();
    const float side = float(size);
    bool drawn = false;
    if (document.NameIs(document.Root(), "adaptive-icon")) {
        m_fDpScale = side / kAdaptiveShownDp;
        const float margin = (kAdaptiveCanvasDp - kAdaptiveShownDp) / 2 * m_fDpScale;
        drawn = DrawAdaptive(document, {-margin, -margin, side + margin, side + margin}, 0);
        scene.maskCornerRadius = side * kMaskCornerFraction;
    } else {
        m_fDpScale = side / kLegacyIconDp;
        IconRect bounds{0, 0, side, side};
        // A vector icon keeps its own proportions, centred.
        float width = 0, height = 0;
        if (document.NameIs(document.Root(), "vector") &&
            CVectorDrawable::Size(document, m_files.Resolver(), width, height) && width != height) {
            const float scale = side / std::max(width, height);
            bounds = {(side - width * scale) / 2, (side - height * scale) / 2, 0, 0};
            bounds.right = bounds.left + width * scale;
            bounds.bottom = bounds.top + height * scale;
        }
        drawn = DrawElement(document, document.Root(), bounds, 0);
    }
    // A look-up cut short has left attributes at their defaults: not the icon.
    CReadBudget* budget = m_files.ReadBudget();
    if (!drawn || (budget && budget->WasCut() && !cutBefore) || scene.shapes.empty() ||
        scene.shapes.size() > CVectorDrawable::kMaxShapes) {
        return false;
    }
    for (IconShape& shape : scene.shapes) shape.line.width = CPaintWork::ClampedStroke(shape, side);
    if (!Affordable(scene)) return false;
    entry = path;
    return true;
}

// Painting and decoding counted before either starts, and the decoded pictures' peak
// held against the memory ceiling; without a budget, painting alone is bounded.
bool CDrawableReader::Affordable(const IconScene& scene)
{
    const double work = CPaintWork::OfScene(scene, CPaintWork::kScale);
    CReadBudget* budget = m_files.ReadBudget();
    if (!budget) return work <= CPaintWork::kMaxWork;
    if (!budget->Affords(ReadPhase::Drawing, work)) {
        budget->MarkCut(ReadPhase::Drawing);
        return false;
    }
    budget->Enter(ReadPhase::Decoding);
    const bool affordable = budget->Spend(CPaintWork::OfDecoding(scene)) && m_files.Hold(CPaintWork::DecodedPeakBytes(scene)) &&
                            budget->Spend(ReadPhase::Drawing, work);
    budget->Enter(ReadPhase::Icon);
    return affordable;
}

// Android draws the background under the foreground wherever each stands in the document.
bool CDrawableReader::DrawAdaptive(const CDrawableDocument& document, const IconRect& bounds, int depth)
{
    for (const char* layer : {"background", "foreground"}) {
        const DrawableNode* node = ChildNamed(document, document.Root(), layer);
        if (node && !DrawNested(document, *node, bounds, depth + 1)) return false;
    }
    return true;
}

// What an element draws: the resource or colour its android:drawable (or android:src)
// names, else its first child element; an element with neither draws nothing.
bool CDrawableReader::DrawNested(const CDrawableDocument& document, const DrawableNode& node, const IconRect& bounds,
                                 int depth)
{
    if (depth > kMaxNesting) return false;
    ResValue raw;
    if (document.RawValue(node, kDrawable, "drawable", raw) || document.RawValue(node, kSrc, "src", raw)) {
        if (raw.IsReference()) return DrawResource(raw.data, bounds, depth + 1);
        const IconPaint paint = raw.type == ResValue::kAttribute ? IconPaint() : m_paints.FromValue(raw);
        if (!paint.Draws()) return false;
        Fill(bounds, paint);
        return true;
    }
    if (node.children.empty()) return true;
    return DrawElement(document, document.Node(node.children.front()), bounds, depth + 1);
}

bool CDrawableReader::DrawResource(std::uint32_t resourceId, const IconRect& bounds, int depth)
{
    if (depth > kMaxNesting) return false;
    const ResValue reference{ResValue::kReference, resourceId};
    ResValue final;
    std::uint32_t argb = 0;
    if (m_files.Resolver().DefaultValue(reference, final) && CValueNumbers::Colour(final, argb)) {
        Fill(bounds, IconPaint::Solid(argb));
        return true;
    }
    if ((resourceId >> 24) == 0x01) {
        // The platform's own resources: only its public colours are known here.
        const IconPaint paint = m_paints.FromValue(reference);
        if (paint.kind != IconPaintKind::Solid) return false;
        Fill(bounds, paint);
        return true;
    }
    std::string path;
    std::vector<std::uint8_t> bytes;
    if (m_files.ReadXml(resourceId, path, bytes)) {
        CDrawableDocument document;
        return document.Load(std::move(bytes)) && DrawElement(document, document.Root(), bounds, depth + 1);
    }
    int layer = 0;
    if (!Layer(resourceId, layer)) return false;
    IconShape shape;
    shape.bitmap = layer;
    shape.bitmapRect = bounds;
    m_pScene->shapes.push_back(std::move(shape));
    return true;
}

// The scene's bitmap of the resource, read and kept once however many layers show it
// (and once for resources that name the same file). A picture larger than any icon
// needs is refused before it is decoded: the scene is not drawn, and the choice goes on
// to the bitmap as it is.
bool CDrawableReader::Layer(std::uint32_t resourceId, int& out)
{
    const auto known = m_layers.find(resourceId);
    if (known != m_layers.end()) {
        out = known->second;
        return out >= 0;
    }
    IconBitmap bitmap;
    if (!m_files.ReadBitmap(resourceId, m_acceptBitmap, bitmap)) return false;
    std::vector<IconBitmap>& bitmaps = m_pScene->bitmaps;
    const auto same = std::find_if(bitmaps.begin(), bitmaps.end(), [&](const IconBitmap& b) { return b.entry == bitmap.entry; });
    if (same != bitmaps.end()) {
        out = int(same - bitmaps.begin());
    } else if (!(CPaintWork::BitmapPixels(bitmap) <= CPaintWork::kMaxLayerPixels) || !m_files.Hold(bitmap.bytes.size())) {
        if (m_files.ReadBudget()) m_files.ReadBudget()->MarkCut(ReadPhase::Decoding);
        m_layers[resourceId] = -1;
        return false;
    } else {
        bitmaps.push_back(std::move(bitmap));
        out = int(bitmaps.size() - 1);
    }
    m_layers[resourceId] = out;
    return true;
}

bool CDrawableReader::DrawElement(const CDrawableDocument& document, const DrawableNode& node, const IconRect& bounds,
                                  int depth)
{
    if (depth > kMaxNesting) return false;
    auto is = [&](const char* name) { return document.NameIs(node, name); };
    if (is("vector")) {
        // aapt2 gives every vector a document of its own; one inside another is no vector.
        if (&node != &document.Root()) return false;
        CVectorDrawable vector(m_paints, m_files.Resolver(), m_files.Budget());
        return vector.Draw(document, bounds, *m_pScene);
    }
    if (is("layer-list")) return DrawLayerList(document, node, bounds, depth);
    if (is("inset")) return DrawInset(document, node, bounds, depth);
    if (is("selector") || is("level-list")) return DrawSelector(document, node, bounds, depth);
    if (is("shape")) {
        return CShapeDrawable::Draw(document, node, bounds, m_fDpScale, m_paints, m_files.Resolver(), *m_pScene);
    }
    if (is("color")) {
        const IconPaint paint = m_paints.Read(document, node, DrawableAttr::kColor, "color");
        if (paint.Draws()) Fill(bounds, paint);
        return true;
    }
    // Wrappers that show their drawable as it is: a bitmap or nine-patch over its bounds
    // (gravity not applied), an animated vector's first frame.
    if (is("bitmap") || is("nine-patch") || is("animated-vector")) return DrawNested(document, node, bounds, depth);
    return false;
}

bool CDrawableReader::DrawLayerList(const CDrawableDocument& document, const DrawableNode& node, const IconRect& bounds,
                                    int depth)
{
    for (const std::size_t index : node.children) {
        const DrawableNode& item = document.Node(index);
        if (!document.NameIs(item, "item")) continue;
        if (!DrawNested(document, item, LayerItemBounds(document, item, bounds), depth + 1)) return false;
    }
    return true;
}

// An item's bounds: the list's, moved in by android:left, top, right and bottom; an item
// with its own width or height is placed by its gravity (from the start without one).
IconRect CDrawableReader::LayerItemBounds(const CDrawableDocument& document, const DrawableNode& item,
                                          const IconRect& bounds) const
{
    const CResourceResolver& resolver = m_files.Resolver();
    float side[4];
    for (int i = 0; i < 4; ++i) side[i] = document.DimensionOr(item, kItemSides[i], kItemSideNames[i], resolver, 0) * m_fDpScale;
    IconRect r{bounds.left + side[0], bounds.top + side[1], bounds.right - side[2], bounds.bottom - side[3]};
    const std::int32_t gravity = document.IntegerOr(item, kGravity, "gravity", resolver, 0);
    const float width = document.DimensionOr(item, kWidth, "width", resolver, -1);
    const float height = document.DimensionOr(item, kHeight, "height", resolver, -1);
    if (width >= 0) Place(gravity & 7, width * m_fDpScale, r.left, r.right);
    if (height >= 0) Place((gravity >> 4) & 7, height * m_fDpScale, r.top, r.bottom);
    return r;
}

// android:inset for every side, android:insetLeft and the others for one; each a
// dimension or a fraction of the bounds' width (left, right) or height (top, bottom).
bool CDrawableReader::DrawInset(const CDrawableDocument& document, const DrawableNode& node, const IconRect& bounds,
                                int depth)
{
    const CResourceResolver& resolver = m_files.Resolver();
    auto length = [&](std::uint32_t id, const char* name, float span, float fallback) {
        ResValue value;
        float number = 0;
        if (!document.Value(node, id, name, resolver, value)) return fallback;
        if (CValueNumbers::Fraction(value, number)) return number * span;
        return CValueNumbers::Dimension(value, number) ? number * m_fDpScale : fallback;
    };
    float side[4];
    for (int i = 0; i < 4; ++i) {
        const float span = i % 2 == 0 ? bounds.Width() : bounds.Height();
        side[i] = length(kInsetSides[i], kInsetSideNames[i], span, length(kInset, "inset", span, 0));
    }
    const IconRect inner{bounds.left + side[0], bounds.top + side[1], bounds.right - side[2], bounds.bottom - side[3]};
    return DrawNested(document, node, inner, depth);
}

// A state list shows its first item that asks for no state, as nothing is pressed or
// checked; a level list is at level 0, its first item.
bool CDrawableReader::DrawSelector(const CDrawableDocument& document, const DrawableNode& node, const IconRect& bounds,
                                   int depth)
{
    for (const std::size_t index : node.children) {
        const DrawableNode& item = document.Node(index);
        if (!document.NameIs(item, "item") || CDrawableDocument::AsksForState(item)) continue;
        // A colour state list named as a drawable shows its colour.
        IconPaint colour = m_paints.Read(document, item, DrawableAttr::kColor, "color");
        if (colour.kind != IconPaintKind::Solid) return DrawNested(document, item, bounds, depth + 1);
        colour.MultiplyAlpha(document.FloatOr(item, DrawableAttr::kAlpha, "alpha", m_files.Resolver(), 1));
        Fill(bounds, colour);
        return true;
    }
    return false;
}

void CDrawableReader::Fill(const IconRect& bounds, const IconPaint& paint)
{
    IconShape shape;
    shape.path = IconPath::Rectangle(bounds);
    shape.fill = paint;
    if (shape.path.Finite()) m_pScene->shapes.push_back(std::move(shape));
}
