// Any bytes as a whole package, read as the library reads a dropped file, held to its
// one budget: no phase may spend past its share, nor the read hold past the ceiling.
#include <cstdint>

#include "ApkParser.h"
#include "MemorySource.h"
#include "RecordFields.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CMemorySource source(data, size);
    ApkSummary summary;
    CReadBudget budget;
    const bool parsed = CApkParser::Parse(source, CApkParser::LocaleOf(u"CHS"), summary, nullptr, &budget);
    if (parsed != summary.parsed || summary.cut.has_value() != budget.WasCut()) __builtin_trap();
    for (int phase = 0; phase < CReadBudget::kPhases; ++phase) {
        if (!(budget.Spent(ReadPhase(phase)) <= budget.Limit(ReadPhase(phase)))) __builtin_trap();
    }
    if (budget.PeakHeld() > budget.Ceiling() || budget.Held() != 0) __builtin_trap();
    CRecordFields::Fit(summary.AppName(), CRecordFields::kAppNameChars);
    CRecordFields::Fit(summary.VersionText(), CRecordFields::kVersionChars);
    CRecordFields::Fit(summary.SystemText(), CRecordFields::kSystemChars);
    return 0;
}
