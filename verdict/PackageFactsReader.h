// The package's side of the verdict, read straight from the file with the package
// library's parser: name, long version code, version name, minimum SDK, native code
// ABIs and size. Free of any platform call, so that it may run on any thread.
#pragma once

#include <string>

#include "InstallVerdict.h"

// False when the file cannot be read as a package or names no package.
bool ReadPackageFacts(const std::wstring& path, PackageFacts& facts);
