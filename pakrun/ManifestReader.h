// The facts of AndroidManifest.xml that the package summary needs, as the document
// holds them: values may still be references into resources.arsc.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "BinaryXml.h"
#include "ResValue.h"

namespace AndroidAttr {
constexpr std::uint32_t kLabel = 0x01010001;
constexpr std::uint32_t kIcon = 0x01010002;
constexpr std::uint32_t kName = 0x01010003;
constexpr std::uint32_t kSrc = 0x01010119;
constexpr std::uint32_t kDrawable = 0x01010199;
constexpr std::uint32_t kMinSdkVersion = 0x0101020c;
constexpr std::uint32_t kVersionCode = 0x0101021b;
constexpr std::uint32_t kVersionName = 0x0101021c;
constexpr std::uint32_t kRoundIcon = 0x0101052c;
}  // namespace AndroidAttr

// One attribute's value: typed, plus the document's own text for string values.
struct ManifestValue {
    bool present = false;
    ResValue value;
    std::u16string text;
};

struct ManifestInfo {
    std::u16string packageName;
    ManifestValue versionCode;
    ManifestValue versionName;
    ManifestValue minSdk;
    ManifestValue label;
    ManifestValue icon;
    ManifestValue roundIcon;
    std::vector<std::u16string> permissions;  // in document order, each once
};

class CComponentReader;

class CManifestReader {
public:
    // Bounds on what a hostile manifest can make the reader keep.
    static constexpr std::size_t kMaxPermissions = 65536;
    static constexpr std::size_t kMaxPermissionChars = 4u * 1024 * 1024;

    // False when the document's root element is not <manifest>.
    static bool Read(const CBinaryXml& document, ManifestInfo& info);
    // The same pass, showing every element to the components reader as well.
    static bool Read(const CBinaryXml& document, ManifestInfo& info, CComponentReader* components);

    static void ReadValue(const CBinaryXml& document, const XmlElement& element, std::uint32_t resourceId,
                          const char* name, ManifestValue& out);
};
