// Gathers a package's facts. On Windows through Pakrun.dll, exactly as the program sees
// them; elsewhere from the parser and the language file directly, cut to the record's
// field sizes. Either way the parser adds what the record does not carry.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "IconPainter.h"
#include "PackageFacts.h"
#include "PermissionTexts.h"
#include "ResourceConfig.h"

class CFactsReader {
public:
    // Loads the language file beside the program for the language code ("CHS").
    void Initialize(const std::u16string& languageCode);

    PackageFacts Read(const std::filesystem::path& path, const std::string& displayName) const;

    static IconFacts DescribeIcon(const std::uint8_t* bytes, std::size_t size);
    // How the parser got its icon: origin, and the entry where the bytes are the ones it
    // chose (checked by their hash) or where there are none.
    static void DescribeOrigin(const ApkIcon& parsed, IconFacts& icon);

private:
    // Platform parts: the record's facts and the translation of one permission. Where the
    // record comes from the parser itself, its summary is handed back for reuse.
    void InitializeTexts(const std::u16string& languageCode);
    void ReadRecord(const std::filesystem::path& path, PackageFacts& facts, std::optional<ApkSummary>& summary) const;
    bool Translate(const std::u16string& name, ShownPermission& out) const;

    LocalePreference m_locale;
    CPermissionTexts m_texts;  // where the library is not used
    // Where the library paints icons, the same painting, so that the parser's choice can
    // be matched to the library's bytes; null natively.
    std::unique_ptr<CIconPainter> m_pPainter;
};
