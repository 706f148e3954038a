// Paths longer than the system's classic limit, and names that the classic form changes.
// File calls take a long path only in its extended-length form ("\\?\C:\..." or
// "\\?\UNC\server\share\..."), which turns off the system's own path parsing, so the path
// is made whole and absolute first. That parsing also drops the dots and blanks that end
// a name ("game.apk." opens "game.apk"): the user's package is opened by the
// extended-length form of its exact name.
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

// fullPath, the system's absolute form of userPath, with the dots and blanks that end
// userPath's last name put back. Nothing is put back after a separator or to a last name
// made of nothing else ("." and ".." are steps, not names). Pure text work.
std::wstring KeepTrailingDotsAndBlanks(const std::wstring& userPath, const std::wstring& fullPath);

// The extended-length form of the file the user named, from the system's absolute form
// of it (KeepTrailingDotsAndBlanks). A userPath in extended-length form already is taken
// as it is. Pure text work.
std::wstring ExactExtendedPath(const std::wstring& userPath, const std::wstring& fullPath);

// The path made absolute as FullPathName does, its last name kept exactly as given: the
// path to hand on to another program.
std::wstring ExactFullPathName(const std::wstring& path);

// The path by which a file call opens exactly the file that the user named, whatever its
// length or its last characters.
std::wstring ExactFilePath(const std::wstring& path);
