#include "PackagePath.h"

std::wstring FindExtension(const std::wstring& path)
{
    std::size_t dot = std::wstring::npos;
    for (std::size_t i = 0; i < path.size(); ++i) {
        const wchar_t c = path[i];
        if (c == L'\\' || c == L' ') {
            dot = std::wstring::npos;
        } else if (c == L'.') {
            dot = i;
        }
    }
    return dot == std::wstring::npos ? std::wstring() : path.substr(dot);
}

namespace {

std::wstring LowerExtension(const std::wstring& path)
{
    std::wstring extension = FindExtension(path);
    for (wchar_t& c : extension) {
        if (c >= L'A' && c <= L'Z') c = wchar_t(c - L'A' + L'a');
    }
    return extension;
}

}  // namespace

bool HasApkExtension(const std::wstring& path)
{
    return LowerExtension(path) == L".apk";
}

bool HasPackageExtension(const std::wstring& path)
{
    const std::wstring extension = LowerExtension(path);
    return extension == L".apk" || extension == L".xapk" || extension == L".apks" || extension == L".apkm";
}
