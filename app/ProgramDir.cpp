#include "ProgramDir.h"

#include <windows.h>

namespace {

// The module file name, however long; a 260-character buffer would silently cut it.
std::wstring ReadModuleFileName()
{
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, &name[0], DWORD(name.size()));
        if (length == 0) return std::wstring();
        if (length < name.size()) {
            name.resize(length);
            return name;
        }
        if (name.size() >= 32768) return std::wstring();  // beyond any Windows path
        name.resize(name.size() * 2);
    }
}

}  // namespace

std::wstring GetProgramDirPath(const wchar_t* fileName)
{
    std::wstring path = ReadModuleFileName();
    if (path.empty()) return path;
    // Position 0 is never a cut point: a name that starts with its only backslash stays whole.
    for (std::size_t i = path.size() - 1; i >= 1; --i) {
        if (path[i] == L'\\') {
            path.resize(i + 1);
            break;
        }
    }
    return path + fileName;
}

bool IsFile(const std::wstring& path)
{
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring GetLanguageFilePath() { return GetProgramDirPath(L"Language.xml"); }
