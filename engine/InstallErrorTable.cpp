#include "InstallErrorTable.h"

#include "resource.h"

const wchar_t kUnknownErrorKey[] = L"INSTALL_FAILED_UNKOWNED_ERROR";  // sic: as the phone spells it

const InstallErrorRow kInstallErrorRows[kInstallErrorRowCount] = {
    {L"ADB_INSTALL_FAILED_INVALID_ZIP_FILE", IDS_ERR_INVALID_ZIP},
    {L"ADB_INSTALL_FAILED_SERVER_DIDNT_ACK", IDS_ERR_SERVER_DIDNT_ACK},
    {L"ADB_INSTALL_FAILED_VERSION_TOO_LOW", IDS_ERR_VERSION_TOO_LOW},
    {L"INSTALL_DEVICES_NOT_FOUND", IDS_ERR_DEVICES_NOT_FOUND},
    {L"INSTALL_FAILED_ALREADY_EXISTS", IDS_ERR_ALREADY_EXISTS},
    {L"INSTALL_FAILED_CONFLICTING_PROVIDER", IDS_ERR_CONFLICTING_PROVIDER},
    {L"INSTALL_FAILED_COPY_FAILED", IDS_ERR_COPY_FAILED},
    {L"INSTALL_FAILED_CPU_ABI_INCOMPATIBLE", IDS_ERR_CPU_ABI},
    {L"INSTALL_FAILED_DEVICE_NOSPACE", IDS_ERR_DEVICE_NOSPACE},
    {L"INSTALL_FAILED_DEVICE_OFFLINE", IDS_ERR_DEVICE_OFFLINE},
    {L"INSTALL_FAILED_DEXOPT", IDS_ERR_DEXOPT},
    {L"INSTALL_FAILED_DUPLICATE_PACKAGE", IDS_ERR_DUPLICATE_PACKAGE},
    {L"INSTALL_FAILED_INSUFFICIENT_STORAGE", IDS_ERR_INSUFFICIENT_STORAGE},
    {L"INSTALL_FAILED_INVALID_APK", IDS_ERR_INVALID_APK},
    {L"INSTALL_FAILED_INVALID_URI", IDS_ERR_INVALID_URI},
    {L"INSTALL_FAILED_MISSING_FEATURE", IDS_ERR_MISSING_FEATURE},
    {L"INSTALL_FAILED_MISSING_SHARED_LIBRARY", IDS_ERR_MISSING_SHARED_LIB},
    {L"INSTALL_FAILED_NEWER_SDK", IDS_ERR_NEWER_SDK},
    {L"INSTALL_FAILED_NO_SHARED_USER", IDS_ERR_NO_SHARED_USER},
    {L"INSTALL_FAILED_OLDER_SDK", IDS_ERR_OLDER_SDK},
    {L"INSTALL_FAILED_REPLACE_COULDNT_DELETE", IDS_ERR_REPLACE_COULDNT_DELETE},
    {L"INSTALL_FAILED_SHARED_USER_INCOMPATIBLE", IDS_ERR_SHARED_USER_INCOMPATIBLE},
    {L"INSTALL_FAILED_TEST_ONLY", IDS_ERR_TEST_ONLY},
    {kUnknownErrorKey, IDS_ERR_UNKNOWN},
    {L"INSTALL_FAILED_UPDATE_INCOMPATIBLE", IDS_ERR_UPDATE_INCOMPATIBLE},
    {L"INSTALL_PARSE_FAILED_BAD_MANIFEST", IDS_ERR_BAD_MANIFEST},
    {L"INSTALL_PARSE_FAILED_BAD_PACKAGE_NAME", IDS_ERR_BAD_PACKAGE_NAME},
    {L"INSTALL_PARSE_FAILED_BAD_SHARED_USER_ID", IDS_ERR_BAD_SHARED_USER_ID},
    {L"INSTALL_PARSE_FAILED_CERTIFICATE_ENCODING", IDS_ERR_CERT_ENCODING},
    {L"INSTALL_PARSE_FAILED_INCONSISTENT_CERTIFICATES", IDS_ERR_INCONSISTENT_CERTS},
    {L"INSTALL_PARSE_FAILED_MANIFEST_EMPTY", IDS_ERR_MANIFEST_EMPTY},
    {L"INSTALL_PARSE_FAILED_MANIFEST_MALFORMED", IDS_ERR_MANIFEST_MALFORMED},
    {L"INSTALL_PARSE_FAILED_NOT_APK", IDS_ERR_NOT_APK},
    {L"INSTALL_PARSE_FAILED_NO_CERTIFICATES", IDS_ERR_NO_CERTIFICATES},
    {L"INSTALL_PARSE_FAILED_UNEXPECTED_EXCEPTION", IDS_ERR_UNEXPECTED_EXCEPTION},
};

InstallErrorTable BuildInstallErrorTable(const std::function<std::wstring(unsigned)>& loadText)
{
    InstallErrorTable table;
    for (const InstallErrorRow& row : kInstallErrorRows) {
        table.emplace(row.key, loadText(row.messageId));
    }
    return table;
}

InstallErrorTable BuildCompleteInstallErrorTable(const std::function<std::wstring(unsigned)>& loadText)
{
    InstallErrorTable table = BuildInstallErrorTable(loadText);
    table.current = BuildCurrentInstallErrors(table, loadText);
    return table;
}

std::wstring GetInstallErrorMessage(const InstallErrorTable& table, const std::wstring& output)
{
    // The unknown-error row holds the fallback text (the same string as the row's own).
    const auto unknown = table.find(kUnknownErrorKey);
    std::wstring message = unknown != table.end() ? unknown->second : std::wstring();
    if (output.empty()) return message;
    for (const auto& [key, text] : table) {
        if (output.find(key) != std::wstring::npos) return text;
    }
    if (const std::wstring* text = FindCurrentInstallError(table.current, output)) return *text;
    return message;
}
