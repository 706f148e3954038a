#include "ApkParser.h"

#include <vector>

#include "BinaryXml.h"
#include "ComponentReader.h"
#include "IconChooser.h"
#include "ManifestReader.h"
#include "ResourceResolver.h"
#include "ResourceTable.h"
#include "ComponentAccess.h"
#include "TextUtf.h"
#include "ZipArchive.h"

namespace {

constexpr const char* kManifestName = "AndroidManifest.xml";

bool ParseDecimal(const std::u16string& text, int& out)
{
    if (text.empty() || text.size() > 9) return false;
    int value = 0;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9') return false;
        value = value * 10 + (c - u'0');
    }
    out = value;
    return true;
}

void ReadMinSdk(const ManifestValue& minSdk, const CResourceResolver& resolver, ApkSummary& summary)
{
    if (!minSdk.present) return;
    if (minSdk.value.IsInteger()) {
        summary.minSdk = static_cast<int>(minSdk.value.data);
        return;
    }
    std::u16string text;
    if (!resolver.DefaultText(minSdk.value, minSdk.text, text) || text.empty()) return;
    if (!ParseDecimal(text, summary.minSdk)) summary.minSdkCodename = text;
}

void ReadVersion(const ManifestInfo& manifest, const CResourceResolver& resolver, ApkSummary& summary)
{
    std::u16string text;
    if (manifest.versionCode.present) {
        if (manifest.versionCode.value.IsInteger()) {
            summary.versionCode = CTextUtf::FromAscii(std::to_string(manifest.versionCode.value.data));
        } else if (resolver.DefaultText(manifest.versionCode.value, manifest.versionCode.text, text)) {
            summary.versionCode = text;
        }
    }
    if (manifest.versionName.present &&
        resolver.DefaultText(manifest.versionName.value, manifest.versionName.text, text)) {
        summary.versionName = text;
    }
}

void ReadLabel(const ManifestInfo& manifest, const CResourceResolver& resolver, const LocalePreference& locale,
               ApkSummary& summary)
{
    if (!manifest.label.present) return;
    std::u16string text;
    if (resolver.Text(manifest.label.value, manifest.label.text, locale, text)) summary.label = text;
    if (resolver.DefaultText(manifest.label.value, manifest.label.text, text)) summary.labelDefault = text;
}

// A stored table (Android requires that of current packages) is read where it lies, only
// as far as the lookups go; a deflated one is inflated whole into bytes.
// A deflated table that the budget cut off is left out whole: the texts then come from
// the manifest itself.
bool LoadTable(const CZipArchive& zip, CByteSource& source, CReadBudget& budget, std::vector<std::uint8_t>& bytes,
               CResourceTable& table)
{
    const ZipEntry* entry = zip.Find("resources.arsc");
    if (!entry) return false;
    ZipPlace place;
    if (zip.StoredPlace(*entry, CApkParser::kMaxTableBytes, place)) return table.Load(source, place.offset, place.size);
    const bool cutBefore = budget.WasCut();
    if (zip.Read(*entry, CApkParser::kMaxTableBytes, bytes) == ZipReadStatus::Failed ||
        (!cutBefore && budget.WasCut())) {
        bytes = std::vector<std::uint8_t>();
        return false;
    }
    return table.Load(CByteView(bytes.data(), bytes.size()));
}

std::uint32_t ReferenceOf(const ManifestValue& value)
{
    return value.present && value.value.IsReference() ? value.value.data : 0;
}

}  // namespace

LocalePreference CApkParser::LocaleOf(const std::u16string& languageCode)
{
    if (languageCode == u"CHS") return {"zh", "CN"};
    if (languageCode == u"CHT") return {"zh", "TW"};
    if (languageCode == u"ENU") return {"en", "US"};
    return {};
}

bool CApkParser::Parse(CByteSource& source, const LocalePreference& locale, ApkSummary& summary,
                       CIconPainter* painter, CReadBudget* given)
{
    CReadBudget own;
    CReadBudget& budget = given ? *given : own;
    summary = ApkSummary();
    summary.fileSize = source.Size();
    const bool parsed = Read(source, locale, summary, painter, budget);
    if (budget.WasCut()) summary.cut = CReadBudget::Name(budget.CutPhase());
    return parsed;
}

bool CApkParser::Read(CByteSource& source, const LocalePreference& locale, ApkSummary& summary, CIconPainter* painter,
                      CReadBudget& budget)
{
    budget.Enter(ReadPhase::Directory);
    CZipArchive zip;
    if (!zip.Open(source, &budget)) return false;

    // Android refuses a package that holds two manifests; showing one of them would
    // describe something other than what the phone reads.
    if (zip.Count(kManifestName) != 1) return false;
    budget.Enter(ReadPhase::Manifest);
    std::vector<std::uint8_t> manifestBytes;
    const ZipEntry* manifestEntry = zip.Find(kManifestName);
    if (!manifestEntry || zip.Read(*manifestEntry, kMaxManifestBytes, manifestBytes) == ZipReadStatus::Failed) {
        return false;
    }
    CBudgetHold manifestHold(&budget, manifestBytes.size());
    CBinaryXml document;
    ManifestInfo manifest;
    CComponentReader components;
    if (!document.Load(CByteView(manifestBytes.data(), manifestBytes.size())) ||
        !CManifestReader::Read(document, manifest, &components)) {
        return false;
    }
    summary.parsed = true;
    if (!manifest.packageName.empty()) summary.packageName = manifest.packageName;
    summary.permissions = std::move(manifest.permissions);
    // The manifest's bytes are no longer needed once the facts are out.
    manifestBytes = std::vector<std::uint8_t>();
    manifestHold.Release();

    budget.Enter(ReadPhase::Resources);
    std::vector<std::uint8_t> tableBytes;
    CResourceTable table;
    const bool haveTable = LoadTable(zip, source, budget, tableBytes, table);
    const CBudgetHold tableHold(&budget, tableBytes.size());
    const CResourceResolver resolver(haveTable ? &table : nullptr, &budget);

    summary.access = CComponentAccess::Collect(components.Components(), summary.permissions, resolver);
    ReadVersion(manifest, resolver, summary);
    ReadMinSdk(manifest.minSdk, resolver, summary);
    ReadLabel(manifest, resolver, locale, summary);

    budget.Enter(ReadPhase::Icon);
    ApkIcon icon;
    const CIconChooser chooser(zip, resolver, painter, &budget);
    if (chooser.Choose(ReferenceOf(manifest.icon), ReferenceOf(manifest.roundIcon), icon)) {
        summary.icon = std::move(icon);
    }
    return true;
}
