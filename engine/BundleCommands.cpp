#include "BundleCommands.h"

#include <cwctype>
#include <sstream>

#include "AdbCommand.h"
#include "InstallRules.h"

namespace {

std::wstring Quoted(const std::wstring& text) { return L"\"" + text + L"\""; }

bool IsSafeName(const std::string& name)
{
    if (name.empty() || name.size() > 200 || name == "." || name == "..") return false;
    for (char c : name) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
                           c == '_' || c == '-';
        if (!plain) return false;
    }
    return true;
}

bool IsDate(const std::wstring& word)
{
    if (word.size() != 10 || word[4] != L'-' || word[7] != L'-') return false;
    for (std::size_t i : {0, 1, 2, 3, 5, 6, 8, 9}) {
        if (word[i] < L'0' || word[i] > L'9') return false;
    }
    return true;
}

bool IsNumber(const std::wstring& word)
{
    if (word.empty() || word.size() > 19) return false;
    for (wchar_t c : word) {
        if (c < L'0' || c > L'9') return false;
    }
    return true;
}

}  // namespace

std::wstring FormatInstallMultiple(const std::wstring& adbPath, const std::wstring& serialArgument,
                                   const wchar_t* locationOption, const std::vector<std::wstring>& paths)
{
    std::wstring command = Quoted(adbPath) + L" -s " + serialArgument + L" install-multiple -r";
    if (locationOption && *locationOption) command += std::wstring(L" ") + locationOption;
    for (const std::wstring& path : paths) command += L" " + Quoted(path);
    return command;
}

const wchar_t* InstallLocationOption(bool toSd, const std::wstring& installLocationAnswer)
{
    if (toSd) return L"-s";
    return ChooseInstallTemplate(installLocationAnswer) == kAdbInstallToPhone ? L"-f" : L"";
}

bool ExpansionPhonePath(const std::string& packageName, const std::string& fileName, std::wstring& out)
{
    if (!IsSafeName(packageName) || !IsSafeName(fileName)) return false;
    out = kPhoneObbRoot + std::wstring(packageName.begin(), packageName.end()) + L"/" +
          std::wstring(fileName.begin(), fileName.end());
    return true;
}

std::wstring FormatPush(const std::wstring& adbPath, const std::wstring& serialArgument, const std::wstring& localPath,
                        const std::wstring& phonePath)
{
    return Quoted(adbPath) + L" -s " + serialArgument + L" push " + Quoted(localPath) + L" " + Quoted(phonePath);
}

std::wstring FormatListFile(const std::wstring& adbPath, const std::wstring& serialArgument, const std::wstring& phonePath)
{
    // The path holds only plain characters (ExpansionPhonePath): the phone's shell reads it as it is.
    return Quoted(adbPath) + L" -s " + serialArgument + L" shell ls -l " + phonePath;
}

bool ParseListedSize(const std::wstring& output, std::uint64_t& size)
{
    std::wistringstream words(output);
    std::wstring previous;
    std::wstring word;
    while (words >> word) {
        if (IsDate(word) && IsNumber(previous)) {
            size = std::stoull(previous);
            return true;
        }
        previous = word;
    }
    return false;
}

std::string NarrowAscii(const std::wstring& text)
{
    std::string narrow;
    narrow.reserve(text.size());
    for (wchar_t c : text) narrow += c < 0x80 ? char(c) : '?';
    return narrow;
}
