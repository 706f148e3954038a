#include "FactsReader.h"

#include "ApkParser.h"
#include "BundlePackage.h"
#include "FileSource.h"
#include "ImageFormat.h"
#include "Sha256.h"
#include "ShownPermissions.h"

void CFactsReader::Initialize(const std::u16string& languageCode)
{
    m_locale = CApkParser::LocaleOf(languageCode);
    InitializeTexts(languageCode);
}

PackageFacts CFactsReader::Read(const std::filesystem::path& path, const std::string& displayName) const
{
    PackageFacts facts;
    facts.file = displayName;
    std::optional<ApkSummary> summary;
    ReadRecord(path, facts, summary);

    // The parser's own facts, and the icon's entry name, which the record does not carry.
    if (!summary) {
        CFileSource file;
        ApkSummary parsed;
        if (file.Open(path) && CBundlePackage::Parse(file, m_locale, parsed, m_pPainter.get(), &facts.bundle)) summary = std::move(parsed);
    }
    if (facts.ok && summary) {
        facts.TakeParserFacts(*summary);
        if (facts.icon && summary->icon) DescribeOrigin(*summary->icon, *facts.icon);
    }
    facts.shown = CShownPermissions::Select(
        facts.permissions, [this](const std::u16string& name, ShownPermission& out) { return Translate(name, out); });
    return facts;
}

IconFacts CFactsReader::DescribeIcon(const std::uint8_t* bytes, std::size_t size)
{
    IconFacts icon;
    if (size == 0) return icon;
    icon.format = CImageFormat::Name(CImageFormat::Sniff(bytes, size));
    icon.bytes = size;
    icon.sha256 = CSha256::Hex(bytes, size);
    return icon;
}

void CFactsReader::DescribeOrigin(const ApkIcon& parsed, IconFacts& icon)
{
    if (!parsed.bytes.empty() && CSha256::Hex(parsed.bytes.data(), parsed.bytes.size()) != icon.sha256) return;
    static const char* const kOrigins[] = {"file", "drawn", "converted", "named"};
    icon.entry = parsed.entry;
    icon.origin = kOrigins[static_cast<int>(parsed.origin)];
    icon.shapes = parsed.scene ? parsed.scene->shapes.size() : 0;
}
