// A bundle read as the library reads a dropped file, held to the one budget of the read
// (its base's read included), and the parts chosen for a phone.
#include <cstddef>
#include <cstdint>

#include "BundlePackage.h"
#include "MemorySource.h"
#include "SplitChoice.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CMemorySource source(data, size);
    ApkSummary summary;
    BundleContents contents;
    CReadBudget budget;
    CBundlePackage::Parse(source, {"zh", "CN"}, summary, nullptr, &contents, &budget);
    for (int phase = 0; phase < CReadBudget::kPhases; ++phase) {
        if (!(budget.Spent(ReadPhase(phase)) <= budget.Limit(ReadPhase(phase)))) __builtin_trap();
    }
    if (budget.PeakHeld() > budget.Ceiling() || budget.Held() != 0) __builtin_trap();
    const SplitChoice choice = ChooseSplits(contents, {{"arm64-v8a", "armeabi-v7a"}, 420, "zh", 30});
    for (std::size_t part : choice.parts) {
        if (part >= contents.parts.size()) __builtin_trap();
    }
    return 0;
}
