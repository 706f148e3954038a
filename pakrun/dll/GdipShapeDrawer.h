// Draws a scene's shapes with GDI+: paths filled and stroked with solid colours and
// gradients, limited by the scene's clips.
#pragma once

#include "GdiPlusObjects.h"
#include "GradientLayout.h"
#include "IconScene.h"

class CGdipShapeDrawer {
public:
    CGdipShapeDrawer(CGdipGraphics& graphics, const IconScene& scene) : m_graphics(graphics), m_scene(scene) {}

    // Limits drawing to the clip with this index (-1: the whole image).
    bool SetClip(int clip);
    bool Draw(const IconShape& shape);

    static CGdipPath MakePath(const IconPath& path, IconFillRule rule);

private:
    bool Fill(const CGdipPath& path, const IconRect& bounds, const IconPaint& paint);
    bool Stroke(const CGdipPath& path, const IconRect& bounds, const IconShape& shape);
    bool FillBands(const CGdipPath& path, const PixelGradient& gradient);
    bool FillSolid(const CGdipPath& path, Gdiplus::ARGB argb);

    CGdipGraphics& m_graphics;
    const IconScene& m_scene;
};
