// One entry of a ZIP archive read as a byte source of its own: a package inside a bundle.
// A stored entry is read where it lies in the outer file; a deflated one is inflated into
// memory once, within a cap, or within the budget of the read where there is one.
#pragma once

#include <memory>
#include <vector>

#include "ByteSource.h"
#include "ReadBudget.h"
#include "ZipArchive.h"

class CNestedSource : public CByteSource {
public:
    static constexpr std::size_t kMaxInflatedBytes = 256u * 1024 * 1024;

    // The outer source must outlive this one. False when the entry cannot be read whole.
    // With a budget (the one the archive was opened with, which must outlive this
    // source), the inflated bytes are work of its current phase and are held while this
    // source lives, within half of what its ceiling still takes, so that the package's
    // own read keeps the rest. An entry that the budget cuts off keeps its first bytes,
    // as a cut-off package does: its read goes on with the entries found in them.
    bool Open(const CZipArchive& zip, CByteSource& outer, const ZipEntry& entry, CReadBudget* budget = nullptr);

    bool IsStored() const { return m_pOuter != nullptr; }

    std::uint64_t Size() const override { return m_nSize; }
    std::size_t ReadAt(std::uint64_t offset, void* buffer, std::size_t count) override;

private:
    bool Inflate(const CZipArchive& zip, const ZipEntry& entry, CReadBudget* budget);

    CByteSource* m_pOuter = nullptr;  // set for a stored entry
    std::uint64_t m_nOffset = 0;
    std::uint64_t m_nSize = 0;
    std::vector<std::uint8_t> m_inflated;  // a deflated entry's bytes
    std::unique_ptr<CBudgetHold> m_pHold;  // m_inflated, held against the budget
};
