// Picks the launcher icon: the best density of the icon that the Windows graphics
// library can decode; failing that, another density of it, the round icon, then a
// bitmap behind an adaptive icon, its foreground's first.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ImageFormat.h"
#include "ResourceResolver.h"
#include "ZipArchive.h"

struct ApkIcon {
    std::string entry;  // path inside the package
    ImageKind kind = ImageKind::Unknown;
    std::vector<std::uint8_t> bytes;
};

class CIconChooser {
public:
    // No real launcher icon comes near this.
    static constexpr std::size_t kMaxIconBytes = 8u * 1024 * 1024;
    static constexpr std::size_t kMaxXmlBytes = 1024u * 1024;

    CIconChooser(const CZipArchive& zip, const CResourceResolver& resolver) : m_zip(zip), m_resolver(resolver) {}

    // Resource ids of 0 mean "none". False when no decodable icon was found.
    bool Choose(std::uint32_t iconId, std::uint32_t roundIconId, ApkIcon& out) const;

private:
    // What one choice may still open, whatever the table and the documents say.
    struct Budget {
        int bitmapReads;
        int documents;
    };

    bool FirstBitmap(std::uint32_t resourceId, Budget& budget, ApkIcon& out) const;
    bool BitmapBehindXml(std::uint32_t resourceId, int depth, Budget& budget, ApkIcon& out) const;
    void DrawablesOfXml(const std::string& path, std::vector<std::uint32_t>& out) const;

    const CZipArchive& m_zip;
    const CResourceResolver& m_resolver;
};
