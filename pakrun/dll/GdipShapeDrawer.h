// Draws a scene's shapes with GDI+: paths filled and stroked with solid colours and
// gradients, limited by the scene's clips.
#pragma once

#include "GdiPlusObjects.h"
#include "GradientLayout.h"
#include "IconScene.h"

class CGdipShapeDrawer {
public:
    // Computed gradient pixels one scene may use, all its radial and sweep gradients
    // together: a few icons' worth at the painter's scale. Beyond, a gradient is drawn in
    // the colour at its middle.
    static constexpr std::size_t kMaxGradientPixels = 1u << 20;

    // scale: device pixels per picture pixel (the graphics' world transform).
    CGdipShapeDrawer(CGdipGraphics& graphics, const IconScene& scene, float scale)
        : m_graphics(graphics), m_scene(scene), m_fScale(scale)
    {
    }

    // Limits drawing to the clip with this index (-1: the whole image).
    bool SetClip(int clip);
    bool Draw(const IconShape& shape);

    static CGdipPath MakePath(const IconPath& path, IconFillRule rule);

private:
    // A brush of the paint for what lies inside cover (picture pixels).
    CGdipBrush MakeBrush(const IconPaint& paint, const IconRect& cover);
    bool Stroke(const CGdipPath& path, const IconRect& bounds, const IconShape& shape);

    CGdipGraphics& m_graphics;
    const IconScene& m_scene;
    float m_fScale;
    std::size_t m_nGradientPixels = kMaxGradientPixels;
};
