// resources.arsc: packages, their type chunks and the values of each resource id in
// every configuration. The chunks' headers are indexed once; entries and strings are read
// on demand. A table stored in the package is read there, a piece at a time: only the
// chunks' headers, then the entries and strings that lookups ask for.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "ByteSource.h"
#include "ByteSpan.h"
#include "ByteView.h"
#include "PieceReader.h"
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
    // Type chunks kept in all; the platform's own table has about four thousand. It bounds
    // what the index of a table that splits itself into tiny chunks can take.
    static constexpr std::size_t kMaxTypeChunks = 65536;

    using ConfigFilter = std::function<bool(const CResourceConfig&)>;

    // Indexes a table held in memory; the bytes must outlive it. False when the data is no
    // resource table at all. A damaged table keeps whatever packages and types could be
    // indexed.
    bool Load(CByteView data);
    // Indexes the size bytes at offset of the source (a stored entry) where they are; the
    // source must outlive the table.
    bool Load(CByteSource& source, std::uint64_t offset, std::size_t size);

    // The resource's simple values, one per configuration that has one, in file order.
    // Complex values (styles, arrays) and missing entries are left out.
    void Candidates(std::uint32_t resourceId, std::vector<ResourceCandidate>& out) const;
    // The same, of the configurations that wanted accepts; the others' entries are not read.
    void Candidates(std::uint32_t resourceId, const ConfigFilter& wanted, std::vector<ResourceCandidate>& out) const;

    // How many configurations the resource's type has: what a look-up of it visits.
    std::size_t TypeChunks(std::uint32_t resourceId) const;

    // A string of the table's value pool.
    bool String(std::uint32_t index, std::u16string& out) const { return m_strings.Get(index, out); }

    // How many type chunks the lookups have looked into so far: the measure of their work.
    std::size_t ChunksSearched() const { return m_nChunksSearched; }

private:
    // A type chunk whose header has been checked, with what its header says.
    struct TypeChunk {
        std::size_t offset = 0;  // in the table
        std::size_t size = 0;    // cut to the end of its package chunk
        std::uint32_t entryCount = 0;
        std::uint32_t entriesStart = 0;
        std::uint16_t headerSize = 0;
        std::uint8_t flags = 0;
        CResourceConfig config;
    };

    bool LoadTable(CByteSpan data);
    void IndexPackage(CByteSpan package, std::size_t headerSize, std::size_t packageOffset);
    static bool ReadTypeHeader(CByteSpan chunk, std::size_t headerSize, TypeChunk& out);
    bool ReadEntry(const TypeChunk& type, std::uint32_t entryIndex, ResourceCandidate& out) const;
    bool EntryOffset(const TypeChunk& type, CByteSpan chunk, std::uint32_t entryIndex, std::uint32_t& out) const;

    std::unique_ptr<CPieceReader> m_pReader;
    CByteSpan m_table;
    CStringPool m_strings;
    // Every type chunk kept, in file order; room for them is reserved up front.
    std::vector<TypeChunk> m_chunks;
    // The chunks of each package and type id (package id << 8 | type id), as indexes into
    // m_chunks in file order, so that a lookup never passes chunks of other types.
    std::unordered_map<std::uint16_t, std::vector<std::uint32_t>> m_types;
    mutable std::size_t m_nChunksSearched = 0;
};
