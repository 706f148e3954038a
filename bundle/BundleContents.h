// What a bundle of split packages holds, as plain data: its packages (the base and its
// splits) and its expansion files, found by the bundle reader in one of the three layouts.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum class BundleLayout {
    None,        // not a bundle: a package, or something else
    Xapk,        // manifest.json at the root
    SplitSet,    // bundletool's output: toc.pb and splits/*.apk
    PackageSet,  // base.apk beside split_config.*.apk, with info.json or meta.sai_v2.json or nothing
};

enum class SplitKind {
    Base,      // the base module's master package
    Module,    // another module's master package, delivered at install time
    Abi,       // native code for one ABI
    Density,   // resources for one screen density
    Language,  // resources for one language
    Other,     // a configuration the choice does not know (textures, ...): left out
};

struct BundlePart {
    std::string entryName;  // the ZIP entry
    std::string module;     // "base" for the base module's parts
    SplitKind kind = SplitKind::Other;
    std::string config;     // "arm64-v8a", "xxhdpi" or "zh" as Android names them; empty for masters
    int density = 0;        // dots per inch, for a density part
    std::uint64_t size = 0;
};

struct BundleExpansion {
    std::string entryName;  // the ZIP entry
    std::string fileName;   // its name on the phone, in Android/obb/<package>/
    std::uint64_t size = 0;
};

struct BundleContents {
    BundleLayout layout = BundleLayout::None;
    bool encrypted = false;       // some entry carries ZIP's encryption flag
    std::string packageName;      // as the bundle's own description gives it, if it does
    std::vector<BundlePart> parts;
    std::vector<BundleExpansion> expansions;

    bool IsBundle() const { return layout != BundleLayout::None; }
    // The base module's master package, or null.
    const BundlePart* Base() const;
};

// Names for reports: "xapk", "split-set", "package-set"; "base", "module", "abi", ...
const char* LayoutName(BundleLayout layout);
const char* KindName(SplitKind kind);

// Reads a split's configuration name as Android's build tools write it after "config."
// ("arm64_v8a", "xxhdpi", "zh", "zh_TW", "b+sr+Latn") into part's kind, config and density.
void ClassifyConfig(const std::string& name, BundlePart& part);
