// How the bytes adb printed become text: read in 1024-byte chunks, each chunk ending at
// its first NUL byte and converted on its own. Keeping this exact means that a character
// cut by a chunk boundary arrives as two fragments, as it always has.
#pragma once

#include <string>
#include <vector>

inline constexpr std::size_t kAdbOutputChunkSize = 1024;

// The byte runs to convert, in order: each 1024-byte chunk up to its first NUL byte.
// Chunks that are empty after the cut are left out.
std::vector<std::string> CutAdbOutputChunks(const std::string& raw);
