// The record's facts through Pakrun.dll, called as the program calls it.
#include "FactsReader.h"

#include <cwchar>

#include "ApkInfo.h"
#include "GdipIconPainter.h"
#include "ProgramDir.h"

namespace {

constexpr int kTitleChars = 150;
constexpr int kDescriptionChars = 250;
constexpr int kGroupChars = 150;

std::u16string FromWide(const wchar_t* text)
{
    return std::u16string(reinterpret_cast<const char16_t*>(text));
}

// The whole stream, read from its start.
std::vector<std::uint8_t> ReadStream(IStream* stream)
{
    std::vector<std::uint8_t> bytes;
    LARGE_INTEGER start{};
    if (FAILED(stream->Seek(start, STREAM_SEEK_SET, nullptr))) return bytes;
    std::uint8_t chunk[65536];
    ULONG read = 0;
    while (SUCCEEDED(stream->Read(chunk, sizeof chunk, &read)) && read > 0) bytes.insert(bytes.end(), chunk, chunk + read);
    return bytes;
}

}  // namespace

void CFactsReader::InitializeTexts(const std::u16string& languageCode)
{
    const std::wstring file = GetProgramDirPath(L"Language.xml");
    const std::wstring code(languageCode.begin(), languageCode.end());
    InitializePermission(file.c_str(), code.c_str());
    m_pPainter = std::make_unique<CGdipIconPainter>();
}

void CFactsReader::ReadRecord(const std::filesystem::path& path, PackageFacts& facts, std::optional<ApkSummary>&) const
{
    _tagAPKINFO info = {};
    facts.ok = ParseApk(path.c_str(), &info, 0) != 0;
    facts.size = info.nSize;
    facts.version = FromWide(info.szVersion);
    facts.label = FromWide(info.szAppName);
    facts.system = FromWide(info.szSystem);
    if (info.pIcon) {
        const std::vector<std::uint8_t> bytes = ReadStream(info.pIcon);
        facts.icon = DescribeIcon(bytes.data(), bytes.size());
    }
    const wchar_t* name = info.pPermissions;
    for (int i = 0; name && i < info.nPermissionCount; ++i) {
        facts.permissions.push_back(FromWide(name));
        name += wcslen(name) + 1;
    }
    ReleaseApk(&info);
}

bool CFactsReader::Translate(const std::u16string& name, ShownPermission& out) const
{
    wchar_t title[kTitleChars] = {};
    wchar_t description[kDescriptionChars] = {};
    wchar_t group[kGroupChars] = {};
    const std::wstring wide(name.begin(), name.end());
    if (TranslatePermission(wide.c_str(), title, kTitleChars, description, kDescriptionChars, group, kGroupChars) != 0) {
        return false;
    }
    int level = 0;
    if (TranslatePermissionGroup(group, nullptr, 0, &level) != 0) return false;
    out.title = FromWide(title);
    out.description = FromWide(description);
    out.level = level;
    return true;
}
