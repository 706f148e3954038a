#include "ZipArchive.h"

#include <algorithm>
#include <limits>

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

bool CZipArchive::Open(CByteSource& source)
{
    m_pSource = &source;
    m_entries.clear();
    m_bCentralDirectory = false;
    DirectoryLocation location;
    if (FindDirectory(location) && ReadDirectory(location)) {
        m_bCentralDirectory = true;
        return true;
    }
    m_entries.clear();
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
    endView.U64(40, location.size);
    endView.U64(48, location.offset);
    return location.offset <= endOffset && location.size <= endOffset - location.offset;
}

bool CZipArchive::ReadDirectory(const DirectoryLocation& location)
{
    const std::size_t size = static_cast<std::size_t>(std::min(location.size, kMaxDirectorySize));
    std::vector<std::uint8_t> directory(size);
    if (!m_pSource->ReadExact(location.offset, directory.data(), size)) return false;
    const CByteView view(directory.data(), directory.size());

    std::size_t pos = 0;
    while (view.Contains(pos, kCentralHeaderSize) && view.U32At(pos) == kCentralHeaderSignature) {
        const std::size_t nameSize = view.U16At(pos + 28);
        const std::size_t extraSize = view.U16At(pos + 30);
        const std::size_t commentSize = view.U16At(pos + 32);
        if (!view.Contains(pos + kCentralHeaderSize, nameSize + extraSize)) break;
        ZipEntry entry;
        entry.flags = view.U16At(pos + 8);
        entry.method = view.U16At(pos + 10);
        entry.compressedSize = view.U32At(pos + 20);
        entry.uncompressedSize = view.U32At(pos + 24);
        entry.localHeaderOffset = view.U32At(pos + 42);
        const std::uint8_t* name = view.Data() + pos + kCentralHeaderSize;
        entry.name.assign(reinterpret_cast<const char*>(name), nameSize);
        ApplyZip64Extra(view.Sub(pos + kCentralHeaderSize + nameSize, extraSize), entry,
                        entry.localHeaderOffset == 0xFFFFFFFFu);
        m_entries.push_back(std::move(entry));
        pos += kCentralHeaderSize + nameSize + extraSize + commentSize;
    }
    return !m_entries.empty();
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

const ZipEntry* CZipArchive::Find(std::string_view name) const
{
    for (const ZipEntry& entry : m_entries) {
        if (entry.name == name) return &entry;
    }
    return nullptr;
}

std::size_t CZipArchive::Count(std::string_view name) const
{
    return static_cast<std::size_t>(
        std::count_if(m_entries.begin(), m_entries.end(), [&](const ZipEntry& entry) { return entry.name == name; }));
}

ZipReadStatus CZipArchive::Read(const ZipEntry& entry, std::size_t cap, std::vector<std::uint8_t>& out) const
{
    out.clear();
    if (!m_pSource) return ZipReadStatus::Failed;
    std::uint8_t header[kLocalHeaderSize];
    if (!m_pSource->ReadExact(entry.localHeaderOffset, header, sizeof header)) return ZipReadStatus::Failed;
    const CByteView view(header, sizeof header);
    if (view.U32At(0) != kLocalHeaderSignature) return ZipReadStatus::Failed;
    // The local header's own name and extra lengths place the data; its sizes may be
    // zero (data descriptor), so the directory's are used.
    const std::uint64_t dataStart = entry.localHeaderOffset + kLocalHeaderSize + view.U16At(26) + view.U16At(28);
    const std::size_t limit = static_cast<std::size_t>(std::min<std::uint64_t>(entry.uncompressedSize, cap));

    if (entry.method == 8) {
        const ZipReadStatus status = CZipInflater::Inflate(*m_pSource, dataStart, entry.compressedSize, limit, out);
        // A stream that ends before its declared size means the size lied.
        if (status == ZipReadStatus::Complete && entry.sizeKnown && out.size() != entry.uncompressedSize) {
            return ZipReadStatus::Damaged;
        }
        return status;
    }
    if (entry.method != 0) return ZipReadStatus::Failed;
    const std::uint64_t available = dataStart < m_pSource->Size() ? m_pSource->Size() - dataStart : 0;
    const std::size_t wanted = static_cast<std::size_t>(std::min<std::uint64_t>({entry.compressedSize, limit, available}));
    out.resize(wanted);
    const std::size_t got = m_pSource->ReadAt(dataStart, out.data(), wanted);
    out.resize(got);
    if (got < wanted || wanted < std::min<std::uint64_t>(entry.compressedSize, limit)) return ZipReadStatus::Damaged;
    if (entry.compressedSize > limit) return ZipReadStatus::Truncated;
    return entry.compressedSize == entry.uncompressedSize ? ZipReadStatus::Complete : ZipReadStatus::Damaged;
}
