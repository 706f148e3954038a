#include "ChunkWriter.h"

#include "TextUtf.h"

namespace {

void PutUtf8Length(std::string& out, std::size_t length)
{
    if (length > 0x7F) CChunkWriter::Put8(out, 0x80 | (length >> 8));
    CChunkWriter::Put8(out, length & 0xFF);
}

}  // namespace

std::string CChunkWriter::StringPool(const std::vector<std::u16string>& strings, bool utf8)
{
    std::string data;
    std::vector<std::uint32_t> offsets;
    for (const std::u16string& text : strings) {
        offsets.push_back(std::uint32_t(data.size()));
        if (utf8) {
            const std::string bytes = CTextUtf::Utf16ToUtf8(text);
            PutUtf8Length(data, text.size());
            PutUtf8Length(data, bytes.size());
            data += bytes;
            data += '\0';
        } else {
            if (text.size() > 0x7FFF) {
                Put16(data, 0x8000 | (text.size() >> 16));
                Put16(data, text.size() & 0xFFFF);
            } else {
                Put16(data, std::uint32_t(text.size()));
            }
            for (char16_t c : text) Put16(data, c);
            Put16(data, 0);
        }
    }
    PadTo4(data);
    std::string chunk;
    const std::uint32_t headerSize = 28;
    const std::uint32_t stringsStart = headerSize + 4 * std::uint32_t(strings.size());
    Put16(chunk, 0x0001);
    Put16(chunk, headerSize);
    Put32(chunk, stringsStart + std::uint32_t(data.size()));
    Put32(chunk, std::uint32_t(strings.size()));
    Put32(chunk, 0);
    Put32(chunk, utf8 ? 0x100 : 0);
    Put32(chunk, stringsStart);
    Put32(chunk, 0);
    for (std::uint32_t offset : offsets) Put32(chunk, offset);
    return chunk + data;
}
