#include "SplitChoice.h"

#include <algorithm>

namespace {

// The parts of one module that the phone needs, its master first; false when the module
// has native code for none of the phone's ABIs.
bool ChooseForModule(const BundleContents& bundle, const std::string& module, std::size_t master,
                     const PhoneTraits& phone, std::vector<std::size_t>& out)
{
    const std::vector<BundlePart>& parts = bundle.parts;
    out.push_back(master);

    bool hasAbiParts = false;
    std::size_t abiPart = parts.size();
    std::size_t abiRank = phone.abis.size();
    std::size_t above = parts.size();  // the nearest density not below the phone's
    std::size_t below = parts.size();  // the nearest below it
    const int density = phone.density > 0 ? phone.density : kDefaultDensity;

    for (std::size_t i = 0; i < parts.size(); ++i) {
        const BundlePart& part = parts[i];
        if (part.module != module) continue;
        switch (part.kind) {
        case SplitKind::Abi: {
            hasAbiParts = true;
            const auto rank = std::size_t(std::find(phone.abis.begin(), phone.abis.end(), part.config) - phone.abis.begin());
            if (rank < abiRank) {
                abiRank = rank;
                abiPart = i;
            }
            break;
        }
        case SplitKind::Density:
            if (part.density >= density) {
                if (above == parts.size() || part.density < parts[above].density) above = i;
            } else if (below == parts.size() || part.density > parts[below].density) {
                below = i;
            }
            break;
        case SplitKind::Language:
            if (phone.language.empty() || part.config == phone.language) out.push_back(i);
            break;
        default: break;
        }
    }
    if (hasAbiParts) {
        if (abiPart == parts.size()) return false;
        out.push_back(abiPart);
    }
    if (above != parts.size()) out.push_back(above);
    else if (below != parts.size()) out.push_back(below);
    return true;
}

}  // namespace

SplitChoice ChooseSplits(const BundleContents& bundle, const PhoneTraits& phone)
{
    SplitChoice choice;
    if (bundle.encrypted) {
        choice.refusal = SplitRefusal::Encrypted;
        return choice;
    }
    const BundlePart* base = bundle.Base();
    if (!base) {
        choice.refusal = SplitRefusal::NoBase;
        return choice;
    }
    std::vector<std::size_t> chosen;
    if (!ChooseForModule(bundle, "base", std::size_t(base - bundle.parts.data()), phone, chosen)) {
        choice.refusal = SplitRefusal::NoAbiPart;
        return choice;
    }
    std::vector<std::string> modules{"base"};
    for (std::size_t i = 0; i < bundle.parts.size(); ++i) {
        const BundlePart& part = bundle.parts[i];
        // A module named twice (variants of one set) is installed once.
        if (part.kind != SplitKind::Module || std::find(modules.begin(), modules.end(), part.module) != modules.end()) {
            continue;
        }
        modules.push_back(part.module);
        if (!ChooseForModule(bundle, part.module, i, phone, chosen)) {
            choice.refusal = SplitRefusal::NoAbiPart;
            return choice;
        }
    }
    if (chosen.size() > 1 && phone.sdk > 0 && phone.sdk < kSplitInstallMinSdk) {
        choice.refusal = SplitRefusal::OldAndroid;
        return choice;
    }
    choice.parts = std::move(chosen);
    return choice;
}
