// The size text that the window shows for a package: bytes, KB, MB or GB, base 1024.
#pragma once

#include <cstdint>
#include <string>

// "%d B" below 1 KB, else "%.2f KB", "%.2f MB" or "%.2f GB". Megabytes are counted from
// whole kibibytes and gigabytes from whole mebibytes, as the window always has. Sizes of
// 4 GiB and more stay in gigabytes.
std::wstring FormatByteSize(std::uint64_t bytes);
