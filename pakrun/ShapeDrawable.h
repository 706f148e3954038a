// A <shape> drawable: a rectangle (with rounded corners) or an oval over its bounds,
// filled with a solid colour or a gradient, with an optional stroke.
#pragma once

#include "DrawableDocument.h"
#include "IconScene.h"
#include "PaintReader.h"

class CShapeDrawable {
public:
    // dpScale: pixels per dp where the shape is drawn. False for a line or ring, which
    // are not drawn.
    static bool Draw(const CDrawableDocument& document, const DrawableNode& node, const IconRect& bounds,
                     float dpScale, CPaintReader& paints, const CResourceResolver& resolver, IconScene& scene);

private:
    static IconPaint Gradient(const CDrawableDocument& document, const DrawableNode& node, const IconRect& rect,
                              float dpScale, CPaintReader& paints, const CResourceResolver& resolver);
};
