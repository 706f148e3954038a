#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "ExpectedTexts.h"
#include "InstallErrorTableStore.h"

// Runs first, so that the threads race to build the table.
TEST(InstallErrorTableStore, ThreadsAskingAtOnceShareOneTable)
{
    std::vector<const InstallErrorTable*> seen(8, nullptr);
    std::vector<std::thread> threads;
    for (std::size_t i = 0; i < seen.size(); ++i) {
        threads.emplace_back([&seen, i] { seen[i] = &GetInstallErrorTable(); });
    }
    for (std::thread& t : threads) t.join();
    for (const InstallErrorTable* table : seen) EXPECT_EQ(&GetInstallErrorTable(), table);
}

TEST(InstallErrorTableStore, MessagesComeFromTheStringTable)
{
    const InstallErrorTable& table = GetInstallErrorTable();
    ASSERT_EQ(35u, table.size());
    for (const InstallErrorRow& row : kInstallErrorRows) {
        EXPECT_EQ(ExpectedTextFor(row.messageId), table.at(row.key)) << row.messageId;
    }
    EXPECT_EQ(L"目标已经存在", GetInstallErrorMessage(table, L"Failure [INSTALL_FAILED_ALREADY_EXISTS]"));
}
