// Any bytes as a whole package, read as the library reads a dropped file.
#include <cstdint>

#include "ApkParser.h"
#include "MemorySource.h"
#include "RecordFields.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CMemorySource source(data, size);
    ApkSummary summary;
    const bool parsed = CApkParser::Parse(source, CApkParser::LocaleOf(u"CHS"), summary);
    if (parsed != summary.parsed) __builtin_trap();
    CRecordFields::Fit(summary.AppName(), CRecordFields::kAppNameChars);
    CRecordFields::Fit(summary.VersionText(), CRecordFields::kVersionChars);
    CRecordFields::Fit(summary.SystemText(), CRecordFields::kSystemChars);
    return 0;
}
