// resources.arsc: packages, their type chunks and the values of each resource id in
// every configuration. The chunks are indexed once; entries are read on demand.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
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
    // Configurations of one type that are kept; the platform's own resources have about
    // two thousand. More would only make every lookup of that type slow.
    static constexpr std::size_t kMaxChunksPerType = 8192;

    // Indexes the table; the bytes must outlive it. False when the data is no resource
    // table at all. A damaged table keeps whatever packages and types could be indexed.
    bool Load(CByteView data);

    // The resource's simple values, one per configuration that has one, in file order.
    // Complex values (styles, arrays) and missing entries are left out.
    void Candidates(std::uint32_t resourceId, std::vector<ResourceCandidate>& out) const;

    // A string of the table's value pool.
    bool String(std::uint32_t index, std::u16string& out) const { return m_strings.Get(index, out); }

    // How many type chunks the lookups have looked into so far: the measure of their work.
    std::size_t ChunksSearched() const { return m_nChunksSearched; }

private:
    void IndexPackage(CByteView chunk, std::size_t headerSize);
    // Reads from a type chunk whose header has been checked.
    bool ReadEntry(CByteView chunk, std::uint32_t entryIndex, ResourceCandidate& out) const;

    CStringPool m_strings;
    // The type chunks of each package and type id (package id << 8 | type id), in file
    // order, so that a lookup never passes chunks of other types.
    std::unordered_map<std::uint16_t, std::vector<CByteView>> m_types;
    std::size_t m_nTypeChunks = 0;
    mutable std::size_t m_nChunksSearched = 0;
};
