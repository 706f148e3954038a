// The entries of a ZIP archive (an Android package), found through its central directory,
// and the bytes of one entry, stored or deflated, read from the archive on demand.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ByteSource.h"
#include "ZipInflater.h"

struct ZipEntry {
    std::string name;                 // as stored: bytes, '/' separated
    std::uint16_t method = 0;         // 0 stored, 8 deflated
    std::uint16_t flags = 0;
    std::uint64_t compressedSize = 0;
    std::uint64_t uncompressedSize = 0;
    std::uint64_t localHeaderOffset = 0;
    bool sizeKnown = true;            // false: found by walking, sizes in a data descriptor
};

class CZipArchive {
public:
    // Reads the central directory (ZIP64 too). When there is none that can be read, the
    // local headers are walked from the start instead, so that a cut-off package still
    // yields its first entries. False only when no entry at all was found.
    bool Open(CByteSource& source);

    const std::vector<ZipEntry>& Entries() const { return m_entries; }
    bool HasCentralDirectory() const { return m_bCentralDirectory; }

    // The first entry of that name, or null.
    const ZipEntry* Find(std::string_view name) const;
    // How many entries have that name.
    std::size_t Count(std::string_view name) const;

    // The entry's bytes, never more than it declares nor than cap. Complete only when the
    // data ends exactly at the declared size (or, for an entry of unknown size, ends).
    ZipReadStatus Read(const ZipEntry& entry, std::size_t cap, std::vector<std::uint8_t>& out) const;

private:
    struct DirectoryLocation {
        std::uint64_t offset = 0;
        std::uint64_t size = 0;
    };

    bool FindDirectory(DirectoryLocation& location) const;
    bool ReadZip64Location(std::uint64_t eocdOffset, DirectoryLocation& location) const;
    bool ReadDirectory(const DirectoryLocation& location);
    void WalkLocalHeaders();

    CByteSource* m_pSource = nullptr;
    std::vector<ZipEntry> m_entries;
    bool m_bCentralDirectory = false;
};
