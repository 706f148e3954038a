// A package file opened for reading, read piecewise at 64-bit offsets.
#pragma once

#include <cstdio>
#include <filesystem>

#include "ByteSource.h"

class CFileSource : public CByteSource {
public:
    CFileSource() = default;
    ~CFileSource() override;
    CFileSource(const CFileSource&) = delete;
    CFileSource& operator=(const CFileSource&) = delete;

    // Opens an existing regular file. False when it cannot be opened or its size read.
    bool Open(const std::filesystem::path& path);

    std::uint64_t Size() const override { return m_nSize; }
    std::size_t ReadAt(std::uint64_t offset, void* buffer, std::size_t count) override;

private:
    std::FILE* m_pFile = nullptr;
    std::uint64_t m_nSize = 0;
    std::uint64_t m_nPosition = 0;  // where the next read starts without a seek
};
