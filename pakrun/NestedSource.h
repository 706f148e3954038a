// One entry of a ZIP archive read as a byte source of its own: a package inside a bundle.
// A stored entry is read where it lies in the outer file; a deflated one is inflated into
// memory once, within a cap.
#pragma once

#include <vector>

#include "ByteSource.h"
#include "ZipArchive.h"

class CNestedSource : public CByteSource {
public:
    static constexpr std::size_t kMaxInflatedBytes = 256u * 1024 * 1024;

    // The outer source must outlive this one. False when the entry cannot be read whole.
    bool Open(const CZipArchive& zip, CByteSource& outer, const ZipEntry& entry);

    bool IsStored() const { return m_pOuter != nullptr; }

    std::uint64_t Size() const override { return m_nSize; }
    std::size_t ReadAt(std::uint64_t offset, void* buffer, std::size_t count) override;

private:
    CByteSource* m_pOuter = nullptr;  // set for a stored entry
    std::uint64_t m_nOffset = 0;
    std::uint64_t m_nSize = 0;
    std::vector<std::uint8_t> m_inflated;  // a deflated entry's bytes
};
