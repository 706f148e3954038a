// The test program stands where the program would: its module owns the window class and
// the resources, and GDI+ runs for the whole program.
#include <gtest/gtest.h>

#include "GdiPlusFlat.h"
#include "WindowModule.h"

namespace {

class CMainWindowEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        g_windowModule.Init(::GetModuleHandleW(nullptr));
        Gdiplus::GdiplusStartupInput input;
        ASSERT_EQ(Gdiplus::Ok, Gdiplus::GdiplusStartup(&m_token, &input, nullptr));
    }
    void TearDown() override
    {
        Gdiplus::GdiplusShutdown(m_token);
        g_windowModule.Term();
    }

private:
    ULONG_PTR m_token = 0;
};

const ::testing::Environment* const g_environment = ::testing::AddGlobalTestEnvironment(new CMainWindowEnvironment);

}  // namespace
