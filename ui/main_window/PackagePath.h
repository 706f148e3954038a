// What the window reads from a dropped file's path.
#pragma once

#include <string>

// The file-name extension as the shell finds it: from the last dot after the last
// backslash, unless a blank follows that dot; empty when there is none.
std::wstring FindExtension(const std::wstring& path);

// The extension is ".apk" in any ASCII letter case: only such a file is read as a package.
bool HasApkExtension(const std::wstring& path);

// The extension is one that the window reads, in any ASCII letter case: ".apk", or a
// bundle of split packages's ".xapk", ".apks" or ".apkm".
bool HasPackageExtension(const std::wstring& path);
