// Where the tests find our own small packages (tests/data/apks) and the shipped
// language file, as the test program sees them.
#pragma once

#include <string>

#include "ApkSummary.h"

// The path of tests/data/apks/<name>.apk.
std::string OwnPackagePath(const std::string& name);

// The platform's resources of Debian's android-framework-res: a package with a 32 MB
// stored resource table.
std::string PlatformPackagePath();

// resources/Language.xml in the source tree.
std::string SourceLanguageFilePath();

// Parses the bytes as a package for "CHS"; the summary's parsed flag is the result.
ApkSummary ParseBytes(const std::string& bytes);

// A UTF-16 literal helper for expectations.
std::string Narrow(const std::u16string& text);
