// The record's facts without Pakrun.dll: the parser, with the record's field sizes.
#include "FactsReader.h"

#include <fstream>
#include <iterator>

#include "ApkParser.h"
#include "BundlePackage.h"
#include "FileSource.h"
#include "RecordFields.h"

namespace {

std::filesystem::path LanguageFilePath()
{
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path("Language.xml") : self.parent_path() / "Language.xml";
}

}  // namespace

void CFactsReader::InitializeTexts(const std::u16string& languageCode)
{
    std::ifstream in(LanguageFilePath(), std::ios::binary);
    const std::string document((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    m_texts.Load(document, languageCode);
}

void CFactsReader::ReadRecord(const std::filesystem::path& path, PackageFacts& facts,
                              std::optional<ApkSummary>& parsed) const
{
    CFileSource file;
    if (!file.Open(path)) return;
    facts.size = static_cast<std::uint32_t>(file.Size());
    ApkSummary& summary = parsed.emplace();
    facts.ok = CBundlePackage::Parse(file, m_locale, summary, nullptr, &facts.bundle);
    if (!facts.ok) return;
    facts.version = CRecordFields::Fit(summary.VersionText(), CRecordFields::kVersionChars);
    facts.label = CRecordFields::Fit(summary.AppName(), CRecordFields::kAppNameChars);
    facts.system = CRecordFields::Fit(summary.SystemText(), CRecordFields::kSystemChars);
    facts.permissions = summary.RecordNames();
    if (summary.icon) facts.icon = DescribeIcon(summary.icon->bytes.data(), summary.icon->bytes.size());
}

bool CFactsReader::Translate(const std::u16string& name, ShownPermission& out) const
{
    const PermissionText* text = m_texts.Find(name);
    if (!text) return false;
    const PermissionGroup* group = m_texts.FindGroup(text->group);
    if (!group) return false;
    // The same cuts as the window's buffers: 150 and 250 characters with the NUL.
    out.title = CRecordFields::Fit(text->title, 150);
    out.description = CRecordFields::Fit(text->description, 250);
    out.level = group->level;
    return true;
}
