// Any bytes as a vector's path data (each byte one character), read with a small budget.
#include <cstdint>
#include <string>

#include "PathData.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::u16string text(data, data + size);
    constexpr std::size_t kBudget = 2000;
    std::size_t budget = kBudget;
    IconPath path;
    const PathParse result = CPathData::Parse(text, path, budget);
    if (path.points.size() != path.types.size()) __builtin_trap();
    if (result == PathParse::OverBudget && budget != 0) __builtin_trap();
    // Every command adds at most a figure's start and four cubic curves.
    if (path.points.size() > (kBudget - budget) * 13) __builtin_trap();
    int cubic = 0;
    for (const std::uint8_t type : path.types) {
        const std::uint8_t kind = type & ~kPathClose;
        if (kind != kPathStart && kind != kPathLine && kind != kPathCubic) __builtin_trap();
        cubic = kind == kPathCubic ? cubic + 1 : 0;
        // A figure may close only where a curve's three points are complete.
        if ((type & kPathClose) && cubic % 3 != 0) __builtin_trap();
    }
    if (cubic % 3 != 0) __builtin_trap();
    path.Bounds();
    path.Finite();
    return 0;
}
