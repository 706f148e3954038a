// Any bytes as a drawable document, drawn as a vector or a shape, its gradients laid out
// and the work of painting it counted.
#include <cstdint>
#include <vector>

#include "GradientLayout.h"
#include "PaintWork.h"
#include "ShapeDrawable.h"
#include "VectorDrawable.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CDrawableDocument document;
    if (!document.Load(std::vector<std::uint8_t>(data, data + size))) return 0;
    const CZipArchive zip;
    const CResourceResolver resolver(nullptr);
    CIconFiles files(zip, resolver);
    CPaintReader paints(files);
    IconScene scene;
    const IconRect bounds{-17.5f, -17.5f, 87.5f, 87.5f};
    CVectorDrawable vector(paints, resolver, files.Budget());
    if (!vector.Draw(document, bounds, scene)) {
        CShapeDrawable::Draw(document, document.Root(), bounds, 70.0f / 72, paints, resolver, scene);
    }
    if (scene.shapes.size() > CVectorDrawable::kMaxShapes + 1 || scene.clips.size() > CVectorDrawable::kMaxClips) {
        __builtin_trap();
    }
    scene.size = 70;
    // Never less than a shape's share: a count that came out small would let the scene through.
    const double work = CPaintWork::OfScene(scene, CPaintWork::kScale);
    if (work < CPaintWork::kPerShape * double(scene.shapes.size())) __builtin_trap();
    for (const IconShape& shape : scene.shapes) {
        if (shape.clip >= int(scene.clips.size())) __builtin_trap();
        for (const IconPaint* paint : {&shape.fill, &shape.stroke}) {
            const PixelGradient gradient = CGradientLayout::Layout(*paint, {0, 0, 70, 70}, 1, 4900);
            if (gradient.pixels.argb.size() > 4900) __builtin_trap();
        }
    }
    return 0;
}
