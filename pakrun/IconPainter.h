// What the platform adds to the choice of an icon: painting an icon drawn from its XML
// into bytes the window decodes, and decoding the formats that the window's own decoder
// lacks. The parser stays free of any platform call; Pakrun.dll brings GDI+ and the
// system's imaging component.
#pragma once

#include <cstdint>
#include <vector>

#include "IconScene.h"

class CIconPainter {
public:
    // The side of the window's icon box at 96 dpi, in pixels.
    static constexpr int kBoxPixels = 70;

    virtual ~CIconPainter() = default;

    // The side in pixels at which an icon drawn from its XML is painted: the icon box's
    // side on the window's display.
    virtual int IconPixels() const { return kBoxPixels; }

    // The scene as a PNG of scene.size pixels a side; false when it cannot be painted.
    virtual bool Paint(const IconScene& scene, std::vector<std::uint8_t>& png) = 0;
    // Whether WebP pictures can be decoded here (for ConvertWebP and bitmap layers).
    virtual bool DecodesWebP() = 0;
    // A WebP picture as a PNG; false without a decoder or for a picture it refuses.
    virtual bool ConvertWebP(const std::vector<std::uint8_t>& webp, std::vector<std::uint8_t>& png) = 0;
};
