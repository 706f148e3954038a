#include "LongPath.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

bool StartsWith(const std::wstring& text, const wchar_t* prefix)
{
    return text.compare(0, std::char_traits<wchar_t>::length(prefix), prefix) == 0;
}

bool IsDriveLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

// Directories must leave room for an 8.3 file name below them, so the classic limit for a
// path is 260 characters less 12.
constexpr std::size_t kClassicLimit = 260 - 12;

}  // namespace

std::wstring AddExtendedLengthPrefix(const std::wstring& fullPath)
{
    if (StartsWith(fullPath, L"\\\\?\\") || StartsWith(fullPath, L"\\\\.\\")) return fullPath;
    if (fullPath.size() >= 3 && IsDriveLetter(fullPath[0]) && fullPath[1] == L':' && fullPath[2] == L'\\') {
        return L"\\\\?\\" + fullPath;
    }
    if (StartsWith(fullPath, L"\\\\") && fullPath.size() > 2) return L"\\\\?\\UNC\\" + fullPath.substr(2);
    return fullPath;
}

std::wstring FullPathName(const std::wstring& path)
{
#ifdef _WIN32
    const DWORD size = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (size == 0) return path;
    std::wstring full(size, L'\0');
    const DWORD length = ::GetFullPathNameW(path.c_str(), size, &full[0], nullptr);
    if (length == 0 || length >= size) return path;
    full.resize(length);
    return full;
#else
    return path;
#endif
}

std::wstring ExtendedLengthPath(const std::wstring& path)
{
    if (path.size() < kClassicLimit) return path;
    return AddExtendedLengthPrefix(FullPathName(path));
}
