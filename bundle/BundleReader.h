// Recognises a bundle of split packages by what its ZIP archive holds, whatever the
// file's name, and lists its packages and expansion files.
#pragma once

#include "BundleContents.h"
#include "ZipArchive.h"

class CBundleReader {
public:
    // A description file (manifest.json, info.json) claiming more is not read.
    static constexpr std::size_t kMaxDescriptionBytes = 1024 * 1024;

    // Fills out for a bundle; false, with out's layout None, for anything else (a package
    // with its own AndroidManifest.xml, an archive without packages).
    static bool Read(const CZipArchive& zip, BundleContents& out);
};
