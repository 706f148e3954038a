// Builds ZIP archives in memory for tests: stored and deflated entries, data descriptors,
// a comment, ZIP64 end records, and sizes or offsets that lie.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class CZipBuilder {
public:
    struct Entry {
        std::string name;
        std::string data;          // what the entry holds
        bool deflate = true;
        std::string rawData;       // if set, written as the entry's data instead of data
        std::int64_t declaredSize = -1;      // uncompressed size to declare; -1: the real one
        std::int64_t declaredCompressed = -1;
        std::int64_t declaredOffset = -1;    // local header offset to declare
        bool dataDescriptor = false;         // sizes and CRC behind the data, not in the local header
        bool encrypted = false;              // carries the encryption flag (the data is left as it is)
    };

    CZipBuilder& Add(const std::string& name, const std::string& data, bool deflate = true);
    CZipBuilder& Add(const Entry& entry);
    CZipBuilder& Comment(const std::string& comment);
    CZipBuilder& Zip64();

    std::string Build() const;

    // Raw deflate of data (no header), as ZIP stores it.
    static std::string Deflate(const std::string& data);
    // A raw deflate stream that inflates to count blocks of 1 MiB zeros, from a few KiB.
    static std::string DeflateZeros(std::size_t mebibytes);

private:
    std::vector<Entry> m_entries;
    std::string m_strComment;
    bool m_bZip64 = false;
};
