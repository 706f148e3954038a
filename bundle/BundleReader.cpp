#include "BundleReader.h"

#include <string_view>
#include <vector>

#include "JsonReader.h"

namespace {

constexpr std::uint16_t kFlagEncrypted = 0x0001;
constexpr std::string_view kApk = ".apk";
constexpr std::string_view kSplitsDir = "splits/";

bool EndsWith(std::string_view text, std::string_view end)
{
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

bool StartsWith(std::string_view text, std::string_view start) { return text.substr(0, start.size()) == start; }

bool IsRootApk(const std::string& name)
{
    return EndsWith(name, kApk) && name.size() > kApk.size() && name.find('/') == std::string::npos;
}

bool ReadJson(const CZipArchive& zip, const char* name, JsonValue& out)
{
    const ZipEntry* entry = zip.Find(name);
    if (!entry || (entry->flags & kFlagEncrypted)) return false;
    std::vector<std::uint8_t> bytes;
    if (zip.Read(*entry, CBundleReader::kMaxDescriptionBytes, bytes) != ZipReadStatus::Complete) return false;
    return CJsonReader::Parse(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), out);
}

// A split's identity as the bundle's description or its file name gives it: "base",
// "config.xxhdpi", "feature", "feature.config.arm64_v8a".
BundlePart PartOf(const std::string& entryName, const std::string& id, std::uint64_t size)
{
    BundlePart part;
    part.entryName = entryName;
    part.size = size;
    const std::size_t config = id.rfind("config.", 0) == 0 ? 0 : id.find(".config.");
    if (config == std::string::npos) {
        part.module = id.empty() ? "base" : id;
        part.kind = part.module == "base" ? SplitKind::Base : SplitKind::Module;
        return part;
    }
    part.module = config == 0 ? "base" : id.substr(0, config);
    ClassifyConfig(id.substr(config == 0 ? 7 : config + 8), part);
    return part;
}

// The id of a plain set's package from its file name: "base.apk", "split_config.zh.apk",
// "split_feature.apk", "split_feature.config.x86.apk", or "config.hdpi.apk".
std::string IdFromFileName(const std::string& stem)
{
    if (stem == "base") return "base";
    if (StartsWith(stem, "split_")) return stem.substr(6);
    return stem;
}

void AddPart(const CZipArchive& zip, const std::string& entryName, const std::string& id, BundleContents& out)
{
    const ZipEntry* entry = zip.Find(entryName);
    if (!entry) return;
    out.parts.push_back(PartOf(entryName, id, entry->uncompressedSize));
}

void ReadSplitSet(const CZipArchive& zip, BundleContents& out)
{
    for (const ZipEntry& entry : zip.Entries()) {
        if (!StartsWith(entry.name, kSplitsDir) || !EndsWith(entry.name, kApk)) continue;
        const std::string stem = entry.name.substr(kSplitsDir.size(), entry.name.size() - kSplitsDir.size() - kApk.size());
        if (stem.find('/') != std::string::npos) continue;
        const std::size_t dash = stem.find('-');
        const std::string module = stem.substr(0, dash);
        const std::string suffix = dash == std::string::npos ? "master" : stem.substr(dash + 1);
        const bool master = StartsWith(suffix, "master");
        const std::string id = master ? module : (module == "base" ? "" : module + ".") + "config." + suffix;
        out.parts.push_back(PartOf(entry.name, id, entry.uncompressedSize));
    }
}

// Packages named by their file names, at the root. With only one there, it is the base
// whatever its name (an XAPK of one package names it after the package).
void ReadRootPackages(const CZipArchive& zip, const std::string& packageName, BundleContents& out)
{
    std::vector<const ZipEntry*> packages;
    for (const ZipEntry& entry : zip.Entries()) {
        if (IsRootApk(entry.name)) packages.push_back(&entry);
    }
    for (const ZipEntry* entry : packages) {
        const std::string stem = entry->name.substr(0, entry->name.size() - kApk.size());
        const bool base = packages.size() == 1 || (!packageName.empty() && stem == packageName);
        out.parts.push_back(PartOf(entry->name, base ? "base" : IdFromFileName(stem), entry->uncompressedSize));
    }
}

std::string LastComponent(const std::string& path)
{
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

void ReadXapk(const CZipArchive& zip, BundleContents& out)
{
    JsonValue manifest;
    if (ReadJson(zip, "manifest.json", manifest)) out.packageName = manifest.MemberText("package_name");

    const JsonValue* splits = manifest.Member("split_apks");
    if (splits && splits->IsArray()) {
        for (const JsonValue& split : splits->items) AddPart(zip, split.MemberText("file"), split.MemberText("id"), out);
    }
    if (out.parts.empty()) ReadRootPackages(zip, out.packageName, out);

    const JsonValue* expansions = manifest.Member("expansions");
    if (!expansions || !expansions->IsArray()) return;
    for (const JsonValue& expansion : expansions->items) {
        const std::string file = expansion.MemberText("file");
        const ZipEntry* entry = file.empty() ? nullptr : zip.Find(file);
        if (!entry) continue;
        const std::string installPath = expansion.MemberText("install_path");
        out.expansions.push_back({file, LastComponent(installPath.empty() ? file : installPath), entry->uncompressedSize});
    }
}

void ReadPackageSet(const CZipArchive& zip, BundleContents& out)
{
    JsonValue description;
    if (ReadJson(zip, "info.json", description)) {
        out.packageName = description.MemberText("pname");
    } else if (ReadJson(zip, "meta.sai_v2.json", description)) {
        out.packageName = description.MemberText("package");
    }
    ReadRootPackages(zip, std::string(), out);
}

BundleLayout LayoutOf(const CZipArchive& zip)
{
    if (zip.Find("AndroidManifest.xml")) return BundleLayout::None;
    bool rootPackage = false;
    bool splitPackage = false;
    for (const ZipEntry& entry : zip.Entries()) {
        rootPackage = rootPackage || IsRootApk(entry.name);
        splitPackage = splitPackage || (StartsWith(entry.name, kSplitsDir) && EndsWith(entry.name, kApk));
    }
    if (zip.Find("manifest.json") && rootPackage) return BundleLayout::Xapk;
    if (splitPackage) return BundleLayout::SplitSet;
    if (rootPackage) return BundleLayout::PackageSet;
    return BundleLayout::None;
}

}  // namespace

bool CBundleReader::Read(const CZipArchive& zip, BundleContents& out)
{
    out = BundleContents();
    const BundleLayout layout = LayoutOf(zip);
    if (layout == BundleLayout::None) return false;
    out.layout = layout;
    for (const ZipEntry& entry : zip.Entries()) out.encrypted = out.encrypted || (entry.flags & kFlagEncrypted) != 0;
    if (out.encrypted) return true;  // nothing inside can be read
    switch (layout) {
    case BundleLayout::Xapk: ReadXapk(zip, out); break;
    case BundleLayout::SplitSet: ReadSplitSet(zip, out); break;
    case BundleLayout::PackageSet: ReadPackageSet(zip, out); break;
    case BundleLayout::None: break;
    }
    return true;
}
