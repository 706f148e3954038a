// The copy of the package that an install sends to the phone. It has a plain numeric name
// in the user's temporary directory, so that adb's command line never holds the user's
// own path, whatever blanks or Chinese characters that holds.
#pragma once

#include <windows.h>

#include <string>

#include "ScopedHandle.h"

// Copies the package to "<temporary directory><tick count>.apk". A name that is taken
// already, by a file or a directory (the copy of an install that another program started
// in the same tick), is left alone: the next number is used instead. True when the whole
// file was copied; tempPath then names the copy. On failure tempPath is empty, nothing
// this call made is left behind, and nothing it did not make is touched. A signalled
// cancelEvent ends the copy early, as a failure.
bool MakeTempApkCopy(const std::wstring& packagePath, HANDLE cancelEvent, std::wstring& tempPath);

// Creates a new empty file "<temporary directory><tick count><extension>" under the same
// naming rules, open for writing; for the copies that are made of a bundle's parts. An
// invalid handle, with path empty, when none can be made.
CScopedFileHandle CreateNumericTempFile(const wchar_t* extension, std::wstring& path);
