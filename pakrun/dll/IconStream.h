// A COM stream over a copy of the icon's bytes in memory, independent of the package
// file, released by its last Release.
#pragma once

#include <windows.h>
#include <objidl.h>

#include <cstdint>
#include <vector>

class CIconStream {
public:
    // A new stream positioned at its start, with one reference; null on failure.
    static IStream* Create(const std::vector<std::uint8_t>& bytes);
};
