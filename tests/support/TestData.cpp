#include "TestData.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "TestPaths.h"

std::string TestDataPath(const std::string& relative)
{
    std::string path = std::string(APKI_TESTDATA_DIR) + "/" + relative;
#ifdef _WIN32
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
#endif
    return path;
}

std::string ReadFileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string ReadTestData(const std::string& relative)
{
    const std::string path = TestDataPath(relative);
    std::ifstream probe(path, std::ios::binary);
    EXPECT_TRUE(probe.good()) << "missing test data " << path;
    return ReadFileBytes(path);
}

std::wstring WidenBytes(const std::string& bytes)
{
    std::wstring text;
    text.reserve(bytes.size());
    for (unsigned char c : bytes) text += wchar_t(c);
    return text;
}
