#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <system_error>

#include "FileSource.h"

namespace {

// A file of known bytes below the temporary directory, removed at the end.
class CScratchFile {
public:
    explicit CScratchFile(const std::string& bytes)
        : m_path(std::filesystem::temp_directory_path() /
                 ("pakrun-file-source-" + std::to_string(reinterpret_cast<std::uintptr_t>(this)) + ".bin"))
    {
        std::ofstream(m_path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
    }
    ~CScratchFile()
    {
        std::error_code error;
        std::filesystem::remove(m_path, error);
    }
    CScratchFile(const CScratchFile&) = delete;
    CScratchFile& operator=(const CScratchFile&) = delete;

    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

std::string ReadAt(CFileSource& file, std::uint64_t offset, std::size_t count)
{
    std::string bytes(count, '\0');
    bytes.resize(file.ReadAt(offset, bytes.data(), count));
    return bytes;
}

}  // namespace

TEST(FileSource, ReadsAtAnyOffsetInAnyOrderAndShortAtTheEnd)
{
    std::string bytes(200000, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = char((i * 13 + i / 256) & 0xFF);
    const CScratchFile scratch(bytes);
    CFileSource file;
    ASSERT_TRUE(file.Open(scratch.Path()));
    EXPECT_EQ(bytes.size(), file.Size());
    for (std::uint64_t offset : {190000u, 5u, 100000u, 99999u, 0u, 150001u}) {
        EXPECT_EQ(bytes.substr(std::size_t(offset), 777), ReadAt(file, offset, 777)) << offset;
    }
    EXPECT_EQ(bytes, ReadAt(file, 0, bytes.size()));
    EXPECT_EQ(bytes.substr(199990), ReadAt(file, 199990, 100));
    EXPECT_EQ("", ReadAt(file, 200000, 10));
    EXPECT_EQ("", ReadAt(file, ~std::uint64_t(0), 10));
}

TEST(FileSource, OpensOnlyARegularFileThatExists)
{
    CFileSource file;
    EXPECT_FALSE(file.Open(std::filesystem::temp_directory_path()));
    EXPECT_FALSE(file.Open(std::filesystem::temp_directory_path() / "pakrun-no-such-file.apk"));
    const CScratchFile empty("");
    ASSERT_TRUE(file.Open(empty.Path()));
    EXPECT_EQ(0u, file.Size());
    EXPECT_EQ("", ReadAt(file, 0, 4));
}
