// A <vector> drawable: its viewport stretched over the bounds it is drawn into, groups
// with translation, scale, rotation about a pivot, clip paths that limit the rest of
// their group, and paths filled and stroked with colours, gradients and alphas.
#pragma once

#include <cstdint>

#include "DrawableDocument.h"
#include "IconFiles.h"
#include "IconScene.h"
#include "PaintReader.h"

namespace VectorAttr {
constexpr std::uint32_t kWidth = 0x01010159;
constexpr std::uint32_t kHeight = 0x01010155;
constexpr std::uint32_t kViewportWidth = 0x01010402;
constexpr std::uint32_t kViewportHeight = 0x01010403;
constexpr std::uint32_t kTint = 0x01010121;
constexpr std::uint32_t kRotation = 0x01010326;
constexpr std::uint32_t kPivotX = 0x010101b5;
constexpr std::uint32_t kPivotY = 0x010101b6;
constexpr std::uint32_t kScaleX = 0x01010324;
constexpr std::uint32_t kScaleY = 0x01010325;
constexpr std::uint32_t kTranslateX = 0x0101045a;
constexpr std::uint32_t kTranslateY = 0x0101045b;
constexpr std::uint32_t kPathData = 0x01010405;
constexpr std::uint32_t kFillColor = 0x01010404;
constexpr std::uint32_t kStrokeColor = 0x01010406;
constexpr std::uint32_t kStrokeWidth = 0x01010407;
constexpr std::uint32_t kTrimPathStart = 0x01010408;
constexpr std::uint32_t kTrimPathEnd = 0x01010409;
constexpr std::uint32_t kStrokeLineCap = 0x0101040b;
constexpr std::uint32_t kStrokeLineJoin = 0x0101040c;
constexpr std::uint32_t kStrokeMiterLimit = 0x0101040d;
constexpr std::uint32_t kStrokeAlpha = 0x010104cb;
constexpr std::uint32_t kFillAlpha = 0x010104cc;
constexpr std::uint32_t kFillType = 0x0101051e;
}  // namespace VectorAttr

class CVectorDrawable {
public:
    static constexpr int kMaxGroupDepth = 64;
    // Shapes of one scene; beyond, painting would take longer than the window may wait.
    static constexpr std::size_t kMaxShapes = 2048;
    static constexpr std::size_t kMaxClips = 256;

    CVectorDrawable(CPaintReader& paints, const CResourceResolver& resolver, IconReadBudget& budget)
        : m_paints(paints), m_resolver(resolver), m_budget(budget)
    {
    }

    // Appends the document's paths, mapped into bounds (pixels), to the scene. False when
    // the document is no usable vector or its paths exceed the budget or the limits.
    bool Draw(const CDrawableDocument& document, const IconRect& bounds, IconScene& scene);

    // The vector's own size in dp (android:width and android:height).
    static bool Size(const CDrawableDocument& document, const CResourceResolver& resolver, float& width,
                     float& height);

private:
    struct Group {
        IconMatrix matrix;  // the group's coordinates to pixels
        int clip = -1;
    };

    bool DrawChildren(const DrawableNode& node, Group group, int depth);
    bool DrawPath(const DrawableNode& node, const Group& group);
    bool AddClip(const DrawableNode& node, Group& group);
    IconMatrix LocalMatrix(const DrawableNode& node) const;
    // A stroke width's factor under the matrix, as Android scales it.
    float StrokeScale(const IconMatrix& groupMatrix) const;
    // Reads a path's data; false when the budget runs out.
    bool ReadPath(const DrawableNode& node, IconPath& path, bool& present);
    // The vector stops at one of its bounds: the read's budget records the phase; false.
    bool Stopped(ReadPhase phase) const;
    IconPaint Paint(const DrawableNode& node, std::uint32_t colourId, const char* colourName, std::uint32_t alphaId,
                    const char* alphaName, const IconMatrix& matrix);

    CPaintReader& m_paints;
    const CResourceResolver& m_resolver;
    IconReadBudget& m_budget;
    const CDrawableDocument* m_pDocument = nullptr;
    IconScene* m_pScene = nullptr;
    IconMatrix m_viewport;  // the viewport's coordinates to pixels
    float m_fViewportScale = 1;
    float m_fAlpha = 1;
    IconPaint m_tint;
};
