// Any bytes as a ZIP archive: the directory, then every entry read with a small cap; a
// stored entry's place must hold exactly what reading it gives, and an entry found by
// its name must be the first of that name in the list; the directory and the reads
// stay within their budget.
#include <cstdint>
#include <cstring>
#include <vector>

#include "MemorySource.h"
#include "ZipArchive.h"

namespace {

bool SameEntry(const ZipEntry& a, const ZipEntry& b)
{
    return a.name == b.name && a.method == b.method && a.flags == b.flags && a.compressedSize == b.compressedSize &&
           a.uncompressedSize == b.uncompressedSize && a.localHeaderOffset == b.localHeaderOffset &&
           a.sizeKnown == b.sizeKnown;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CMemorySource source(data, size);
    CReadBudget budget;
    CZipArchive zip;
    if (!zip.Open(source, &budget)) return 0;
    if (!(budget.Spent(ReadPhase::Directory) <= budget.Limit(ReadPhase::Directory))) __builtin_trap();
    budget.Enter(ReadPhase::Icon);
    std::vector<std::uint8_t> bytes;
    std::size_t reads = 0;
    for (std::size_t i = 0; i < zip.Entries().size(); ++i) {
        const ZipEntry& entry = zip.Entries()[i];
        if (++reads > 64) break;
        std::size_t first = 0;
        while (zip.Entries()[first].name != entry.name) ++first;
        const ZipEntry* found = zip.Find(entry.name);
        if (!found || !SameEntry(*found, zip.Entries()[first])) __builtin_trap();
        const bool cutBefore = budget.WasCut();
        const ZipReadStatus status = zip.Read(entry, 1u << 20, bytes);
        // A read the budget stopped says so; the rest must agree with the place below.
        if (!cutBefore && budget.WasCut()) {
            if (status == ZipReadStatus::Complete) __builtin_trap();
            break;
        }
        if (bytes.size() > (1u << 20) || (status == ZipReadStatus::Complete && entry.sizeKnown && bytes.size() != entry.uncompressedSize)) {
            __builtin_trap();
        }
        ZipPlace place;
        if (zip.StoredPlace(entry, 1u << 20, place)) {
            // An empty place may lie past the end, where a header's lengths point.
            if (place.status != status || place.size != bytes.size() ||
                (place.size > 0 && (place.offset > size || place.size > size - place.offset ||
                                    std::memcmp(data + place.offset, bytes.data(), place.size) != 0))) {
                __builtin_trap();
            }
        } else if (entry.method == 0 && status != ZipReadStatus::Failed) {
            __builtin_trap();
        }
    }
    if (!(budget.Spent(ReadPhase::Icon) <= budget.Limit(ReadPhase::Icon))) __builtin_trap();
    return 0;
}
