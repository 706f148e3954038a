// The last step of painting an icon, free of the platform: a picture painted at several
// times the icon's size becomes the icon, each pixel the mean of its samples, the
// samples outside the adaptive icon's rounded square left out. Averaging the samples
// smooths every edge whether or not the painter smooths its own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class CIconPixels {
public:
    // samples: (side * factor) squared premultiplied 0xAARRGGBB pixels, rows top-down,
    // stride pixels apart. The result: side * side straight 0xAARRGGBB pixels. A corner
    // radius of 0 keeps the whole square.
    static std::vector<std::uint32_t> Reduce(const std::uint32_t* samples, std::size_t stride, int side, int factor,
                                             float maskCornerRadius);

    // Whether the point (x, y), in pixels, lies inside a side x side square whose
    // corners are rounded with this radius.
    static bool InsideMask(float x, float y, float side, float radius);
};
