// Draws an icon resource that is XML into a scene: an adaptive icon's background and
// foreground layers (colour, vector, shape or bitmap, also inside <inset>, <layer-list>
// and <selector>) on its 108 x 108 dp canvas, of which the middle 72 x 72 fill the
// image, seen through a rounded square; any other drawable fills the image unmasked.
// The monochrome layer, which only themed launchers show, is left out.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>

#include "DrawableDocument.h"
#include "IconFiles.h"
#include "IconScene.h"
#include "PaintReader.h"

class CDrawableReader {
public:
    // Drawables within drawables end here.
    static constexpr int kMaxNesting = 8;
    static constexpr float kAdaptiveCanvasDp = 108;
    static constexpr float kAdaptiveShownDp = 72;
    // The rounded square's corner radius as a part of its side, as launchers draw it.
    static constexpr float kMaskCornerFraction = 0.2f;
    // The size of a launcher icon that is not adaptive.
    static constexpr float kLegacyIconDp = 48;

    // acceptBitmap says which bitmap formats the painter can draw in a layer.
    CDrawableReader(CIconFiles& files, bool (*acceptBitmap)(ImageKind))
        : m_files(files), m_paints(files), m_acceptBitmap(acceptBitmap)
    {
    }

    // The resource's XML drawn into a square of size pixels; entry is the document read.
    // False when it has no XML, or anything in it cannot be drawn.
    bool ReadIcon(std::uint32_t resourceId, int size, IconScene& scene, std::string& entry);

private:
    bool DrawResource(std::uint32_t resourceId, const IconRect& bounds, int depth);
    bool DrawElement(const CDrawableDocument& document, const DrawableNode& node, const IconRect& bounds, int depth);
    bool DrawNested(const CDrawableDocument& document, const DrawableNode& node, const IconRect& bounds, int depth);
    bool DrawAdaptive(const CDrawableDocument& document, const IconRect& bounds, int depth);
    bool DrawLayerList(const CDrawableDocument& document, const DrawableNode& node, const IconRect& bounds, int depth);
    bool DrawInset(const CDrawableDocument& document, const DrawableNode& node, const IconRect& bounds, int depth);
    bool DrawSelector(const CDrawableDocument& document, const DrawableNode& node, const IconRect& bounds, int depth);
    IconRect LayerItemBounds(const CDrawableDocument& document, const DrawableNode& item, const IconRect& bounds) const;
    void Fill(const IconRect& bounds, const IconPaint& paint);
    bool Layer(std::uint32_t resourceId, int& out);
    bool Affordable(const IconScene& scene);

    CIconFiles& m_files;
    CPaintReader m_paints;
    bool (*m_acceptBitmap)(ImageKind);
    IconScene* m_pScene = nullptr;
    float m_fDpScale = 1;  // pixels per dp
    std::unordered_map<std::uint32_t, int> m_layers;  // bitmap layers by resource id
};
