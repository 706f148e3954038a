// Reads a package: the manifest, resources.arsc for texts and icons, the icon's bytes.
// A readable manifest is enough to succeed; damaged resources only leave facts out.
#pragma once

#include <string>

#include "ApkSummary.h"
#include "ByteSource.h"
#include "IconPainter.h"
#include "ReadBudget.h"
#include "ResourceConfig.h"

class CApkParser {
public:
    // Caps per entry: a manifest or table claiming more is read only this far.
    static constexpr std::size_t kMaxManifestBytes = 16u * 1024 * 1024;
    static constexpr std::size_t kMaxTableBytes = 64u * 1024 * 1024;

    // The locale that a language code of the language file stands for: "CHS" zh-CN,
    // "CHT" zh-TW, "ENU" en-US; any other code asks for the default texts.
    static LocalePreference LocaleOf(const std::u16string& languageCode);

    // Fills summary as far as the package allows. False when it has no readable manifest.
    // The painter, where there is one, turns icons drawn from XML and WebP icons into PNGs.
    // The whole read is held to one budget: the one given (a read of a package inside
    // another hands its own down), else a default one made here. A phase that passes its
    // share leaves its facts out and names itself in summary.cut.
    static bool Parse(CByteSource& source, const LocalePreference& locale, ApkSummary& summary,
                      CIconPainter* painter = nullptr, CReadBudget* budget = nullptr);

private:
    static bool Read(CByteSource& source, const LocalePreference& locale, ApkSummary& summary, CIconPainter* painter,
                     CReadBudget& budget);
};
