#include "NativeCode.h"

#include <algorithm>
#include <iterator>

#include "ZipArchive.h"

namespace {

constexpr const char* kKnownAbis[] = {"armeabi", "armeabi-v7a", "arm64-v8a", "x86",
                                      "x86_64",  "mips",        "mips64",    "riscv64"};

bool EndsWith(const std::string& text, const char* tail)
{
    const std::string end(tail);
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

bool CNativeCode::IsKnownAbi(const std::string& name)
{
    return std::any_of(std::begin(kKnownAbis), std::end(kKnownAbis), [&](const char* abi) { return name == abi; });
}

std::vector<std::string> CNativeCode::Abis(const CZipArchive& zip)
{
    std::vector<std::string> abis;
    for (const ZipEntry& entry : zip.Entries()) {
        // lib/<abi>/<name>.so, directly in the ABI's folder.
        const std::string& name = entry.name;
        if (name.compare(0, 4, "lib/") != 0 || !EndsWith(name, ".so")) continue;
        const std::size_t slash = name.find('/', 4);
        if (slash == std::string::npos || name.find('/', slash + 1) != std::string::npos) continue;
        const std::string abi = name.substr(4, slash - 4);
        if (IsKnownAbi(abi) && std::find(abis.begin(), abis.end(), abi) == abis.end()) abis.push_back(abi);
    }
    return abis;
}
