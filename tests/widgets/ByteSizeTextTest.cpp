#include <gtest/gtest.h>

#include "ByteSizeText.h"

TEST(FormatByteSize, UnitBoundariesAndRounding)
{
    const struct {
        std::uint64_t bytes;
        const wchar_t* text;
    } cases[] = {
        {0, L"0 B"},
        {1023, L"1023 B"},
        {1024, L"1.00 KB"},
        {1536, L"1.50 KB"},
        {1048575, L"1024.00 KB"},
        {1048576, L"1.00 MB"},
        {1053819, L"1.00 MB"},  // counted from whole kibibytes: 1029 / 1024
        {5767168, L"5.50 MB"},
        {1073741823, L"1024.00 MB"},
        {1073741824, L"1.00 GB"},
        {3221225472u, L"3.00 GB"},
        {4294967295u, L"4.00 GB"},  // 4095 whole mebibytes
        {4294967296ull, L"4.00 GB"},  // no longer cut to 32 bits
        {5ull << 30 | 1023, L"5.00 GB"},
        {1ull << 40, L"1024.00 GB"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.text, FormatByteSize(c.bytes)) << c.bytes;
}
