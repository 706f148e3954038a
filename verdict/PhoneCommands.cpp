#include "PhoneCommands.h"

namespace {

bool IsNameChar(wchar_t c)
{
    return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9') || c == L'_';
}

}  // namespace

bool IsSafePackageName(const std::wstring& name)
{
    if (name.empty() || name.size() > 255) return false;
    int parts = 1;
    bool partStart = true;
    for (const wchar_t c : name) {
        if (c == L'.') {
            if (partStart) return false;
            ++parts;
            partStart = true;
        } else if (IsNameChar(c)) {
            if (partStart && c >= L'0' && c <= L'9') return false;
            partStart = false;
        } else {
            return false;
        }
    }
    return !partStart && parts >= 2;
}

bool IsSafeComponent(const std::wstring& component, const std::wstring& package)
{
    if (!IsSafePackageName(package) || component.compare(0, package.size() + 1, package + L"/") != 0) return false;
    const std::wstring cls = component.substr(package.size() + 1);
    if (cls.empty() || cls.size() > 512) return false;
    for (const wchar_t c : cls) {
        if (!IsNameChar(c) && c != L'.' && c != L'$') return false;
    }
    return cls != L".";
}

bool IsCommandMissing(const std::wstring& output)
{
    return output.find(L": not found") != std::wstring::npos || output.find(L"Can't find service") != std::wstring::npos;
}
