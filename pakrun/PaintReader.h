// The paints of drawable documents: colour attributes given directly, as references
// into the resource table (colour values, colour state lists, gradients that aapt2
// moved into documents of their own), or as theme attributes, which a package alone
// cannot answer and which are drawn in a neutral grey.
#pragma once

#include <cstdint>
#include <unordered_map>

#include "DrawableDocument.h"
#include "IconFiles.h"
#include "IconScene.h"

namespace DrawableAttr {
constexpr std::uint32_t kColor = 0x010101a5;
constexpr std::uint32_t kAlpha = 0x0101031f;
constexpr std::uint32_t kType = 0x010101a1;
constexpr std::uint32_t kStartColor = 0x0101019d;
constexpr std::uint32_t kCenterColor = 0x0101020b;
constexpr std::uint32_t kEndColor = 0x0101019e;
constexpr std::uint32_t kStartX = 0x01010510;
constexpr std::uint32_t kStartY = 0x01010511;
constexpr std::uint32_t kEndX = 0x01010512;
constexpr std::uint32_t kEndY = 0x01010513;
constexpr std::uint32_t kCenterX = 0x010101a2;
constexpr std::uint32_t kCenterY = 0x010101a3;
constexpr std::uint32_t kGradientRadius = 0x010101a4;
constexpr std::uint32_t kTileMode = 0x01010201;
constexpr std::uint32_t kOffset = 0x01010514;
}  // namespace DrawableAttr

class CPaintReader {
public:
    // What a theme attribute's colour is drawn in.
    static constexpr std::uint32_t kNeutralColour = 0xFF808080;

    explicit CPaintReader(CIconFiles& files) : m_files(files) {}

    // The paint of the element's colour attribute; kind None when it is absent, @null or
    // leads nowhere. A gradient is in the coordinates of the document that names it.
    IconPaint Read(const CDrawableDocument& document, const DrawableNode& node, std::uint32_t resourceId,
                   const char* name);
    // The paint a typed value stands for.
    IconPaint FromValue(const ResValue& value);

    // A vector's <gradient> element: linear, radial or sweep, its stops from <item>
    // children or from its start, centre and end colours.
    IconPaint Gradient(const CDrawableDocument& document, const DrawableNode& node);
    // The stops of start, centre and end colours (a shape's gradient); false for none.
    bool ColourStops(const CDrawableDocument& document, const DrawableNode& node, IconPaint& paint);

private:
    IconPaint FromReference(const ResValue& value, int depth);
    IconPaint FromValue(const ResValue& value, int depth);
    IconPaint FromDocument(std::uint32_t resourceId, int depth);
    IconPaint StateListDefault(const CDrawableDocument& document, int depth);
    std::uint32_t ColourOf(const CDrawableDocument& document, const DrawableNode& node, std::uint32_t resourceId,
                           const char* name, bool& found, int depth);

    CIconFiles& m_files;
    // Paints by resource id: inlined gradients are read once however often they are named.
    std::unordered_map<std::uint32_t, IconPaint> m_cache;
};
