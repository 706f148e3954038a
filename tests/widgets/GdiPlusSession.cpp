// GDI+ runs for the whole test program, as it does for the whole of the real one.
#include <gtest/gtest.h>

#include "GdiPlusFlat.h"

namespace {

class CGdiPlusSession : public ::testing::Environment {
public:
    void SetUp() override
    {
        Gdiplus::GdiplusStartupInput input;
        ASSERT_EQ(Gdiplus::Ok, Gdiplus::GdiplusStartup(&m_token, &input, nullptr));
    }
    void TearDown() override { Gdiplus::GdiplusShutdown(m_token); }

private:
    ULONG_PTR m_token = 0;
};

const ::testing::Environment* const g_session = ::testing::AddGlobalTestEnvironment(new CGdiPlusSession);

}  // namespace
