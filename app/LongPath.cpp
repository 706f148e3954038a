#include "LongPath.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

bool StartsWith(const std::wstring& text, const wchar_t* prefix)
{
    return text.compare(0, std::char_traits<wchar_t>::length(prefix), prefix) == 0;
}

bool IsDotOrBlank(wchar_t c) { return c == L'.' || c == L' '; }

bool IsNameSeparator(wchar_t c) { return c == L'\\' || c == L'/' || c == L':'; }

std::wstring WithoutTrailingDotsAndBlanks(std::wstring path)
{
    while (!path.empty() && IsDotOrBlank(path.back())) path.pop_back();
    return path;
}

// The dots and blanks that end the last name; none when the name is made of nothing else.
std::wstring TrailingDotsAndBlanks(const std::wstring& path)
{
    std::size_t start = path.size();
    while (start > 0 && IsDotOrBlank(path[start - 1])) --start;
    if (start == 0 || IsNameSeparator(path[start - 1])) return std::wstring();
    return path.substr(start);
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

std::wstring KeepTrailingDotsAndBlanks(const std::wstring& userPath, const std::wstring& fullPath)
{
    const std::wstring tail = TrailingDotsAndBlanks(userPath);
    // The system may have dropped the tail, or part of it, or kept it: it is put back whole.
    return tail.empty() ? fullPath : WithoutTrailingDotsAndBlanks(fullPath) + tail;
}

std::wstring ExactExtendedPath(const std::wstring& userPath, const std::wstring& fullPath)
{
    if (StartsWith(userPath, L"\\\\?\\")) return userPath;
    return AddExtendedLengthPrefix(KeepTrailingDotsAndBlanks(userPath, fullPath));
}

std::wstring ExactFullPathName(const std::wstring& path) { return KeepTrailingDotsAndBlanks(path, FullPathName(path)); }

std::wstring ExactFilePath(const std::wstring& path) { return ExactExtendedPath(path, FullPathName(path)); }
