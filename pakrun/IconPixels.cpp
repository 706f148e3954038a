#include "IconPixels.h"

#include <algorithm>

bool CIconPixels::InsideMask(float x, float y, float side, float radius)
{
    if (x < 0 || y < 0 || x > side || y > side) return false;
    const float dx = std::max({radius - x, x - (side - radius), 0.0f});
    const float dy = std::max({radius - y, y - (side - radius), 0.0f});
    return dx * dx + dy * dy <= radius * radius;
}

std::vector<std::uint32_t> CIconPixels::Reduce(const std::uint32_t* samples, std::size_t stride, int side, int factor,
                                               float maskCornerRadius)
{
    std::vector<std::uint32_t> out(std::size_t(side) * std::size_t(side), 0);
    const std::uint32_t count = std::uint32_t(factor) * std::uint32_t(factor);
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            std::uint32_t sum[4] = {0, 0, 0, 0};  // alpha, red, green, blue, premultiplied
            for (int sy = 0; sy < factor; ++sy) {
                const std::size_t row = std::size_t(y * factor + sy) * stride;
                for (int sx = 0; sx < factor; ++sx) {
                    const float px = (float(x * factor + sx) + 0.5f) / float(factor);
                    const float py = (float(y * factor + sy) + 0.5f) / float(factor);
                    if (maskCornerRadius > 0 && !InsideMask(px, py, float(side), maskCornerRadius)) continue;
                    const std::uint32_t p = samples[row + std::size_t(x * factor + sx)];
                    for (int c = 0; c < 4; ++c) sum[c] += (p >> (24 - 8 * c)) & 0xFF;
                }
            }
            const std::uint32_t alpha = (sum[0] + count / 2) / count;
            if (alpha == 0) continue;
            std::uint32_t pixel = alpha << 24;
            for (int c = 1; c < 4; ++c) {
                // Back from premultiplied: the mean colour divided by the mean alpha.
                const std::uint32_t straight = std::min<std::uint32_t>(255, (sum[c] * 255 + sum[0] / 2) / sum[0]);
                pixel |= straight << (24 - 8 * c);
            }
            out[std::size_t(y) * std::size_t(side) + std::size_t(x)] = pixel;
        }
    }
    return out;
}
