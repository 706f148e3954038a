#include "FitSize.h"

#include <cstdint>
#include <limits>

namespace {

// The products are taken in 64 bits, so that large pictures cannot overflow them.
std::int32_t ClampSide(std::int64_t side)
{
    if (side < 1) return 1;
    if (side > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
    return std::int32_t(side);
}

}  // namespace

bool FitSize(std::int32_t sourceWidth, std::int32_t sourceHeight, std::int32_t boxWidth, std::int32_t boxHeight,
             std::int32_t& width, std::int32_t& height)
{
    const std::int64_t w = sourceWidth, h = sourceHeight, bw = boxWidth, bh = boxHeight;
    if (w * h == 0) return false;
    if (w * bh > h * bw) {  // relatively wider than the box
        width = ClampSide(bw);
        height = ClampSide((h * bw + w / 2) / w);
    } else {
        height = ClampSide(bh);
        width = ClampSide((w * bh + h / 2) / h);
    }
    return true;
}
