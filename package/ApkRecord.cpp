#include "ApkRecord.h"

#include <cstring>
#include <cwchar>

namespace {

// Up to the first NUL, and never past the field, whatever the library left in it.
template <std::size_t N>
std::wstring FieldText(const wchar_t (&field)[N])
{
    std::size_t length = 0;
    while (length < N && field[length] != L'\0') ++length;
    return std::wstring(field, length);
}

}  // namespace

CApkRecord::CApkRecord() { std::memset(&m_info, 0, sizeof(m_info)); }

CApkRecord::~CApkRecord()
{
    if (m_bParsed) ::ReleaseApk(&m_info);
}

int CApkRecord::Parse(const wchar_t* path, int iconPixels)
{
    if (m_bParsed) return 0;
    m_bParsed = true;
    return ::ParseApk(path, &m_info, iconPixels);
}

std::uint64_t CApkRecord::FileSize() const { return (std::uint64_t(m_info.nSizeHigh) << 32) | m_info.nSize; }

std::wstring CApkRecord::Version() const { return FieldText(m_info.szVersion); }
std::wstring CApkRecord::AppName() const { return FieldText(m_info.szAppName); }
std::wstring CApkRecord::System() const { return FieldText(m_info.szSystem); }

std::vector<std::wstring> CApkRecord::PermissionNames() const
{
    std::vector<std::wstring> names;
    const wchar_t* name = m_info.pPermissions;
    if (!name) return names;
    for (int i = 0; i < m_info.nPermissionCount; ++i) {
        const std::size_t length = std::wcslen(name);
        names.emplace_back(name, length);
        name += length + 1;
    }
    return names;
}
