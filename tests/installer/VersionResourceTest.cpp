// The version a user sees in a shipped file's properties is the project's one version
// number, in the fixed part of the version resource and in its texts.
#include <windows.h>

#include <gtest/gtest.h>

#include <cwchar>
#include <string>
#include <vector>

#include "DeliveryPaths.h"

namespace {

struct FileVersion {
    bool found = false;
    std::wstring fixedFile;     // FILEVERSION as a.b.c.d
    std::wstring fixedProduct;  // PRODUCTVERSION as a.b.c.d
    std::vector<BYTE> block;
};

std::wstring Dotted(DWORD high, DWORD low) {
    return std::to_wstring(HIWORD(high)) + L"." + std::to_wstring(LOWORD(high)) + L"." +
           std::to_wstring(HIWORD(low)) + L"." + std::to_wstring(LOWORD(low));
}

FileVersion ReadVersion(const std::wstring& path) {
    FileVersion version;
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(path.c_str(), &ignored);
    if (size == 0) {
        return version;
    }
    version.block.resize(size);
    if (!::GetFileVersionInfoW(path.c_str(), 0, size, version.block.data())) {
        return version;
    }
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (!::VerQueryValueW(version.block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) ||
        length < sizeof(VS_FIXEDFILEINFO) || fixed->dwSignature != VS_FFI_SIGNATURE) {
        return version;
    }
    version.found = true;
    version.fixedFile = Dotted(fixed->dwFileVersionMS, fixed->dwFileVersionLS);
    version.fixedProduct = Dotted(fixed->dwProductVersionMS, fixed->dwProductVersionLS);
    return version;
}

// A text of the version resource, in the first language and code page it lists.
std::wstring Text(const FileVersion& version, const wchar_t* name) {
    struct Translation {
        WORD language;
        WORD codePage;
    }* translation = nullptr;
    UINT length = 0;
    if (!::VerQueryValueW(version.block.data(), L"\\VarFileInfo\\Translation",
                          reinterpret_cast<void**>(&translation), &length) ||
        length < sizeof(Translation)) {
        return L"(no translation)";
    }
    wchar_t query[128];
    std::swprintf(query, 128, L"\\StringFileInfo\\%04x%04x\\%ls", translation->language,
                  translation->codePage, name);
    wchar_t* text = nullptr;
    if (!::VerQueryValueW(version.block.data(), query, reinterpret_cast<void**>(&text), &length) ||
        length == 0) {
        return L"(no " + std::wstring(name) + L")";
    }
    return text;
}

class ShippedProgram : public ::testing::TestWithParam<const wchar_t*> {};

TEST_P(ShippedProgram, CarriesTheProjectVersionAndItsOwnName) {
    const std::wstring path = std::wstring(APKI_STAGE_DIR) + L"\\" + GetParam();
    const FileVersion version = ReadVersion(path);
    ASSERT_TRUE(version.found) << "no version resource in " << ::testing::PrintToString(path);
    EXPECT_EQ(APKI_EXPECTED_FILE_VERSION, version.fixedFile);
    EXPECT_EQ(APKI_EXPECTED_FILE_VERSION, version.fixedProduct);
    EXPECT_EQ(APKI_EXPECTED_FILE_VERSION, Text(version, L"FileVersion"));
    EXPECT_EQ(APKI_EXPECTED_FILE_VERSION, Text(version, L"ProductVersion"));
    EXPECT_EQ(GetParam(), Text(version, L"OriginalFilename"));
    EXPECT_EQ(L"ApkInstaller", Text(version, L"ProductName"));
}

INSTANTIATE_TEST_SUITE_P(Delivery, ShippedProgram,
                         ::testing::Values(L"ApkInstaller.exe", L"apkinstall.exe", L"Pakrun.dll"));

TEST(Setup, CarriesTheProjectVersion) {
    const FileVersion version = ReadVersion(APKI_SETUP_FILE);
    ASSERT_TRUE(version.found);
    EXPECT_EQ(APKI_EXPECTED_FILE_VERSION, version.fixedFile);
    EXPECT_EQ(APKI_EXPECTED_VERSION, Text(version, L"ProductVersion"));
}

}  // namespace
