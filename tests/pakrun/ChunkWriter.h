// Little-endian writing helpers and string pools for the test builders of binary XML
// and resources.arsc.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class CChunkWriter {
public:
    static void Put8(std::string& out, std::uint32_t value) { out += char(value & 0xFF); }
    static void Put16(std::string& out, std::uint32_t value)
    {
        Put8(out, value);
        Put8(out, value >> 8);
    }
    static void Put32(std::string& out, std::uint32_t value)
    {
        Put16(out, value & 0xFFFF);
        Put16(out, value >> 16);
    }
    static void Set32(std::string& out, std::size_t at, std::uint32_t value)
    {
        for (int i = 0; i < 4; ++i) out[at + i] = char((value >> (i * 8)) & 0xFF);
    }
    static void PadTo4(std::string& out)
    {
        while (out.size() % 4 != 0) out += '\0';
    }

    // A whole string pool chunk, UTF-8 or UTF-16.
    static std::string StringPool(const std::vector<std::u16string>& strings, bool utf8);
};
