#include "ZipArchive.h"

#include <algorithm>
#include <limits>
#include <memory>

#include "ByteView.h"

namespace {

constexpr std::uint32_t kLocalHeaderSignature = 0x04034b50;
constexpr std::uint32_t kCentralHeaderSignature = 0x02014b50;
constexpr std::uint32_t kEndSignature = 0x06054b50;
constexpr std::uint32_t kZip64LocatorSignature = 0x07064b50;
constexpr std::uint32_t kZip64EndSignature = 0x06064b50;

constexpr std::size_t kEndRecordSize = 22;
constexpr std::size_t kMaxCommentSize = 0xFFFF;
constexpr std::size_t kCentralHeaderSize = 46;
constexpr std::size_t kLocalHeaderSize = 30;
constexpr std::size_t kZip64LocatorSize = 20;
constexpr std::size_t kZip64EndSize = 56;
// No real package comes near this; a directory claimed larger is read up to it.
constexpr std::uint64_t kMaxDirectorySize = 32u * 1024 * 1024;
constexpr std::size_t kMaxLocalEntries = 65536;

constexpr std::uint16_t kFlagDataDescriptor = 0x0008;

// Sizes and offsets of 0xFFFFFFFF are in the entry's ZIP64 extra field instead.
void ApplyZip64Extra(CByteView extra, ZipEntry& entry, bool offsetInExtra)
{
    std::size_t pos = 0;
    std::uint16_t id = 0;
    std::uint16_t length = 0;
    while (extra.U16(pos, id) && extra.U16(pos + 2, length)) {
        const CByteView field = extra.Sub(pos + 4, length);
        if (id == 0x0001) {
            std::size_t at = 0;
            if (entry.uncompressedSize == 0xFFFFFFFFu && field.U64(at, entry.uncompressedSize)) at += 8;
            if (entry.compressedSize == 0xFFFFFFFFu && field.U64(at, entry.compressedSize)) at += 8;
            if (offsetInExtra) field.U64(at, entry.localHeaderOffset);
            return;
        }
        pos += 4 + std::size_t(length);
    }
}

}  // namespace

bool CZipArchive::Open(CByteSource& source, CReadBudget* budget)
{
    m_pSource = &source;
    m_pBudget = budget;
    m_pHold.reset();
    m_directory.reset();
    m_records.clear();
    m_nameIndex.clear();
    m_recordEntries.clear();
    m_entries.clear();
    m_bCentralDirectory = false;
    DirectoryLocation location;
    if (FindDirectory(location) && ReadDirectory(location)) {
        m_bCentralDirectory = true;
        IndexNames();
        return true;
    }
    m_pHold.reset();
    m_directory.reset();
    m_records.clear();
    WalkLocalHeaders();
    return !m_entries.empty();
}

bool CZipArchive::FindDirectory(DirectoryLocation& location) const
{
    const std::uint64_t fileSize = m_pSource->Size();
    if (fileSize < kEndRecordSize) return false;
    const std::size_t tailSize = static_cast<std::size_t>(std::min<std::uint64_t>(fileSize, kEndRecordSize + kMaxCommentSize));
    const std::uint64_t tailStart = fileSize - tailSize;
    std::vector<std::uint8_t> tail(tailSize);
    if (!m_pSource->ReadExact(tailStart, tail.data(), tailSize)) return false;
    const CByteView view(tail.data(), tail.size());

    // Scan backwards: the record nearest the end whose comment fits is the real one; a
    // signature inside a comment fails the directory check and the scan goes on.
    for (std::size_t pos = tailSize - kEndRecordSize + 1; pos-- > 0;) {
        if (view.U32At(pos) != kEndSignature) continue;
        const std::uint16_t commentSize = view.U16At(pos + 20);
        if (pos + kEndRecordSize + commentSize > tailSize) continue;
        const std::uint64_t eocdOffset = tailStart + pos;
        DirectoryLocation found;
        found.entries = view.U16At(pos + 10);
        found.size = view.U32At(pos + 12);
        found.offset = view.U32At(pos + 16);
        // Only an offset or size of 0xFFFFFFFF needs the ZIP64 record. The entry count
        // is not used: 0xFFFF there is as often a real count of 65,535 as a ZIP64 mark.
        if (found.offset == 0xFFFFFFFFu || found.size == 0xFFFFFFFFu) {
            if (!ReadZip64Location(eocdOffset, found)) continue;
        } else if (found.offset + found.size > eocdOffset) {
            continue;
        }
        std::uint8_t signature[4];
        if (found.size > 0 && (!m_pSource->ReadExact(found.offset, signature, 4) ||
                               CByteView(signature, 4).U32At(0) != kCentralHeaderSignature)) {
            continue;
        }
        location = found;
        return true;
    }
    return false;
}

bool CZipArchive::ReadZip64Location(std::uint64_t eocdOffset, DirectoryLocation& location) const
{
    if (eocdOffset < kZip64LocatorSize) return false;
    std::uint8_t locator[kZip64LocatorSize];
    if (!m_pSource->ReadExact(eocdOffset - kZip64LocatorSize, locator, sizeof locator)) return false;
    const CByteView locatorView(locator, sizeof locator);
    if (locatorView.U32At(0) != kZip64LocatorSignature) return false;
    std::uint64_t endOffset = 0;
    locatorView.U64(8, endOffset);
    if (endOffset > eocdOffset - kZip64LocatorSize) return false;
    std::uint8_t end[kZip64EndSize];
    if (!m_pSource->ReadExact(endOffset, end, sizeof end)) return false;
    const CByteView endView(end, sizeof end);
    if (endView.U32At(0) != kZip64EndSignature) return false;
    endView.U64(32, location.entries);
    endView.U64(40, location.size);
    endView.U64(48, location.offset);
    return location.offset <= endOffset && location.size <= endOffset - location.offset;
}

bool CZipArchive::ReadDirectory(const DirectoryLocation& location)
{
    const std::size_t size = static_cast<std::size_t>(std::min(location.size, kMaxDirectorySize));
    m_pHold = std::make_unique<CBudgetHold>(m_pBudget, size);
    if (!m_pHold->Held()) return false;
    // Not cleared first: every byte is read over.
    m_directory.reset(new std::uint8_t[size]);
    if (!m_pSource->ReadExact(location.offset, m_directory.get(), size)) return false;
    const CByteView view(m_directory.get(), size);

    // The records are only checked and placed here; entries are made from them as needed.
    m_records.reserve(static_cast<std::size_t>(std::min<std::uint64_t>(location.entries, size / kCentralHeaderSize)));
    std::size_t pos = 0;
    while (view.Contains(pos, kCentralHeaderSize) && view.U32At(pos) == kCentralHeaderSignature) {
        const std::size_t nameSize = view.U16At(pos + 28);
        const std::size_t extraSize = view.U16At(pos + 30);
        const std::size_t commentSize = view.U16At(pos + 32);
        if (!view.Contains(pos + kCentralHeaderSize, nameSize + extraSize)) break;
        // A directory too long for the budget keeps the records before the cut.
        if (m_pBudget && !m_pBudget->Spend(kPerRecord)) break;
        m_records.push_back(static_cast<std::uint32_t>(pos));
        pos += kCentralHeaderSize + nameSize + extraSize + commentSize;
    }
    return !m_records.empty();
}

std::string_view CZipArchive::RecordName(std::size_t record) const
{
    const std::uint8_t* at = m_directory.get() + m_records[record];
    const std::size_t nameSize = CByteView(at, kCentralHeaderSize).U16At(28);
    return std::string_view(reinterpret_cast<const char*>(at + kCentralHeaderSize), nameSize);
}

const ZipEntry& CZipArchive::RecordEntry(std::size_t record) const
{
    const auto [found, made] = m_recordEntries.try_emplace(record);
    ZipEntry& entry = found->second;
    if (!made) return entry;
    const std::size_t pos = m_records[record];
    const std::uint8_t* at = m_directory.get() + pos;
    const CByteView view(at, kCentralHeaderSize);
    const std::size_t nameSize = view.U16At(28);
    const std::size_t extraSize = view.U16At(30);
    entry.flags = view.U16At(8);
    entry.method = view.U16At(10);
    entry.compressedSize = view.U32At(20);
    entry.uncompressedSize = view.U32At(24);
    entry.localHeaderOffset = view.U32At(42);
    entry.name = std::string(RecordName(record));
    ApplyZip64Extra(CByteView(at + kCentralHeaderSize + nameSize, extraSize), entry,
                    entry.localHeaderOffset == 0xFFFFFFFFu);
    return entry;
}

const std::vector<ZipEntry>& CZipArchive::Entries() const
{
    if (m_bCentralDirectory && m_entries.size() < m_records.size()) {
        m_entries.clear();
        m_entries.reserve(m_records.size());
        for (std::size_t record = 0; record < m_records.size(); ++record) m_entries.push_back(RecordEntry(record));
    }
    return m_entries;
}

void CZipArchive::WalkLocalHeaders()
{
    const std::uint64_t fileSize = m_pSource->Size();
    std::uint64_t pos = 0;
    std::uint8_t header[kLocalHeaderSize];
    while (m_entries.size() < kMaxLocalEntries && m_pSource->ReadExact(pos, header, sizeof header)) {
        const CByteView view(header, sizeof header);
        if (view.U32At(0) != kLocalHeaderSignature) return;
        ZipEntry entry;
        entry.flags = view.U16At(6);
        entry.method = view.U16At(8);
        entry.compressedSize = view.U32At(18);
        entry.uncompressedSize = view.U32At(22);
        entry.localHeaderOffset = pos;
        const std::size_t nameSize = view.U16At(26);
        const std::size_t extraSize = view.U16At(28);
        entry.name.resize(nameSize);
        if (!m_pSource->ReadExact(pos + kLocalHeaderSize, entry.name.data(), nameSize)) return;
        const std::uint64_t dataStart = pos + kLocalHeaderSize + nameSize + extraSize;
        const bool sizesKnown = !(entry.flags & kFlagDataDescriptor);
        if (!sizesKnown) {
            // The sizes follow the data. A deflated stream ends by itself; nothing after
            // it can be found without inflating, so the walk stops here.
            if (entry.method != 8 || dataStart >= fileSize) return;
            entry.compressedSize = fileSize - dataStart;
            entry.uncompressedSize = std::numeric_limits<std::uint64_t>::max();
            entry.sizeKnown = false;
            m_entries.push_back(std::move(entry));
            return;
        }
        pos = dataStart + entry.compressedSize;
        m_entries.push_back(std::move(entry));
    }
}

namespace {

std::uint32_t NameHash(std::string_view name)
{
    std::uint32_t hash = 2166136261u;  // FNV-1a
    for (const char c : name) hash = (hash ^ std::uint8_t(c)) * 16777619u;
    return hash;
}

}  // namespace

// Records of one name lie along the probe sequence in directory order: the first met is
// the first in the directory.
void CZipArchive::IndexNames()
{
    std::size_t slots = 16;
    while (slots < m_records.size() * 2) slots *= 2;
    m_nameIndex.assign(slots, 0);
    for (std::size_t record = 0; record < m_records.size(); ++record) {
        std::size_t slot = NameHash(RecordName(record)) & (slots - 1);
        while (m_nameIndex[slot] != 0) slot = (slot + 1) & (slots - 1);
        m_nameIndex[slot] = static_cast<std::uint32_t>(record + 1);
    }
}

std::size_t CZipArchive::FirstSlot(std::string_view name) const
{
    const std::size_t mask = m_nameIndex.size() - 1;
    for (std::size_t slot = NameHash(name) & mask; m_nameIndex[slot] != 0; slot = (slot + 1) & mask) {
        if (RecordName(m_nameIndex[slot] - 1) == name) return slot;
    }
    return m_nameIndex.size();
}

const ZipEntry* CZipArchive::Find(std::string_view name) const
{
    if (m_bCentralDirectory) {
        const std::size_t slot = FirstSlot(name);
        return slot < m_nameIndex.size() ? &RecordEntry(m_nameIndex[slot] - 1) : nullptr;
    }
    for (const ZipEntry& entry : m_entries) {
        if (entry.name == name) return &entry;
    }
    return nullptr;
}

std::size_t CZipArchive::Count(std::string_view name) const
{
    std::size_t count = 0;
    if (m_bCentralDirectory) {
        const std::size_t mask = m_nameIndex.size() - 1;
        for (std::size_t slot = FirstSlot(name); slot < m_nameIndex.size() && m_nameIndex[slot] != 0;
             slot = (slot + 1) & mask) {
            count += RecordName(m_nameIndex[slot] - 1) == name ? 1 : 0;
        }
        return count;
    }
    for (const ZipEntry& entry : m_entries) count += entry.name == name ? 1 : 0;
    return count;
}

bool CZipArchive::DataStart(const ZipEntry& entry, std::uint64_t& out) const
{
    if (!m_pSource) return false;
    std::uint8_t header[kLocalHeaderSize];
    if (!m_pSource->ReadExact(entry.localHeaderOffset, header, sizeof header)) return false;
    const CByteView view(header, sizeof header);
    if (view.U32At(0) != kLocalHeaderSignature) return false;
    // The local header's own name and extra lengths place the data; its sizes may be
    // zero (data descriptor), so the directory's are used.
    out = entry.localHeaderOffset + kLocalHeaderSize + view.U16At(26) + view.U16At(28);
    return true;
}

ZipReadStatus CZipArchive::Read(const ZipEntry& entry, std::size_t cap, std::vector<std::uint8_t>& out) const
{
    out.clear();
    if (entry.method == 8) {
        std::uint64_t dataStart = 0;
        if (!DataStart(entry, dataStart)) return ZipReadStatus::Failed;
        const std::size_t limit = static_cast<std::size_t>(std::min<std::uint64_t>(entry.uncompressedSize, cap));
        const ZipReadStatus status =
            CZipInflater::Inflate(*m_pSource, dataStart, entry.compressedSize, limit, out, m_pBudget);
        // A stream that ends before its declared size means the size lied.
        if (status == ZipReadStatus::Complete && entry.sizeKnown && out.size() != entry.uncompressedSize) {
            return ZipReadStatus::Damaged;
        }
        return status;
    }
    ZipPlace place;
    if (!StoredPlace(entry, cap, place)) return ZipReadStatus::Failed;
    if (m_pBudget && (!m_pBudget->Fits(place.size) || !m_pBudget->Spend(kPerStoredByte * double(place.size)))) {
        if (!m_pBudget->Fits(place.size)) m_pBudget->MarkCut(m_pBudget->Current());
        return ZipReadStatus::Failed;
    }
    out.resize(place.size);
    const std::size_t got = m_pSource->ReadAt(place.offset, out.data(), place.size);
    out.resize(got);
    return got < place.size ? ZipReadStatus::Damaged : place.status;
}

bool CZipArchive::StoredPlace(const ZipEntry& entry, std::size_t cap, ZipPlace& out) const
{
    out = ZipPlace();
    std::uint64_t dataStart = 0;
    if (entry.method != 0 || !DataStart(entry, dataStart)) return false;
    const std::size_t limit = static_cast<std::size_t>(std::min<std::uint64_t>(entry.uncompressedSize, cap));
    const std::uint64_t available = dataStart < m_pSource->Size() ? m_pSource->Size() - dataStart : 0;
    out.offset = dataStart;
    out.size = static_cast<std::size_t>(std::min<std::uint64_t>({entry.compressedSize, limit, available}));
    if (out.size < std::min<std::uint64_t>(entry.compressedSize, limit)) out.status = ZipReadStatus::Damaged;
    else if (entry.compressedSize > limit) out.status = ZipReadStatus::Truncated;
    else out.status = entry.compressedSize == entry.uncompressedSize ? ZipReadStatus::Complete : ZipReadStatus::Damaged;
    return true;
}
