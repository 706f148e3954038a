#include "ResourceTable.h"

#include <algorithm>

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
constexpr std::size_t kValueSize = 8;
constexpr std::uint32_t kNoEntry32 = 0xFFFFFFFF;
constexpr std::uint16_t kNoEntry16 = 0xFFFF;

}  // namespace

bool CResourceTable::Load(CByteView data)
{
    *this = CResourceTable();
    return LoadTable(CByteSpan(data));
}

bool CResourceTable::Load(CByteSource& source, std::uint64_t offset, std::size_t size)
{
    *this = CResourceTable();
    m_pReader = std::make_unique<CPieceReader>(source, offset, size);
    return LoadTable(CByteSpan(*m_pReader, 0, size));
}

bool CResourceTable::LoadTable(CByteSpan data)
{
    CResSpanChunk table;
    if (!table.Read(data, 0, kTableHeaderSize) || table.Type() != ResChunkType::kTable) return false;
    m_table = table.Whole();
    // Reserved, not touched: only the records written take memory.
    m_chunks.reserve(std::min(kMaxTypeChunks, m_table.Size() / kTypeHeaderMin));
    CResSpanChunk chunk;
    for (std::size_t offset = table.HeaderSize(); chunk.Read(m_table, offset); offset = chunk.NextOffset()) {
        if (chunk.Type() == ResChunkType::kStringPool && m_strings.Count() == 0) {
            m_strings.Load(chunk.Whole(), chunk.HeaderSize());
        } else if (chunk.Type() == ResChunkType::kTablePackage && chunk.HeaderSize() >= kPackageHeaderMin) {
            IndexPackage(chunk.Whole(), chunk.HeaderSize(), chunk.Offset());
        }
    }
    return true;
}

void CResourceTable::IndexPackage(CByteSpan package, std::size_t headerSize, std::size_t packageOffset)
{
    const std::uint32_t id = package.U32At(8);
    if (id > 0xFF) return;
    CResSpanChunk chunk;
    std::uint8_t lastTypeId = 0;
    std::vector<std::uint32_t>* chunks = nullptr;  // of lastTypeId: a type's chunks usually follow each other
    for (std::size_t offset = headerSize; chunk.Read(package, offset); offset = chunk.NextOffset()) {
        if (chunk.Type() != ResChunkType::kTableType || chunk.HeaderSize() < kTypeHeaderMin) continue;
        if (m_chunks.size() >= kMaxTypeChunks) return;
        std::uint8_t typeId = 0;
        if (!chunk.Whole().U8(8, typeId) || typeId == 0) continue;
        if (!chunks || typeId != lastTypeId) {
            chunks = &m_types[static_cast<std::uint16_t>((id << 8) | typeId)];
            lastTypeId = typeId;
        }
        if (chunks->size() >= kMaxChunksPerType) continue;
        TypeChunk& type = m_chunks.emplace_back();
        if (!ReadTypeHeader(chunk.Whole(), chunk.HeaderSize(), type)) {
            m_chunks.pop_back();
            continue;
        }
        type.offset = packageOffset + chunk.Offset();
        chunks->push_back(static_cast<std::uint32_t>(m_chunks.size() - 1));
    }
}

// The header's fields, read once: every lookup of the type needs them, and the filter of
// a lookup needs the configuration before anything else of the chunk.
bool CResourceTable::ReadTypeHeader(CByteSpan chunk, std::size_t headerSize, TypeChunk& out)
{
    const CByteView header = chunk.Bytes(0, headerSize);
    if (header.Size() != headerSize) return false;
    out.size = chunk.Size();
    out.headerSize = static_cast<std::uint16_t>(headerSize);
    out.flags = header.Data()[9];
    out.entryCount = header.U32At(12);
    out.entriesStart = header.U32At(16);
    // The configuration sits in the header behind the fixed fields; it never reaches
    // past the header.
    out.config.Load(header.Sub(kTypeHeaderMin, headerSize - kTypeHeaderMin));
    return true;
}

void CResourceTable::Candidates(std::uint32_t resourceId, std::vector<ResourceCandidate>& out) const
{
    Candidates(resourceId, nullptr, out);
}

void CResourceTable::Candidates(std::uint32_t resourceId, const ConfigFilter& wanted,
                                std::vector<ResourceCandidate>& out) const
{
    out.clear();
    const auto types = m_types.find(static_cast<std::uint16_t>(resourceId >> 16));
    if (types == m_types.end()) return;
    const std::uint32_t entryIndex = resourceId & 0xFFFF;
    m_nChunksSearched += types->second.size();
    for (const std::uint32_t index : types->second) {
        const TypeChunk& type = m_chunks[index];
        if (wanted && !wanted(type.config)) continue;
        ResourceCandidate candidate;
        if (ReadEntry(type, entryIndex, candidate)) out.push_back(candidate);
    }
}

std::size_t CResourceTable::TypeChunks(std::uint32_t resourceId) const
{
    const auto types = m_types.find(static_cast<std::uint16_t>(resourceId >> 16));
    return types == m_types.end() ? 0 : types->second.size();
}

bool CResourceTable::EntryOffset(const TypeChunk& type, CByteSpan chunk, std::uint32_t entryIndex,
                                 std::uint32_t& out) const
{
    out = kNoEntry32;
    const std::size_t indexStart = type.headerSize;
    if (type.flags & kTypeFlagSparse) {
        // Sorted pairs of (entry index, offset / 4); search them.
        std::size_t low = 0;
        std::size_t high = type.entryCount;
        const std::size_t fitting = (chunk.Size() - indexStart) / 4;
        if (high > fitting) high = fitting;
        while (low < high) {
            const std::size_t middle = low + (high - low) / 2;
            const CByteView pair = chunk.Bytes(indexStart + middle * 4, 4);
            if (pair.Size() != 4) return false;
            const std::uint16_t index = pair.U16At(0);
            if (index == entryIndex) {
                out = std::uint32_t(pair.U16At(2)) * 4;
                return true;
            }
            if (index < entryIndex) low = middle + 1;
            else high = middle;
        }
    } else if (entryIndex < type.entryCount) {
        if (type.flags & kTypeFlagOffset16) {
            std::uint16_t offset = kNoEntry16;
            if (!chunk.U16(indexStart + std::size_t(entryIndex) * 2, offset)) return false;
            if (offset != kNoEntry16) out = std::uint32_t(offset) * 4;
        } else if (!chunk.U32(indexStart + std::size_t(entryIndex) * 4, out)) {
            return false;
        }
    }
    return true;
}

bool CResourceTable::ReadEntry(const TypeChunk& type, std::uint32_t entryIndex, ResourceCandidate& out) const
{
    const CByteSpan chunk = m_table.Sub(type.offset, type.size);
    std::uint32_t entryOffset = kNoEntry32;
    if (!EntryOffset(type, chunk, entryIndex, entryOffset) || entryOffset == kNoEntry32) return false;

    const std::uint64_t place = std::uint64_t(type.entriesStart) + entryOffset;
    if (place >= chunk.Size()) return false;
    const std::size_t at = static_cast<std::size_t>(place);
    const CByteView entry = chunk.Bytes(at, kEntryHeaderSize);
    if (entry.Size() != kEntryHeaderSize) return false;
    const std::uint16_t entryFlags = entry.U16At(2);
    if (entryFlags & kEntryFlagCompact) {
        out.value.type = static_cast<std::uint8_t>(entryFlags >> 8);
        out.value.data = entry.U32At(4);
    } else {
        if (entryFlags & kEntryFlagComplex) return false;
        const CByteView value = chunk.Bytes(at + entry.U16At(0), kValueSize);
        if (value.Size() != kValueSize) return false;
        out.value.type = value.Data()[3];
        out.value.data = value.U32At(4);
    }
    out.config = type.config;
    return true;
}
