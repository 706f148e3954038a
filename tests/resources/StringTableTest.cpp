#include <gtest/gtest.h>

#include "ExpectedTexts.h"
#include "StringResource.h"
#include "resource.h"

TEST(StringTable, EveryTextCharacterForCharacter)
{
    for (const ExpectedText& expected : kExpectedTexts) {
        std::wstring text;
        EXPECT_TRUE(LoadStringResource(expected.id, text)) << expected.id;
        EXPECT_EQ(expected.text, text) << expected.id;
    }
}

TEST(StringTable, IdWithoutEntryLeavesTargetUnchanged)
{
    for (unsigned id : {unsigned(IDS_COMPANION_BUTTON), 137u, 999u}) {
        std::wstring text = L"unchanged";
        EXPECT_FALSE(LoadStringResource(id, text)) << id;
        EXPECT_EQ(L"unchanged", text) << id;
    }
    EXPECT_EQ(L"", LoadStringResource(IDS_COMPANION_BUTTON));
}
