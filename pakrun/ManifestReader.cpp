#include "ManifestReader.h"

#include <unordered_set>

#include "ComponentReader.h"
#include "ComponentAccess.h"

bool CManifestReader::Read(const CBinaryXml& document, ManifestInfo& info)
{
    return Read(document, info, nullptr);
}

bool CManifestReader::Read(const CBinaryXml& document, ManifestInfo& info, CComponentReader* components)
{
    info = ManifestInfo();
    bool rooted = false;
    std::unordered_set<std::u16string> seen;
    std::size_t permissionChars = 0;

    document.ForEachElement([&](const XmlElement& element) {
        if (components) components->Visit(document, element);
        if (element.depth == 1) {
            rooted = document.NameIs(element.name, "manifest");
            if (!rooted) return false;
            if (const XmlAttribute* package = document.Find(element, 0, "package")) {
                document.Text(*package, info.packageName);
            }
            ReadValue(document, element, AndroidAttr::kVersionCode, "versionCode", info.versionCode);
            ReadValue(document, element, AndroidAttr::kVersionName, "versionName", info.versionName);
            return true;
        }
        if (element.depth != 2) return true;
        if (document.NameIs(element.name, "uses-sdk")) {
            if (!info.minSdk.present) ReadValue(document, element, AndroidAttr::kMinSdkVersion, "minSdkVersion", info.minSdk);
        } else if (document.NameIs(element.name, "application")) {
            ReadValue(document, element, AndroidAttr::kLabel, "label", info.label);
            ReadValue(document, element, AndroidAttr::kIcon, "icon", info.icon);
            ReadValue(document, element, AndroidAttr::kRoundIcon, "roundIcon", info.roundIcon);
        } else if (document.NameIs(element.name, "uses-permission") ||
                   document.NameIs(element.name, "uses-permission-sdk-23") ||
                   document.NameIs(element.name, "uses-permission-sdk-m")) {
            const XmlAttribute* name = document.Find(element, AndroidAttr::kName, "name");
            std::u16string text;
            if (!name || !document.Text(*name, text) || text.empty()) return true;
            // Our own names for special access are never taken from the package.
            if (CComponentAccess::IsAccessName(text)) return true;
            if (info.permissions.size() >= kMaxPermissions || permissionChars + text.size() > kMaxPermissionChars) {
                return true;
            }
            if (seen.insert(text).second) {
                permissionChars += text.size();
                info.permissions.push_back(std::move(text));
            }
        }
        return true;
    });
    return rooted;
}

void CManifestReader::ReadValue(const CBinaryXml& document, const XmlElement& element, std::uint32_t resourceId,
                                const char* name, ManifestValue& out)
{
    const XmlAttribute* attribute = document.Find(element, resourceId, name);
    if (!attribute) return;
    out.present = true;
    out.value = attribute->value;
    document.Text(*attribute, out.text);
    // Hand-made documents may keep only the raw text; treat it as a string then.
    if (out.value.type == ResValue::kNull && !out.text.empty()) out.value.type = ResValue::kString;
}
