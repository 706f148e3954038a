#include "DisplayScale.h"

namespace {

// Beyond 20 times the base no display exists; the bound also keeps products in range.
constexpr int kMaxDpi = kBaseDpi * 20;

int DivideRounded(long long numerator, long long denominator)
{
    const long long half = denominator / 2;
    return int(numerator >= 0 ? (numerator + half) / denominator : -((-numerator + half) / denominator));
}

}  // namespace

DisplayScale DisplayScale::ForDpi(int dpi)
{
    DisplayScale scale;
    if (dpi > 0 && dpi <= kMaxDpi) scale.dpi = dpi;
    return scale;
}

int DisplayScale::Px(int length) const { return DivideRounded((long long)length * dpi, kBaseDpi); }

BoxRect DisplayScale::Box(const BoxRect& box) const { return BoxRect{Px(box.x), Px(box.y), Px(box.width), Px(box.height)}; }

int ImageSetIndexFor(const DisplayScale& scale)
{
    const int sets = int(sizeof(kImageSetPercents) / sizeof(kImageSetPercents[0]));
    for (int i = 0; i < sets; ++i) {
        if (kImageSetPercents[i] * kBaseDpi >= scale.dpi * 100) return i;
    }
    return sets - 1;
}

int ImageSetPercentFor(const DisplayScale& scale) { return kImageSetPercents[ImageSetIndexFor(scale)]; }
