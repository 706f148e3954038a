// Writes pixels as a PNG file in memory: 8-bit RGBA, each row filtered the way that
// suits it best, deflated with zlib.
#pragma once

#include <cstdint>
#include <vector>

class CPngWriter {
public:
    // pixels: width * height straight 0xAARRGGBB, rows top-down. Empty on failure.
    static std::vector<std::uint8_t> Write(const std::uint32_t* pixels, int width, int height);
};
