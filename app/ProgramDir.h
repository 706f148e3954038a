// Files that ship beside the program: adb.exe, Helmsway.exe, Language.xml.
#pragma once

#include <string>

// The directory of the running program, with its trailing backslash, followed by
// fileName. Empty when the program's own file name cannot be read: a bare name would
// let the system search the current directory and the PATH for a program of that name.
std::wstring GetProgramDirPath(const wchar_t* fileName);

// Whether path names a file, not a folder: what should ship beside the program may be missing.
bool IsFile(const std::wstring& path);

// "Language.xml" beside the program: the permission texts that the package library reads.
std::wstring GetLanguageFilePath();
