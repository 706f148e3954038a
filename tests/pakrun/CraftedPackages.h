// Packages crafted to cost a reader far more than any real one: each names one way a
// package can make the read slow or large, and is written here when a test or the
// benchmark needs it, a few kilobytes to a few megabytes in memory.
#pragma once

#include <string>
#include <vector>

struct CraftedPackage {
    std::string name;   // file name without ".apk"
    std::string bytes;
    // The phase that the budget is to cut: "icon", "resources", ...
    std::string cutPhase;
};

class CCraftedPackages {
public:
    // An icon vector of paths whose attributes name a chain of 16 references through
    // configurations of one type (8,192 of them, or one).
    static CraftedPackage ChainThroughConfigurations(int paths, int configurations);
    // A layer list of bitmap layers whose PNG headers promise 4,096 x 4,096 pixels, each
    // file inflating to 7 MiB.
    static CraftedPackage PromisingLayers();
    // An icon of 64 densities, each a PNG that inflates beyond what it declares.
    static CraftedPackage InflatingPngs();
    // A layer list of 64 GIFs off the picture, each of a 1 x 1 logical screen holding a
    // frame of 4,096 x 4,096.
    static CraftedPackage GifScreens();
    // A path filled with a radial gradient of 10,000 stops; or 8 paths filled with a
    // linear one.
    static CraftedPackage GradientStops(bool radial);
    // A deflated resource table that inflates to 64 MiB.
    static CraftedPackage DeflatedTable();
    // 500,000 directory records and an icon naming 64 files that are missing.
    static CraftedPackage ManyRecords();

    // A vector icon of one square of 100 viewport units (of 108), stroked this many units
    // wide in 0xFF2060A0: not a crafted case, a stroke that covers the picture.
    static CraftedPackage WideStroke(float width);

    // Every crafted case above, as the benchmark writes them.
    static std::vector<CraftedPackage> All();
};
