// The texts of the package record are fixed-size fields of wide characters; a longer
// text is cut so that it fits with its terminating NUL, never in the middle of a pair.
#pragma once

#include <cstddef>
#include <string>

class CRecordFields {
public:
    // Capacities in characters, the NUL included.
    static constexpr std::size_t kVersionChars = 130;
    static constexpr std::size_t kAppNameChars = 102;
    static constexpr std::size_t kSystemChars = 30;

    // The text as it fits into a field of capacity characters (capacity - 1 of them).
    static std::u16string Fit(const std::u16string& text, std::size_t capacity);
};
