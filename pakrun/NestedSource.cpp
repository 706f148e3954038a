#include "NestedSource.h"

#include <algorithm>
#include <cstring>
#include <limits>

bool CNestedSource::Open(const CZipArchive& zip, CByteSource& outer, const ZipEntry& entry, CReadBudget* budget)
{
    m_pOuter = nullptr;
    m_nOffset = 0;
    m_nSize = 0;
    m_pHold.reset();
    m_inflated = std::vector<std::uint8_t>();
    if (entry.method == 0) {
        ZipPlace place;
        if (!zip.StoredPlace(entry, std::numeric_limits<std::size_t>::max(), place) ||
            place.status != ZipReadStatus::Complete) {
            return false;
        }
        m_pOuter = &outer;
        m_nOffset = place.offset;
        m_nSize = place.size;
        return true;
    }
    if (!Inflate(zip, entry, budget)) {
        m_pHold.reset();
        m_inflated = std::vector<std::uint8_t>();
        return false;
    }
    m_nSize = m_inflated.size();
    return true;
}

bool CNestedSource::Inflate(const CZipArchive& zip, const ZipEntry& entry, CReadBudget* budget)
{
    if (!budget && entry.uncompressedSize > kMaxInflatedBytes) return false;
    const std::size_t cap = budget ? std::min(kMaxInflatedBytes, (budget->Ceiling() - budget->Held()) / 2) : kMaxInflatedBytes;
    // Room for the whole entry at once, so that growing never holds two copies; deflate
    // shrinks by at most 1032 to 1, which bounds what a lying size could take.
    m_inflated.reserve(static_cast<std::size_t>(std::min<std::uint64_t>(
        std::min<std::uint64_t>(entry.uncompressedSize, cap), entry.compressedSize * 1032 + 64 * 1024)));
    const ZipReadStatus status = zip.Read(entry, cap, m_inflated);
    // Short of its declared size only where the budget or its room stopped it.
    const bool cut = budget && status == ZipReadStatus::Truncated && m_inflated.size() < entry.uncompressedSize;
    if (status != ZipReadStatus::Complete && !cut) return false;
    if (cut) budget->MarkCut(budget->Current());
    m_pHold = std::make_unique<CBudgetHold>(budget, m_inflated.size());
    return m_pHold->Held();
}

std::size_t CNestedSource::ReadAt(std::uint64_t offset, void* buffer, std::size_t count)
{
    if (offset >= m_nSize) return 0;
    const std::size_t length = static_cast<std::size_t>(std::min<std::uint64_t>(count, m_nSize - offset));
    if (m_pOuter) return m_pOuter->ReadAt(m_nOffset + offset, buffer, length);
    std::memcpy(buffer, m_inflated.data() + offset, length);
    return length;
}
