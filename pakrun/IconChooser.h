// Picks the launcher icon and turns it into bytes the window decodes. The order, first
// found wins, each step trying the icon before the round icon:
//   1. a bitmap the window decodes itself (PNG, JPEG, GIF, BMP), best density first;
//   2. the icon's XML drawn from its layers (an adaptive icon composed and masked, or
//      another drawable) and painted as a PNG by the platform;
//   3. a WebP decoded by the platform's imaging component, as a PNG;
//   4. for XML that could not be drawn, a bitmap it names, its foreground's first;
// else none. Without a painter (natively) step 2 keeps the scene unpainted and step 3
// is skipped.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "IconFiles.h"
#include "IconPainter.h"
#include "ImageFormat.h"
#include "ResourceResolver.h"
#include "ZipArchive.h"

enum class IconOrigin {
    Bitmap,     // the file's own bytes
    Drawn,      // drawn from the XML
    Converted,  // a WebP decoded by the platform
    Named,      // a bitmap named by XML that could not be drawn
};

struct ApkIcon {
    std::string entry;  // path inside the package: the bitmap, or the XML drawn
    IconOrigin origin = IconOrigin::Bitmap;
    ImageKind kind = ImageKind::Unknown;  // of bytes
    // What the window decodes; empty for a scene that no painter painted.
    std::vector<std::uint8_t> bytes;
    std::optional<IconScene> scene;  // for an icon drawn from its XML
};

class CIconChooser {
public:
    // The drawn icon's size without a painter to say otherwise: the window shows icons in a
    // 70 x 70 box at 96 dpi, where a picture of exactly that size stands pixel for pixel.
    static constexpr int kDrawnIconPixels = CIconPainter::kBoxPixels;

    // painter and budget may be null.
    CIconChooser(const CZipArchive& zip, const CResourceResolver& resolver, CIconPainter* painter,
                 CReadBudget* budget = nullptr)
        : m_zip(zip), m_resolver(resolver), m_pPainter(painter), m_pBudget(budget)
    {
    }

    // Resource ids of 0 mean "none". False when no icon was found.
    bool Choose(std::uint32_t iconId, std::uint32_t roundIconId, ApkIcon& out) const;

private:
    bool AsItIs(CIconFiles& files, std::uint32_t resourceId, ApkIcon& out) const;
    bool Drawn(CIconFiles& files, std::uint32_t resourceId, ApkIcon& out) const;
    bool Converted(CIconFiles& files, std::uint32_t resourceId, ApkIcon& out) const;
    bool NamedByXml(CIconFiles& files, std::uint32_t resourceId, int depth, ApkIcon& out) const;

    const CZipArchive& m_zip;
    const CResourceResolver& m_resolver;
    CIconPainter* m_pPainter;
    CReadBudget* m_pBudget;
};
