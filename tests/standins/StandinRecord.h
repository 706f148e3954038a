// What every stand-in program shares: where its scenario and records live, and how it
// appends a line to a record.
#pragma once

#include <string>

// The directory named by the environment variable, else the stand-in's own directory;
// with a trailing backslash.
std::wstring StandinDir(const wchar_t* environmentVariable);

// Appends the text and a line feed, as UTF-8. Several stand-ins may write at once.
void AppendUtf8Line(const std::wstring& path, const std::wstring& text);
