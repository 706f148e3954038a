// Paths longer than the system's classic limit. File calls take such a path only in its
// extended-length form ("\\?\C:\..." or "\\?\UNC\server\share\..."), which turns off the
// system's own path parsing, so the path is made whole and absolute first.
#pragma once

#include <string>

// The extended-length form of a full path (drive or UNC); any other text unchanged.
// Pure text work, without the system.
std::wstring AddExtendedLengthPrefix(const std::wstring& fullPath);

// The path made absolute against the current directory, as the system does it; the path
// itself when that fails.
std::wstring FullPathName(const std::wstring& path);

// A path the file calls can open whatever its length: paths that fit the classic limit
// come back as they are; longer ones made absolute and given the extended-length prefix.
std::wstring ExtendedLengthPath(const std::wstring& path);
