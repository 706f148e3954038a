// A fresh directory below the system's temporary directory, removed with its contents.
#pragma once

#include <string>

class CTempDirectory {
public:
    explicit CTempDirectory(const wchar_t* prefix = L"apki");
    ~CTempDirectory();
    CTempDirectory(const CTempDirectory&) = delete;
    CTempDirectory& operator=(const CTempDirectory&) = delete;

    // With a trailing backslash.
    const std::wstring& Path() const { return m_path; }
    std::wstring File(const std::wstring& name) const { return m_path + name; }

private:
    std::wstring m_path;
};

// Whole-file helpers for tests.
bool WriteBytesToFile(const std::wstring& path, const std::string& bytes);
std::string ReadBytesFromFile(const std::wstring& path);
bool FileExists(const std::wstring& path);
