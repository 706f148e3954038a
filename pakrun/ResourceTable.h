// resources.arsc: packages, their type chunks and the values of each resource id in
// every configuration. The chunks are indexed once; entries are read on demand.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ByteView.h"
#include "ResValue.h"
#include "ResourceConfig.h"
#include "StringPool.h"

struct ResourceCandidate {
    CResourceConfig config;
    ResValue value;
};

class CResourceTable {
public:
    // Indexes the table; the bytes must outlive it. False when the data is no resource
    // table at all. A damaged table keeps whatever packages and types could be indexed.
    bool Load(CByteView data);

    // The resource's simple values, one per configuration that has one, in file order.
    // Complex values (styles, arrays) and missing entries are left out.
    void Candidates(std::uint32_t resourceId, std::vector<ResourceCandidate>& out) const;

    // A string of the table's value pool.
    bool String(std::uint32_t index, std::u16string& out) const { return m_strings.Get(index, out); }

private:
    struct TypeChunk {
        std::uint8_t packageId = 0;
        std::uint8_t typeId = 0;
        CByteView chunk;
        std::size_t headerSize = 0;
    };

    void IndexPackage(CByteView chunk, std::size_t headerSize);
    bool ReadEntry(const TypeChunk& type, std::uint32_t entryIndex, ResourceCandidate& out) const;

    CStringPool m_strings;
    std::vector<TypeChunk> m_types;
};
