#include "ZipBuilder.h"

#include <zlib.h>

namespace {

void Put16(std::string& out, std::uint32_t value)
{
    out += char(value & 0xFF);
    out += char((value >> 8) & 0xFF);
}

void Put32(std::string& out, std::uint32_t value)
{
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

void Put64(std::string& out, std::uint64_t value)
{
    Put32(out, std::uint32_t(value));
    Put32(out, std::uint32_t(value >> 32));
}

std::uint32_t Crc(const std::string& data)
{
    return std::uint32_t(crc32(0, reinterpret_cast<const Bytef*>(data.data()), uInt(data.size())));
}

std::string RunDeflate(z_stream& stream, const std::string& input, int flush)
{
    std::string out;
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(input.data()));
    stream.avail_in = uInt(input.size());
    char buffer[65536];
    do {
        stream.next_out = reinterpret_cast<Bytef*>(buffer);
        stream.avail_out = sizeof buffer;
        deflate(&stream, flush);
        out.append(buffer, sizeof buffer - stream.avail_out);
    } while (stream.avail_out == 0);
    return out;
}

}  // namespace

CZipBuilder& CZipBuilder::Add(const std::string& name, const std::string& data, bool deflate)
{
    Entry entry;
    entry.name = name;
    entry.data = data;
    entry.deflate = deflate;
    return Add(entry);
}

CZipBuilder& CZipBuilder::Add(const Entry& entry)
{
    m_entries.push_back(entry);
    return *this;
}

CZipBuilder& CZipBuilder::Comment(const std::string& comment)
{
    m_strComment = comment;
    return *this;
}

CZipBuilder& CZipBuilder::Zip64()
{
    m_bZip64 = true;
    return *this;
}

std::string CZipBuilder::Deflate(const std::string& data)
{
    z_stream stream{};
    deflateInit2(&stream, 9, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    std::string out = RunDeflate(stream, data, Z_FINISH);
    deflateEnd(&stream);
    return out;
}

std::string CZipBuilder::DeflateZeros(std::size_t mebibytes)
{
    // A full flush makes each compressed megabyte independent of what came before, so
    // the same bytes can be repeated; an empty final block ends the stream.
    z_stream stream{};
    deflateInit2(&stream, 9, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    const std::string block = RunDeflate(stream, std::string(1u << 20, '\0'), Z_FULL_FLUSH);
    const std::string end = RunDeflate(stream, std::string(), Z_FINISH);
    deflateEnd(&stream);
    std::string out;
    out.reserve(block.size() * mebibytes + end.size());
    for (std::size_t i = 0; i < mebibytes; ++i) out += block;
    return out + end;
}

std::string CZipBuilder::Build() const
{
    std::string archive;
    std::string directory;
    for (const Entry& entry : m_entries) {
        const std::string stored = !entry.rawData.empty() ? entry.rawData : (entry.deflate ? Deflate(entry.data) : entry.data);
        const std::uint64_t offset = entry.declaredOffset >= 0 ? std::uint64_t(entry.declaredOffset) : archive.size();
        const std::uint64_t size = entry.declaredSize >= 0 ? std::uint64_t(entry.declaredSize) : entry.data.size();
        const std::uint64_t compressed = entry.declaredCompressed >= 0 ? std::uint64_t(entry.declaredCompressed) : stored.size();
        const std::uint16_t method = entry.deflate ? 8 : 0;
        const std::uint16_t flags = std::uint16_t((entry.dataDescriptor ? 0x0008 : 0) | (entry.encrypted ? 0x0001 : 0));
        const bool local = !entry.dataDescriptor;

        Put32(archive, 0x04034b50);
        Put16(archive, 20);
        Put16(archive, flags);
        Put16(archive, method);
        Put32(archive, 0);
        Put32(archive, local ? Crc(entry.data) : 0);
        Put32(archive, local ? std::uint32_t(compressed) : 0);
        Put32(archive, local ? std::uint32_t(size) : 0);
        Put16(archive, std::uint32_t(entry.name.size()));
        Put16(archive, 0);
        archive += entry.name;
        archive += stored;
        if (entry.dataDescriptor) {
            Put32(archive, 0x08074b50);
            Put32(archive, Crc(entry.data));
            Put32(archive, std::uint32_t(compressed));
            Put32(archive, std::uint32_t(size));
        }

        const bool wide = m_bZip64 || size > 0xFFFFFFFEu || compressed > 0xFFFFFFFEu || offset > 0xFFFFFFFEu;
        Put32(directory, 0x02014b50);
        Put16(directory, 45);
        Put16(directory, 20);
        Put16(directory, flags);
        Put16(directory, method);
        Put32(directory, 0);
        Put32(directory, Crc(entry.data));
        Put32(directory, wide ? 0xFFFFFFFFu : std::uint32_t(compressed));
        Put32(directory, wide ? 0xFFFFFFFFu : std::uint32_t(size));
        Put16(directory, std::uint32_t(entry.name.size()));
        Put16(directory, wide ? 28 : 0);
        Put16(directory, 0);
        Put16(directory, 0);
        Put16(directory, 0);
        Put32(directory, 0);
        Put32(directory, wide ? 0xFFFFFFFFu : std::uint32_t(offset));
        directory += entry.name;
        if (wide) {
            Put16(directory, 0x0001);
            Put16(directory, 24);
            Put64(directory, size);
            Put64(directory, compressed);
            Put64(directory, offset);
        }
    }
    const std::uint64_t directoryOffset = archive.size();
    archive += directory;
    if (m_bZip64) {
        const std::uint64_t endOffset = archive.size();
        Put32(archive, 0x06064b50);
        Put64(archive, 44);
        Put16(archive, 45);
        Put16(archive, 45);
        Put32(archive, 0);
        Put32(archive, 0);
        Put64(archive, m_entries.size());
        Put64(archive, m_entries.size());
        Put64(archive, directory.size());
        Put64(archive, directoryOffset);
        Put32(archive, 0x07064b50);
        Put32(archive, 0);
        Put64(archive, endOffset);
        Put32(archive, 1);
    }
    Put32(archive, 0x06054b50);
    Put16(archive, 0);
    Put16(archive, 0);
    Put16(archive, m_bZip64 ? 0xFFFF : std::uint32_t(m_entries.size()));
    Put16(archive, m_bZip64 ? 0xFFFF : std::uint32_t(m_entries.size()));
    Put32(archive, m_bZip64 ? 0xFFFFFFFFu : std::uint32_t(directory.size()));
    Put32(archive, m_bZip64 ? 0xFFFFFFFFu : std::uint32_t(directoryOffset));
    Put16(archive, std::uint32_t(m_strComment.size()));
    archive += m_strComment;
    return archive;
}
