#include "BundleInstall.h"

#include <filesystem>
#include <vector>

#include "AdbCommand.h"
#include "AdbRunner.h"
#include "AdbTarget.h"
#include "ApkParser.h"
#include "BundleCommands.h"
#include "BundleReader.h"
#include "EntryStreamer.h"
#include "InstallErrorTableStore.h"
#include "InstallMessages.h"
#include "InstallProgress.h"
#include "InstallRules.h"
#include "LongPath.h"
#include "NestedSource.h"
#include "PhoneTraitsText.h"
#include "StringResource.h"
#include "TempApkCopy.h"
#include "resource.h"

namespace {

// The temporary files of one install, deleted when it ends, however it ends.
class CTempFiles {
public:
    CTempFiles() = default;
    ~CTempFiles()
    {
        for (const std::wstring& path : m_paths) ::DeleteFileW(path.c_str());
    }
    CTempFiles(const CTempFiles&) = delete;
    CTempFiles& operator=(const CTempFiles&) = delete;

    void Add(const std::wstring& path) { m_paths.push_back(path); }

private:
    std::vector<std::wstring> m_paths;
};

unsigned RefusalText(SplitRefusal refusal)
{
    switch (refusal) {
    case SplitRefusal::Encrypted: return IDS_BUNDLE_ENCRYPTED;
    case SplitRefusal::NoBase: return IDS_BUNDLE_NO_BASE;
    case SplitRefusal::NoAbiPart: return IDS_BUNDLE_NO_ABI;
    case SplitRefusal::OldAndroid: return IDS_BUNDLE_OLD_ANDROID;
    case SplitRefusal::None: break;
    }
    return IDS_ERR_UNKNOWN;
}

}  // namespace

CBundleInstall::CBundleInstall(std::wstring serial, std::wstring adbPath, HANDLE cancelEvent, Progress progress)
    : m_strSerial(std::move(serial)), m_strAdbPath(std::move(adbPath)), m_hCancel(cancelEvent), m_progress(std::move(progress))
{
}

bool CBundleInstall::Open(const std::wstring& path)
{
    if (!m_file.Open(std::filesystem::path(path)) || !m_zip.Open(m_file)) return false;
    return CBundleReader::Read(m_zip, m_contents);
}

bool CBundleInstall::Cancelled() const
{
    return m_hCancel && ::WaitForSingleObject(m_hCancel, 0) == WAIT_OBJECT_0;
}

std::wstring CBundleInstall::Ask(const wchar_t* commandTemplate, bool* ran) const
{
    std::wstring output;
    const bool ok = RunAdbCommand(FormatAdbCommand(commandTemplate, {m_strAdbPath, AdbSerialArgument(m_strSerial)}), output,
                                  INFINITE, m_hCancel);
    if (ran) *ran = ok;
    return output;
}

std::string CBundleInstall::AskText(const wchar_t* commandTemplate) const
{
    bool ran = false;
    const std::wstring output = Ask(commandTemplate, &ran);
    return ran ? NarrowAscii(output) : std::string();
}

PhoneTraits CBundleInstall::ReadPhone() const
{
    PhoneTraits phone;
    bool ran = false;
    const std::wstring sdk = Ask(kAdbGetSdk, &ran);
    phone.sdk = ran ? ParseSdkLevel(sdk) : 0;
    phone.abis = ParseAbiList(AskText(kAdbGetAbiList));
    if (phone.abis.empty()) phone.abis = ParseAbiList(AskText(kAdbGetAbi));
    // wm answers from Android 4.3 on, with the density that the screen uses now.
    phone.density = ParseDensity(AskText(kAdbWmDensity));
    if (phone.density <= 0) phone.density = ParseDensity(AskText(kAdbGetLcdDensity));
    for (const wchar_t* query : {kAdbGetLocale, kAdbGetProductLocale, kAdbGetLanguage}) {
        if (!phone.language.empty() || Cancelled()) break;
        phone.language = ParseLanguage(AskText(query));
    }
    return phone;
}

bool CBundleInstall::CopyOut(const std::string& entryName, const wchar_t* extension, std::wstring& path) const
{
    const ZipEntry* entry = m_zip.Find(entryName);
    if (!entry) return false;
    CScopedFileHandle file = CreateNumericTempFile(extension, path);
    if (!file) return false;
    const HANDLE handle = file.Get();
    const bool copied = CEntryStreamer::Stream(m_zip, m_file, *entry, [&](const std::uint8_t* data, std::size_t size) {
        if (Cancelled()) return false;
        DWORD written = 0;
        return ::WriteFile(handle, data, DWORD(size), &written, nullptr) && written == size;
    });
    return file.Close() && copied;
}

bool CBundleInstall::InstallParts(const std::vector<std::wstring>& paths, bool toSd, std::wstring& error) const
{
    m_progress(kProgressInstalling, LPARAM(paths.size()));
    if (paths.size() == 1) {
        // One package alone installs as any package does, on old phones too.
        const AdbTarget target{m_strSerial, paths[0], m_strAdbPath, m_hCancel};
        return target.InstallApk(toSd, error);
    }
    const wchar_t* option = toSd ? InstallLocationOption(true, std::wstring())
                                 : InstallLocationOption(false, Ask(kAdbGetInstallLocation));
    if (Cancelled()) return false;
    std::wstring output;
    std::wstring failedRunText;
    RunAdbCommand(FormatInstallMultiple(m_strAdbPath, AdbSerialArgument(m_strSerial), option, paths), output, INFINITE,
                  m_hCancel, &failedRunText);
    if (Cancelled()) return false;
    if (IsInstallSuccess(output)) return true;
    error = GetInstallErrorMessage(GetInstallErrorTable(), output.empty() ? failedRunText : output);
    return false;
}

std::string CBundleInstall::PackageName() const
{
    // The base package's own manifest names the app; the bundle's description only if
    // that cannot be read.
    const BundlePart* base = m_contents.Base();
    const ZipEntry* entry = base ? m_zip.Find(base->entryName) : nullptr;
    CNestedSource nested;
    ApkSummary summary;
    if (entry && nested.Open(m_zip, m_file, *entry) && CApkParser::Parse(nested, {}, summary) && summary.packageName) {
        std::string name;
        for (char16_t c : *summary.packageName) name += c < 0x80 ? char(c) : '?';
        return name;
    }
    return m_contents.packageName;
}

bool CBundleInstall::PushExpansions(std::wstring& error) const
{
    const std::string package = PackageName();
    const int count = int(m_contents.expansions.size());
    for (int i = 0; i < count; ++i) {
        const BundleExpansion& expansion = m_contents.expansions[std::size_t(i)];
        m_progress(kProgressCopyingData, LPARAM(CopyingDataDetail(i + 1, count)));
        std::wstring phonePath;
        if (!ExpansionPhonePath(package, expansion.fileName, phonePath)) {
            error = LoadStringResource(IDS_BUNDLE_DATA_FAILED);
            return false;
        }
        CTempFiles copy;  // each data file is deleted as soon as it is on the phone
        std::wstring path;
        const bool copied = CopyOut(expansion.entryName, L".obb", path);
        if (!path.empty()) copy.Add(path);
        if (Cancelled()) return false;
        if (!copied) {
            error = LoadStringResource(IDS_BUNDLE_UNREADABLE);
            return false;
        }
        std::wstring output;
        RunAdbCommand(FormatPush(m_strAdbPath, AdbSerialArgument(m_strSerial), path, phonePath), output, INFINITE, m_hCancel);
        if (Cancelled()) return false;
        RunAdbCommand(FormatListFile(m_strAdbPath, AdbSerialArgument(m_strSerial), phonePath), output, INFINITE, m_hCancel);
        if (Cancelled()) return false;
        std::uint64_t size = 0;
        if (!ParseListedSize(output, size) || size != expansion.size) {
            error = LoadStringResource(IDS_BUNDLE_DATA_FAILED);
            return false;
        }
    }
    return true;
}

bool CBundleInstall::Install(bool installToSd, LPARAM& sdParam, std::wstring& error)
{
    // What the bundle itself rules out needs no question to the phone.
    if (m_contents.encrypted || !m_contents.Base()) {
        error = LoadStringResource(RefusalText(ChooseSplits(m_contents, PhoneTraits()).refusal));
        return false;
    }
    const PhoneTraits phone = ReadPhone();
    if (Cancelled()) return false;
    const SplitChoice choice = ChooseSplits(m_contents, phone);
    if (choice.refusal != SplitRefusal::None) {
        error = LoadStringResource(RefusalText(choice.refusal));
        return false;
    }
    bool toSd = false;
    if (installToSd) {
        toSd = phone.sdk >= kSdInstallMinSdkLevel;
        if (!toSd) sdParam = 0;
    }

    CTempFiles copies;
    std::vector<std::wstring> paths;
    for (std::size_t part : choice.parts) {
        std::wstring path;
        const bool copied = CopyOut(m_contents.parts[part].entryName, L".apk", path);
        if (!path.empty()) copies.Add(path);
        if (Cancelled()) return false;
        if (!copied) {
            error = LoadStringResource(IDS_BUNDLE_UNREADABLE);
            return false;
        }
        paths.push_back(path);
    }
    if (!InstallParts(paths, toSd, error)) return false;
    return PushExpansions(error);
}
