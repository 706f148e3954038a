// Any bytes as resources.arsc: texts and files resolved for ids in the usual places, from
// the table held in memory and from the same table read where it lies in a package, which
// must answer alike, each within one budget.
#include <cstdint>
#include <string>
#include <vector>

#include "MemorySource.h"
#include "ResourceResolver.h"
#include "ResourceTable.h"

namespace {

// Everything the lookups give, written one after another.
std::u16string Answers(const CResourceTable& table)
{
    CReadBudget budget;
    budget.Enter(ReadPhase::Resources);
    const CResourceResolver resolver(&table, &budget);
    const LocalePreference chinese{"zh", "CN"};
    std::u16string answers;
    std::u16string text;
    std::vector<ResourceFile> files;
    for (std::uint32_t type = 1; type <= 8; ++type) {
        for (std::uint32_t entry = 0; entry < 4; ++entry) {
            ResValue reference;
            reference.type = ResValue::kReference;
            reference.data = 0x7f000000u | (type << 16) | entry;
            answers += resolver.Text(reference, std::u16string(), chinese, text) ? text + u'\1' : u"\2";
            answers += resolver.DefaultText(reference, std::u16string(), text) ? text + u'\1' : u"\2";
            resolver.Files(reference.data, files);
            for (const ResourceFile& file : files) answers += std::u16string(file.path.begin(), file.path.end()) + u'\3';
        }
    }
    if (!(budget.Spent(ReadPhase::Resources) <= budget.Limit(ReadPhase::Resources))) __builtin_trap();
    return answers;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CResourceTable held;
    const bool heldLoaded = held.Load(CByteView(data, size));
    // The table behind a few bytes of other entries, as it lies in a package.
    std::vector<std::uint8_t> package(7, 0x50);
    package.insert(package.end(), data, data + size);
    CMemorySource source(package.data(), package.size());
    CResourceTable read;
    if (read.Load(source, 7, size) != heldLoaded) __builtin_trap();
    if (!heldLoaded) return 0;
    if (Answers(held) != Answers(read)) __builtin_trap();
    return 0;
}
