// Any bytes as resources.arsc: texts and files resolved for ids in the usual places.
#include <cstdint>
#include <string>
#include <vector>

#include "ResourceResolver.h"
#include "ResourceTable.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CResourceTable table;
    if (!table.Load(CByteView(data, size))) return 0;
    const CResourceResolver resolver(&table);
    const LocalePreference chinese{"zh", "CN"};
    std::u16string text;
    std::vector<ResourceFile> files;
    for (std::uint32_t type = 1; type <= 8; ++type) {
        for (std::uint32_t entry = 0; entry < 4; ++entry) {
            ResValue reference;
            reference.type = ResValue::kReference;
            reference.data = 0x7f000000u | (type << 16) | entry;
            resolver.Text(reference, std::u16string(), chinese, text);
            resolver.DefaultText(reference, std::u16string(), text);
            resolver.Files(reference.data, files);
        }
    }
    return 0;
}
