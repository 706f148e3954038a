// A package file opened for reading, read piecewise at 64-bit offsets. Each read names
// its own offset and goes straight to the system, so that the scattered small reads of a
// resource table cost one call each and copy no more than they ask for.
#pragma once

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
    void Close();

    int m_nFile = -1;  // the runtime's descriptor of the open file
    std::uint64_t m_nSize = 0;
};
