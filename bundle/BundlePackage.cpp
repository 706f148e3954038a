#include "BundlePackage.h"

#include "ApkParser.h"
#include "BundleReader.h"
#include "NestedSource.h"
#include "ZipArchive.h"

bool CBundlePackage::Parse(CByteSource& file, const LocalePreference& locale, ApkSummary& summary,
                           CIconPainter* painter, BundleContents* contents)
{
    if (contents) *contents = BundleContents();
    // A package is read as it always was; only a file without a readable manifest of its
    // own is looked at as a bundle.
    if (CApkParser::Parse(file, locale, summary, painter)) return true;

    CZipArchive zip;
    BundleContents bundle;
    if (!zip.Open(file) || !CBundleReader::Read(zip, bundle)) return false;
    const BundlePart* base = bundle.Base();
    const ZipEntry* entry = base && !bundle.encrypted ? zip.Find(base->entryName) : nullptr;
    bool parsed = false;
    if (entry) {
        CNestedSource nested;
        parsed = nested.Open(zip, file, *entry) && CApkParser::Parse(nested, locale, summary, painter);
    }
    if (!parsed) summary = ApkSummary();
    summary.fileSize = file.Size();
    if (contents) *contents = std::move(bundle);
    return parsed;
}
