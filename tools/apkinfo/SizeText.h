// The size text the window shows for a byte count: "%d B", "%.2f KB", "%.2f MB" or
// "%.2f GB" (megabytes from whole kibibytes, gigabytes from whole mebibytes).
#pragma once

#include <cstdint>
#include <string>

class CSizeText {
public:
    static std::string Format(std::uint32_t bytes);
};
