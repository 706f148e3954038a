#include "IconScene.h"

#include <algorithm>
#include <cmath>

namespace {

std::uint32_t WithAlphaTimes(std::uint32_t argb, float factor)
{
    // NaN, which a crafted float can be, counts as nothing.
    const float kept = factor >= 0 ? std::min(factor, 1.0f) : 0.0f;
    const float alpha = float(argb >> 24) * kept;
    return (std::uint32_t(std::lround(alpha)) << 24) | (argb & 0x00FFFFFFu);
}

}  // namespace

IconPaint IconPaint::Solid(std::uint32_t argb)
{
    IconPaint paint;
    paint.kind = IconPaintKind::Solid;
    paint.argb = argb;
    return paint;
}

void IconPaint::MultiplyAlpha(float factor)
{
    argb = WithAlphaTimes(argb, factor);
    for (IconGradientStop& stop : stops) stop.argb = WithAlphaTimes(stop.argb, factor);
}
