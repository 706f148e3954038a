// The entries of a ZIP archive (an Android package), found through its central directory,
// and the bytes of one entry, stored or deflated, read from the archive on demand.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "ByteSource.h"
#include "ReadBudget.h"
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

// Where the bytes of a stored entry lie in the package, and how complete they are.
struct ZipPlace {
    std::uint64_t offset = 0;
    std::size_t size = 0;
    ZipReadStatus status = ZipReadStatus::Failed;
};

class CZipArchive {
public:
    // Reads the central directory (ZIP64 too). When there is none that can be read, the
    // local headers are walked from the start instead, so that a cut-off package still
    // yields its first entries. False only when no entry at all was found. The budget,
    // where there is one, counts the records and the directory's memory, and the bytes
    // that reads inflate; it must outlive the archive's use.
    bool Open(CByteSource& source, CReadBudget* budget = nullptr);

    // Work units of a directory record read, checked and indexed by its name.
    static constexpr double kPerRecord = 400;
    // Work units of a byte of a stored entry copied out.
    static constexpr double kPerStoredByte = 0.5;

    // Every entry, in directory order. The entries of a central directory are made from
    // its records on first use: finding entries by name makes only the ones found.
    const std::vector<ZipEntry>& Entries() const;
    bool HasCentralDirectory() const { return m_bCentralDirectory; }

    // The first entry of that name, or null.
    const ZipEntry* Find(std::string_view name) const;
    // How many entries have that name.
    std::size_t Count(std::string_view name) const;

    // The entry's bytes, never more than it declares nor than cap. Complete only when the
    // data ends exactly at the declared size (or, for an entry of unknown size, ends).
    ZipReadStatus Read(const ZipEntry& entry, std::size_t cap, std::vector<std::uint8_t>& out) const;

    // For a stored entry: the bytes that Read would give, and its status, without reading
    // them, so that they can be read where they are. False for an entry that is not
    // stored or that Read could not read at all.
    bool StoredPlace(const ZipEntry& entry, std::size_t cap, ZipPlace& out) const;

private:
    struct DirectoryLocation {
        std::uint64_t offset = 0;
        std::uint64_t size = 0;
        std::uint64_t entries = 0;  // as the end record counts them: a guess to reserve room by
    };

    bool FindDirectory(DirectoryLocation& location) const;
    bool ReadZip64Location(std::uint64_t eocdOffset, DirectoryLocation& location) const;
    bool ReadDirectory(const DirectoryLocation& location);
    std::string_view RecordName(std::size_t record) const;
    const ZipEntry& RecordEntry(std::size_t record) const;
    void WalkLocalHeaders();
    void IndexNames();
    // The first record of that name, for Find and Count to go on from; the index's size
    // when there is none.
    std::size_t FirstSlot(std::string_view name) const;
    bool DataStart(const ZipEntry& entry, std::uint64_t& out) const;

    CByteSource* m_pSource = nullptr;
    // The central directory as read, and where each of its records starts.
    std::unique_ptr<std::uint8_t[]> m_directory;
    std::vector<std::uint32_t> m_records;
    // The records by name: an open-addressed table of record + 1 (0 for an empty slot),
    // built once, so that a look-up never walks the whole directory.
    std::vector<std::uint32_t> m_nameIndex;
    CReadBudget* m_pBudget = nullptr;
    std::unique_ptr<CBudgetHold> m_pHold;
    // Entries made from records, by record; node-based, so that what Find hands out stays.
    mutable std::unordered_map<std::size_t, ZipEntry> m_recordEntries;
    // All entries: made from the records when asked for, or found by walking local headers.
    mutable std::vector<ZipEntry> m_entries;
    bool m_bCentralDirectory = false;
};
