// Any bytes as a binary XML document, walked as the manifest and components readers and
// the icon chooser walk it.
#include <cstdint>
#include <string>

#include "BinaryXml.h"
#include "ComponentReader.h"
#include "ManifestReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CBinaryXml document;
    if (!document.Load(CByteView(data, size))) return 0;
    std::u16string text;
    document.ForEachElement([&](const XmlElement& element) {
        document.NameIs(element.name, "manifest");
        for (const XmlAttribute& attribute : element.attributes) document.Text(attribute, text);
        return true;
    });
    ManifestInfo info;
    CComponentReader components;
    CManifestReader::Read(document, info, &components);
    if (info.permissions.size() > CManifestReader::kMaxPermissions) __builtin_trap();
    if (components.Components().guarded.size() > CComponentReader::kMaxGuarded) __builtin_trap();
    return 0;
}
