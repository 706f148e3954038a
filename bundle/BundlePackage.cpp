#include "BundlePackage.h"

#include "ApkParser.h"
#include "BundleReader.h"
#include "NestedSource.h"
#include "ZipArchive.h"

bool CBundlePackage::Parse(CByteSource& file, const LocalePreference& locale, ApkSummary& summary,
                           CIconPainter* painter, BundleContents* contents, CReadBudget* given)
{
    CReadBudget own;
    CReadBudget& budget = given ? *given : own;
    if (contents) *contents = BundleContents();
    // A package is read as it always was; only a file without a readable manifest of its
    // own is looked at as a bundle.
    if (CApkParser::Parse(file, locale, summary, painter, &budget)) return true;

    // The bundle's directory, and its base inflated to reach the base's own, are the
    // directory's work.
    budget.Enter(ReadPhase::Directory);
    CZipArchive zip;
    BundleContents bundle;
    if (!zip.Open(file, &budget) || !CBundleReader::Read(zip, bundle)) return false;
    const BundlePart* base = bundle.Base();
    const ZipEntry* entry = base && !bundle.encrypted ? zip.Find(base->entryName) : nullptr;
    bool parsed = false;
    if (entry) {
        CNestedSource nested;
        parsed = nested.Open(zip, file, *entry, &budget) && CApkParser::Parse(nested, locale, summary, painter, &budget);
    }
    if (!parsed) summary = ApkSummary();
    summary.fileSize = file.Size();
    if (budget.WasCut()) summary.cut = CReadBudget::Name(budget.CutPhase());
    if (contents) *contents = std::move(bundle);
    return parsed;
}
