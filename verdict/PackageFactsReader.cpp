#include "PackageFactsReader.h"

#include <filesystem>

#include "ApkParser.h"
#include "BinaryXml.h"
#include "FileSource.h"
#include "ManifestReader.h"
#include "NativeCode.h"
#include "VersionCode.h"
#include "ZipArchive.h"

namespace {

constexpr std::uint32_t kVersionCodeMajorAttr = 0x01010576;

std::wstring FromUtf16(const std::u16string& text)
{
    // Package names, version names and codes of real packages; a character beyond the
    // basic plane only matters where wchar_t is 32 bits, and stays two units there.
    return std::wstring(text.begin(), text.end());
}

std::wstring FromAscii(const std::string& text) { return std::wstring(text.begin(), text.end()); }

// versionCodeMajor of the root element, 0 when the manifest has none.
std::uint32_t ReadVersionCodeMajor(const CZipArchive& zip)
{
    const ZipEntry* entry = zip.Find("AndroidManifest.xml");
    std::vector<std::uint8_t> bytes;
    if (!entry || zip.Read(*entry, CApkParser::kMaxManifestBytes, bytes) == ZipReadStatus::Failed) return 0;
    CBinaryXml document;
    if (!document.Load(CByteView(bytes.data(), bytes.size()))) return 0;
    std::uint32_t major = 0;
    document.ForEachElement([&](const XmlElement& root) {
        ManifestValue value;
        CManifestReader::ReadValue(document, root, kVersionCodeMajorAttr, "versionCodeMajor", value);
        if (value.present && value.value.IsInteger()) major = value.value.data;
        return false;  // the root only
    });
    return major;
}

}  // namespace

bool ReadPackageFacts(const std::wstring& path, PackageFacts& facts)
{
    facts = PackageFacts();
    CFileSource source;
    if (!source.Open(std::filesystem::path(path))) return false;
    ApkSummary summary;
    if (!CApkParser::Parse(source, LocalePreference(), summary) || !summary.packageName) return false;

    facts.packageName = FromUtf16(*summary.packageName);
    facts.size = summary.fileSize;
    if (summary.versionName) facts.versionName = FromUtf16(*summary.versionName);
    if (summary.minSdkCodename.empty()) facts.minSdk = summary.minSdk;

    CZipArchive zip;
    if (!zip.Open(source)) return true;
    std::int64_t code = 0;
    if (summary.versionCode && ParseVersionNumber(FromUtf16(*summary.versionCode), code)) {
        facts.codeKnown = true;
        facts.versionCode = LongVersionCode(ReadVersionCodeMajor(zip), std::uint32_t(code));
    }
    for (const std::string& abi : CNativeCode::Abis(zip)) facts.abis.push_back(FromAscii(abi));
    return true;
}
