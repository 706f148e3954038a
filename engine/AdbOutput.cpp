#include "AdbOutput.h"

#include <algorithm>
#include <cstring>

std::vector<std::string> CutAdbOutputChunks(const std::string& raw)
{
    std::vector<std::string> chunks;
    for (std::size_t start = 0; start < raw.size(); start += kAdbOutputChunkSize) {
        const std::size_t size = std::min(kAdbOutputChunkSize, raw.size() - start);
        const char* chunk = raw.data() + start;
        const void* nul = std::memchr(chunk, '\0', size);
        const std::size_t kept = nul ? std::size_t(static_cast<const char*>(nul) - chunk) : size;
        if (kept > 0) chunks.emplace_back(chunk, kept);
    }
    return chunks;
}
