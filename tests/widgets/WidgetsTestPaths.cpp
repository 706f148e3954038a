#include "WidgetsTestPaths.h"

#include <gtest/gtest.h>

std::string ReadWidgetsFile(const std::string& path)
{
    std::string bytes = ReadFileBytes(path);
    EXPECT_FALSE(bytes.empty()) << "missing or empty " << path;
    return bytes;
}
