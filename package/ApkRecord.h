// One read of a package through Pakrun.dll: the zero-filled record, ParseApk, and
// ReleaseApk exactly once when the read is over.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ApkInfo.h"

class CApkRecord {
public:
    CApkRecord();
    ~CApkRecord();
    CApkRecord(const CApkRecord&) = delete;
    CApkRecord& operator=(const CApkRecord&) = delete;

    // Reads the package; nonzero when the library could parse it. Once per record.
    // iconPixels: the icon box's side on the display (0: at 96 dpi).
    int Parse(const wchar_t* path, int iconPixels = 0);

    // The package file's size from the record (its high half from offset 4).
    std::uint64_t FileSize() const;
    std::wstring Version() const;
    std::wstring AppName() const;
    std::wstring System() const;
    // The icon's bytes, valid until the record is released; null when there is none.
    IStream* IconStream() const { return m_info.pIcon; }
    // The permission names, in the package's order.
    std::vector<std::wstring> PermissionNames() const;

private:
    _tagAPKINFO m_info;
    bool m_bParsed = false;
};
