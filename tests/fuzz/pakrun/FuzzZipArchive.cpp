// Any bytes as a ZIP archive: the directory, then every entry read with a small cap.
#include <cstdint>
#include <vector>

#include "MemorySource.h"
#include "ZipArchive.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CMemorySource source(data, size);
    CZipArchive zip;
    if (!zip.Open(source)) return 0;
    std::vector<std::uint8_t> bytes;
    std::size_t reads = 0;
    for (const ZipEntry& entry : zip.Entries()) {
        if (++reads > 64) break;
        const ZipReadStatus status = zip.Read(entry, 1u << 20, bytes);
        if (bytes.size() > (1u << 20) || (status == ZipReadStatus::Complete && entry.sizeKnown && bytes.size() != entry.uncompressedSize)) {
            __builtin_trap();
        }
    }
    return 0;
}
