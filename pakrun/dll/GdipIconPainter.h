// Pakrun.dll's painter: scenes painted with GDI+ at several times their size and
// reduced to the icon's pixels, written as PNG; WebP pictures decoded by the system's
// imaging component.
#pragma once

#include <optional>

#include "IconPainter.h"
#include "PaintWork.h"
#include "GdiPlusObjects.h"

class CGdipIconPainter : public CIconPainter {
public:
    // Samples per pixel along each side: 16 in all. Enough for smooth edges where
    // GDI+ does not smooth (Wine's does not); the reader counts the work at this scale.
    static constexpr int kSamples = CPaintWork::kScale;
    // A scene larger than this is refused.
    static constexpr int kMaxSide = 1024;

    // The icon box's side for the reads that follow; a side outside 16 to 4 times the box's
    // (0 among them) means the box at 96 dpi.
    void SetIconPixels(int pixels);
    int IconPixels() const override { return m_nIconPixels; }

    bool Paint(const IconScene& scene, std::vector<std::uint8_t>& png) override;
    bool DecodesWebP() override;
    bool ConvertWebP(const std::vector<std::uint8_t>& webp, std::vector<std::uint8_t>& png) override;

private:
    bool DrawShapes(CGdipGraphics& graphics, const IconScene& scene);

    std::optional<bool> m_webp;  // asked once
    int m_nIconPixels = kBoxPixels;
};
