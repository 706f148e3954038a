// SHA-256 of a byte string, as lower-case hex: how apkinfo names an icon's bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class CSha256 {
public:
    static std::string Hex(const std::uint8_t* data, std::size_t size);
};
