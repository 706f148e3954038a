#include "ResourceTable.h"

#include "ResChunk.h"

namespace {

constexpr std::size_t kTableHeaderSize = 12;
constexpr std::size_t kPackageHeaderMin = 12;   // chunk header and id; the rest is not needed
constexpr std::size_t kTypeHeaderMin = 20;      // chunk header, id, flags, count, entries start
constexpr std::uint8_t kTypeFlagSparse = 0x01;
constexpr std::uint8_t kTypeFlagOffset16 = 0x02;
constexpr std::uint16_t kEntryFlagComplex = 0x0001;
constexpr std::uint16_t kEntryFlagCompact = 0x0008;
constexpr std::size_t kEntryHeaderSize = 8;
constexpr std::uint32_t kNoEntry32 = 0xFFFFFFFF;
constexpr std::uint16_t kNoEntry16 = 0xFFFF;
// Guards against a table that splits itself into absurdly many chunks.
constexpr std::size_t kMaxTypeChunks = 1u << 20;

}  // namespace

bool CResourceTable::Load(CByteView data)
{
    *this = CResourceTable();
    CResChunk table;
    if (!table.Read(data, 0, kTableHeaderSize) || table.Type() != ResChunkType::kTable) return false;
    const CByteView whole = table.Whole();
    CResChunk chunk;
    for (std::size_t offset = table.HeaderSize(); chunk.Read(whole, offset); offset = chunk.NextOffset()) {
        if (chunk.Type() == ResChunkType::kStringPool && m_strings.Count() == 0) {
            m_strings.Load(chunk.Whole(), chunk.HeaderSize());
        } else if (chunk.Type() == ResChunkType::kTablePackage && chunk.HeaderSize() >= kPackageHeaderMin) {
            IndexPackage(chunk.Whole(), chunk.HeaderSize());
        }
    }
    return true;
}

void CResourceTable::IndexPackage(CByteView package, std::size_t headerSize)
{
    const std::uint32_t id = package.U32At(8);
    if (id > 0xFF) return;
    CResChunk chunk;
    for (std::size_t offset = headerSize; chunk.Read(package, offset); offset = chunk.NextOffset()) {
        if (chunk.Type() != ResChunkType::kTableType || chunk.HeaderSize() < kTypeHeaderMin) continue;
        if (m_nTypeChunks >= kMaxTypeChunks) return;
        const std::uint8_t typeId = chunk.Whole().Data()[8];
        if (typeId == 0) continue;
        std::vector<CByteView>& chunks = m_types[static_cast<std::uint16_t>((id << 8) | typeId)];
        if (chunks.size() >= kMaxChunksPerType) continue;
        chunks.push_back(chunk.Whole());
        ++m_nTypeChunks;
    }
}

void CResourceTable::Candidates(std::uint32_t resourceId, std::vector<ResourceCandidate>& out) const
{
    out.clear();
    const auto types = m_types.find(static_cast<std::uint16_t>(resourceId >> 16));
    if (types == m_types.end()) return;
    const std::uint32_t entryIndex = resourceId & 0xFFFF;
    m_nChunksSearched += types->second.size();
    for (const CByteView& type : types->second) {
        ResourceCandidate candidate;
        if (ReadEntry(type, entryIndex, candidate)) out.push_back(candidate);
    }
}

bool CResourceTable::ReadEntry(CByteView chunk, std::uint32_t entryIndex, ResourceCandidate& out) const
{
    const std::uint8_t flags = chunk.Data()[9];
    const std::uint32_t entryCount = chunk.U32At(12);
    const std::uint32_t entriesStart = chunk.U32At(16);
    const std::size_t indexStart = chunk.U16At(2);  // the header's size

    std::uint32_t entryOffset = kNoEntry32;
    if (flags & kTypeFlagSparse) {
        // Sorted pairs of (entry index, offset / 4); search them.
        std::size_t low = 0;
        std::size_t high = entryCount;
        const std::size_t fitting = (chunk.Size() - indexStart) / 4;
        if (high > fitting) high = fitting;
        while (low < high) {
            const std::size_t middle = low + (high - low) / 2;
            std::uint16_t index = 0;
            std::uint16_t offset = 0;
            if (!chunk.U16(indexStart + middle * 4, index) || !chunk.U16(indexStart + middle * 4 + 2, offset)) return false;
            if (index == entryIndex) {
                entryOffset = std::uint32_t(offset) * 4;
                break;
            }
            if (index < entryIndex) low = middle + 1;
            else high = middle;
        }
    } else if (entryIndex < entryCount) {
        if (flags & kTypeFlagOffset16) {
            std::uint16_t offset = kNoEntry16;
            if (!chunk.U16(indexStart + std::size_t(entryIndex) * 2, offset)) return false;
            if (offset != kNoEntry16) entryOffset = std::uint32_t(offset) * 4;
        } else if (!chunk.U32(indexStart + std::size_t(entryIndex) * 4, entryOffset)) {
            return false;
        }
    }
    if (entryOffset == kNoEntry32) return false;

    const std::uint64_t place = std::uint64_t(entriesStart) + entryOffset;
    if (place >= chunk.Size()) return false;
    const std::size_t at = static_cast<std::size_t>(place);
    if (!chunk.Contains(at, kEntryHeaderSize)) return false;
    const std::uint16_t entryFlags = chunk.U16At(at + 2);
    if (entryFlags & kEntryFlagCompact) {
        out.value.type = static_cast<std::uint8_t>(entryFlags >> 8);
        out.value.data = chunk.U32At(at + 4);
    } else {
        if (entryFlags & kEntryFlagComplex) return false;
        const std::size_t valueAt = at + chunk.U16At(at);
        if (!chunk.Contains(valueAt, 8)) return false;
        out.value.type = chunk.Data()[valueAt + 3];
        out.value.data = chunk.U32At(valueAt + 4);
    }
    // The configuration sits in the header behind the fixed fields; it never reaches
    // past the header.
    out.config.Load(chunk.Sub(kTypeHeaderMin, indexStart - kTypeHeaderMin));
    return true;
}
