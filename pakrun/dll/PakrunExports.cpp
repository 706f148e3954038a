// The library's five exported functions: thin shims that turn the record and wide
// strings into calls of the platform-free parser and back.
#define PAKRUN_BUILDING_DLL
#include "ApkInfo.h"

#include <cstring>
#include <new>
#include <string>

#include "ApkParser.h"
#include "BundlePackage.h"
#include "FileSource.h"
#include "GdipIconPainter.h"
#include "IconStream.h"
#include "PermissionTexts.h"
#include "RecordFields.h"

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide characters are UTF-16");
static_assert(sizeof(_tagAPKINFO::szVersion) / sizeof(wchar_t) == CRecordFields::kVersionChars, "version field");
static_assert(sizeof(_tagAPKINFO::szAppName) / sizeof(wchar_t) == CRecordFields::kAppNameChars, "name field");
static_assert(sizeof(_tagAPKINFO::szSystem) / sizeof(wchar_t) == CRecordFields::kSystemChars, "system field");

namespace {

constexpr std::uint64_t kMaxLanguageFileBytes = 4u * 1024 * 1024;

// Loaded by InitializePermission; used on the caller's one thread.
CPermissionTexts g_permissionTexts;
LocalePreference g_locale{"zh", "CN"};
// Kept for the library's life: it asks the system once whether it decodes WebP.
CGdipIconPainter g_painter;

std::u16string FromWide(const wchar_t* text)
{
    return text ? std::u16string(reinterpret_cast<const char16_t*>(text)) : std::u16string();
}

void CopyToField(wchar_t* field, std::size_t capacity, const std::u16string& text)
{
    const std::u16string fitted = CRecordFields::Fit(text, capacity);
    std::memcpy(field, fitted.data(), fitted.size() * sizeof(wchar_t));
    field[fitted.size()] = L'\0';
}

void CopyToBuffer(wchar_t* buffer, int size, const std::u16string& text)
{
    if (!buffer || size <= 0) return;
    CopyToField(buffer, static_cast<std::size_t>(size), text);
}

wchar_t* PackPermissions(const std::vector<std::u16string>& names)
{
    std::size_t total = 0;
    for (const std::u16string& name : names) total += name.size() + 1;
    wchar_t* packed = new wchar_t[total];
    wchar_t* at = packed;
    for (const std::u16string& name : names) {
        std::memcpy(at, name.data(), name.size() * sizeof(wchar_t));
        at += name.size();
        *at++ = L'\0';
    }
    return packed;
}

int FillRecord(const wchar_t* path, _tagAPKINFO* info, int iconPixels)
{
    g_painter.SetIconPixels(iconPixels);
    CFileSource file;
    if (!file.Open(std::filesystem::path(path))) return 0;
    info->nSize = static_cast<unsigned int>(file.Size());
    info->nSizeHigh = static_cast<unsigned int>(file.Size() >> 32);
    ApkSummary summary;
    // A bundle of split packages is shown as its base package.
    if (!CBundlePackage::Parse(file, g_locale, summary, &g_painter)) return 0;
    CopyToField(info->szVersion, CRecordFields::kVersionChars, summary.VersionText());
    CopyToField(info->szAppName, CRecordFields::kAppNameChars, summary.AppName());
    CopyToField(info->szSystem, CRecordFields::kSystemChars, summary.SystemText());
    const std::vector<std::u16string> names = summary.RecordNames();
    if (!names.empty()) {
        info->pPermissions = PackPermissions(names);
        info->nPermissionCount = static_cast<int>(names.size());
    }
    if (summary.icon) info->pIcon = CIconStream::Create(summary.icon->bytes);
    return 1;
}

}  // namespace

extern "C" {

void __cdecl InitializePermission(const wchar_t* languageFile, const wchar_t* language)
{
    try {
        std::u16string code = FromWide(language);
        if (code.empty()) code = u"CHS";
        g_locale = CApkParser::LocaleOf(code);
        g_permissionTexts = CPermissionTexts();
        CFileSource file;
        if (!languageFile || !file.Open(std::filesystem::path(languageFile)) || file.Size() > kMaxLanguageFileBytes) return;
        std::string document(static_cast<std::size_t>(file.Size()), '\0');
        if (!file.ReadExact(0, document.data(), document.size())) return;
        g_permissionTexts.Load(document, code);
    } catch (...) {
        g_permissionTexts = CPermissionTexts();
    }
}

int __cdecl ParseApk(const wchar_t* path, _tagAPKINFO* info, int iconPixels)
{
    if (!path || !info) return 0;
    try {
        return FillRecord(path, info, iconPixels);
    } catch (...) {
        // Out of memory: report what is in the record so far as unparsed.
        return 0;
    }
}

void __cdecl ReleaseApk(_tagAPKINFO* info)
{
    if (!info) return;
    if (info->pIcon) info->pIcon->Release();
    delete[] info->pPermissions;
    info->pIcon = nullptr;
    info->pPermissions = nullptr;
    info->nPermissionCount = 0;
}

int __cdecl TranslatePermission(const wchar_t* permission, wchar_t* title, int titleSize, wchar_t* description,
                                int descriptionSize, wchar_t* group, int groupSize)
{
    try {
        const PermissionText* text = g_permissionTexts.Find(FromWide(permission));
        if (!text) return 1;
        CopyToBuffer(title, titleSize, text->title);
        CopyToBuffer(description, descriptionSize, text->description);
        CopyToBuffer(group, groupSize, text->group);
        return 0;
    } catch (...) {
        return 1;
    }
}

int __cdecl TranslatePermissionGroup(const wchar_t* group, wchar_t* title, int titleSize, int* level)
{
    try {
        const PermissionGroup* found = g_permissionTexts.FindGroup(FromWide(group));
        if (!found) return 1;
        CopyToBuffer(title, titleSize, found->title);
        if (level) *level = found->level;
        return 0;
    } catch (...) {
        return 1;
    }
}

}  // extern "C"
