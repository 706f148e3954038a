// The processor families a package brings native code for: its lib/<abi>/ folders that
// hold shared libraries, as the phone's package manager looks for them.
#pragma once

#include <string>
#include <vector>

class CZipArchive;

class CNativeCode {
public:
    // The ABIs with at least one lib/<abi>/*.so entry, in the order first met, each once.
    // Only names the package manager knows count; a package without any has no native
    // code and runs on every processor.
    static std::vector<std::string> Abis(const CZipArchive& zip);

    // Whether the package manager knows the name as an ABI ("arm64-v8a", "x86", ...).
    static bool IsKnownAbi(const std::string& name);
};
