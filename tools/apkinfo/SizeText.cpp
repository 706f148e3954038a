#include "SizeText.h"

#include <cstdio>

std::string CSizeText::Format(std::uint32_t bytes)
{
    char text[32];
    if (bytes < 1024u) {
        std::snprintf(text, sizeof text, "%d B", static_cast<int>(bytes));
    } else if (bytes < 1048576u) {
        std::snprintf(text, sizeof text, "%.2f KB", bytes / 1024.0);
    } else if (bytes < 1073741824u) {
        std::snprintf(text, sizeof text, "%.2f MB", (bytes >> 10) / 1024.0);
    } else {
        std::snprintf(text, sizeof text, "%.2f GB", (bytes >> 20) / 1024.0);
    }
    return text;
}
