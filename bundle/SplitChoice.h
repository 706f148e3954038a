// Which packages of a bundle one phone needs, chosen as Android's own installer chooses:
// the base, the ABI part for the phone's most preferred ABI, the density part nearest the
// phone's screen, the phone's language parts, and every module delivered at install time.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "BundleContents.h"

// What the phone said about itself; empty or 0 where it said nothing.
struct PhoneTraits {
    std::vector<std::string> abis;  // most preferred first, "arm64-v8a"
    int density = 0;                // dots per inch
    std::string language;           // lower case, "zh"
    int sdk = 0;
};

enum class SplitRefusal {
    None,
    Encrypted,   // entries carry ZIP's encryption flag: nothing can be read
    NoBase,      // no base package
    NoAbiPart,   // native code, but none for any of the phone's ABIs
    OldAndroid,  // several packages for a phone older than Android 5.0, which takes one only
};

struct SplitChoice {
    SplitRefusal refusal = SplitRefusal::None;
    std::vector<std::size_t> parts;  // indices into the bundle's parts, the base first
};

// Android 5.0 (SDK 21) is the first that installs split packages.
inline constexpr int kSplitInstallMinSdk = 21;
// The density that Android assumes of a screen that does not say.
inline constexpr int kDefaultDensity = 160;

SplitChoice ChooseSplits(const BundleContents& bundle, const PhoneTraits& phone);
