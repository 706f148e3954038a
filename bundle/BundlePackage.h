// Reads what the window shows of a file that is a package or a bundle of split packages:
// a bundle is shown as its base package, with the size of the whole file.
#pragma once

#include "ApkSummary.h"
#include "BundleContents.h"
#include "ByteSource.h"
#include "IconPainter.h"
#include "ReadBudget.h"
#include "ResourceConfig.h"

class CBundlePackage {
public:
    // As CApkParser::Parse for a package. For a bundle, the base package's facts with
    // fileSize the whole file's; false when the bundle is encrypted, has no base or its
    // base cannot be read. contents, when given, receives what the bundle holds (layout
    // None for a package). The whole read, the bundle's and its base's, is held to one
    // budget: the one given, else one made here.
    static bool Parse(CByteSource& file, const LocalePreference& locale, ApkSummary& summary,
                      CIconPainter* painter = nullptr, BundleContents* contents = nullptr,
                      CReadBudget* budget = nullptr);
};
