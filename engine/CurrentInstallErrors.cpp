#include "CurrentInstallErrors.h"

#include "resource.h"

const CurrentInstallErrorRow kCurrentInstallErrorRows[kCurrentInstallErrorRowCount] = {
    {L"INSTALL_CANCELED_BY_USER", IDS_ERR_INSTALL_DECLINED},
    {L"INSTALL_FAILED_ABORTED", IDS_ERR_INSTALL_DECLINED},
    {L"INSTALL_FAILED_BAD_SIGNATURE", IDS_ERR_BAD_SIGNATURE},
    {L"INSTALL_FAILED_DEPRECATED_SDK_VERSION", IDS_ERR_DEPRECATED_SDK},
    {L"INSTALL_FAILED_DUPLICATE_PERMISSION", IDS_ERR_DUPLICATE_PERMISSION},
    {L"INSTALL_FAILED_INTERNAL_ERROR", IDS_ERR_INTERNAL_ERROR},
    {L"INSTALL_FAILED_INVALID_INSTALL_LOCATION", IDS_ERR_INSTALL_LOCATION},
    {L"INSTALL_FAILED_MEDIA_UNAVAILABLE", IDS_ERR_INSTALL_LOCATION},
    {L"INSTALL_FAILED_MISSING_SPLIT", IDS_ERR_MISSING_SPLIT},
    {L"INSTALL_FAILED_NO_MATCHING_ABIS", IDS_ERR_NO_MATCHING_ABIS},
    {L"INSTALL_FAILED_OTHER_STAGED_SESSION_IN_PROGRESS", IDS_ERR_STAGED_SESSION},
    {L"INSTALL_FAILED_PERMISSION_MODEL_DOWNGRADE", IDS_ERR_VERSION_DOWNGRADE},
    {L"INSTALL_FAILED_SANDBOX_VERSION_DOWNGRADE", IDS_ERR_VERSION_DOWNGRADE},
    {L"INSTALL_FAILED_SESSION_INVALID", IDS_ERR_SESSION_INVALID},
    {L"INSTALL_FAILED_USER_RESTRICTED", IDS_ERR_USER_RESTRICTED},
    {L"INSTALL_FAILED_VERIFICATION_FAILURE", IDS_ERR_VERIFICATION},
    {L"INSTALL_FAILED_VERIFICATION_TIMEOUT", IDS_ERR_VERIFICATION},
    {L"INSTALL_FAILED_VERSION_DOWNGRADE", IDS_ERR_VERSION_DOWNGRADE},
    {L"INSTALL_PARSE_FAILED_RESOURCES_ARSC_COMPRESSED", IDS_ERR_ARSC_COMPRESSED},
};

const InstallErrorNumber kInstallErrorNumbers[kInstallErrorNumberCount] = {
    {-1, L"INSTALL_FAILED_ALREADY_EXISTS"},
    {-2, L"INSTALL_FAILED_INVALID_APK"},
    {-3, L"INSTALL_FAILED_INVALID_URI"},
    {-4, L"INSTALL_FAILED_INSUFFICIENT_STORAGE"},
    {-5, L"INSTALL_FAILED_DUPLICATE_PACKAGE"},
    {-6, L"INSTALL_FAILED_NO_SHARED_USER"},
    {-7, L"INSTALL_FAILED_UPDATE_INCOMPATIBLE"},
    {-8, L"INSTALL_FAILED_SHARED_USER_INCOMPATIBLE"},
    {-9, L"INSTALL_FAILED_MISSING_SHARED_LIBRARY"},
    {-10, L"INSTALL_FAILED_REPLACE_COULDNT_DELETE"},
    {-11, L"INSTALL_FAILED_DEXOPT"},
    {-12, L"INSTALL_FAILED_OLDER_SDK"},
    {-13, L"INSTALL_FAILED_CONFLICTING_PROVIDER"},
    {-14, L"INSTALL_FAILED_NEWER_SDK"},
    {-15, L"INSTALL_FAILED_TEST_ONLY"},
    {-16, L"INSTALL_FAILED_CPU_ABI_INCOMPATIBLE"},
    {-17, L"INSTALL_FAILED_MISSING_FEATURE"},
    {-19, L"INSTALL_FAILED_INVALID_INSTALL_LOCATION"},
    {-20, L"INSTALL_FAILED_MEDIA_UNAVAILABLE"},
    {-21, L"INSTALL_FAILED_VERIFICATION_TIMEOUT"},
    {-22, L"INSTALL_FAILED_VERIFICATION_FAILURE"},
    {-25, L"INSTALL_FAILED_VERSION_DOWNGRADE"},
    {-26, L"INSTALL_FAILED_PERMISSION_MODEL_DOWNGRADE"},
    {-27, L"INSTALL_FAILED_SANDBOX_VERSION_DOWNGRADE"},
    {-28, L"INSTALL_FAILED_MISSING_SPLIT"},
    {-29, L"INSTALL_FAILED_DEPRECATED_SDK_VERSION"},
    {-100, L"INSTALL_PARSE_FAILED_NOT_APK"},
    {-101, L"INSTALL_PARSE_FAILED_BAD_MANIFEST"},
    {-102, L"INSTALL_PARSE_FAILED_UNEXPECTED_EXCEPTION"},
    {-103, L"INSTALL_PARSE_FAILED_NO_CERTIFICATES"},
    {-104, L"INSTALL_PARSE_FAILED_INCONSISTENT_CERTIFICATES"},
    {-105, L"INSTALL_PARSE_FAILED_CERTIFICATE_ENCODING"},
    {-106, L"INSTALL_PARSE_FAILED_BAD_PACKAGE_NAME"},
    {-107, L"INSTALL_PARSE_FAILED_BAD_SHARED_USER_ID"},
    {-108, L"INSTALL_PARSE_FAILED_MANIFEST_MALFORMED"},
    {-109, L"INSTALL_PARSE_FAILED_MANIFEST_EMPTY"},
    {-110, L"INSTALL_FAILED_INTERNAL_ERROR"},
    {-111, L"INSTALL_FAILED_USER_RESTRICTED"},
    {-112, L"INSTALL_FAILED_DUPLICATE_PERMISSION"},
    {-113, L"INSTALL_FAILED_NO_MATCHING_ABIS"},
    {-115, L"INSTALL_FAILED_ABORTED"},
    {-116, L"INSTALL_FAILED_SESSION_INVALID"},
    {-118, L"INSTALL_FAILED_BAD_SIGNATURE"},
    {-119, L"INSTALL_FAILED_OTHER_STAGED_SESSION_IN_PROGRESS"},
    {-124, L"INSTALL_PARSE_FAILED_RESOURCES_ARSC_COMPRESSED"},
};

namespace {

// What a phone or adb prints when the phone's package service is missing (while the
// phone boots), the connection broke, or the service threw: no code, only a complaint.
const wchar_t* const kNotReadyMarks[] = {
    L"Can't find service: package",
    L"Could not access the Package Manager",
    L"Exception occurred while executing",
    L"Broken pipe",
};

constexpr wchar_t kNumberedFailure[] = L"Failure [-";
constexpr int kLargestNumber = 100000;  // Android's codes have at most four digits

bool Contains(const std::wstring& text, const wchar_t* part) { return text.find(part) != std::wstring::npos; }

bool StartsWith(const std::wstring& line, const wchar_t* prefix) { return line.rfind(prefix, 0) == 0; }

// The first number in "Failure [-N]" or "Failure [-N:" that the table knows.
const std::wstring* FindNumber(const std::map<int, std::wstring>& numbers, const std::wstring& output)
{
    for (std::size_t at = output.find(kNumberedFailure); at != std::wstring::npos;
         at = output.find(kNumberedFailure, at + 1)) {
        std::size_t pos = at + (sizeof(kNumberedFailure) / sizeof(wchar_t) - 1);
        int value = 0;
        const std::size_t digits = pos;
        for (; pos < output.size() && output[pos] >= L'0' && output[pos] <= L'9' && value < kLargestNumber; ++pos) {
            value = value * 10 + (output[pos] - L'0');
        }
        if (pos == digits || pos == output.size() || (output[pos] != L']' && output[pos] != L':')) continue;
        const auto found = numbers.find(-value);
        if (found != numbers.end()) return &found->second;
    }
    return nullptr;
}

template <typename Test>
bool AnyLine(const std::wstring& output, Test test)
{
    std::size_t start = 0;
    while (start < output.size()) {
        std::size_t end = output.find_first_of(L"\r\n", start);
        if (end == std::wstring::npos) end = output.size();
        if (end > start && test(output.substr(start, end - start))) return true;
        start = end + 1;
    }
    return false;
}

// adb's own lines ("error: device 'X' not found", "adb: error: failed to get feature set:
// device offline") saying that the phone went away.
bool SaysPhoneGone(const std::wstring& line)
{
    if (!StartsWith(line, L"error:") && !StartsWith(line, L"adb:")) return false;
    if (Contains(line, L"device offline") || Contains(line, L"device not found")) return true;
    const std::size_t device = line.find(L"device '");
    return device != std::wstring::npos && line.find(L"' not found", device) != std::wstring::npos;
}

// A failed streamed install whose phone gave no code: "adb: failed to install FILE: "
// followed by nothing, or by whatever else the phone said.
bool SaysFailedWithoutCode(const std::wstring& line)
{
    return StartsWith(line, L"adb: failed to install ") && !Contains(line, L"Failure [");
}

bool SaysNotReady(const std::wstring& output)
{
    for (const wchar_t* mark : kNotReadyMarks) {
        if (Contains(output, mark)) return true;
    }
    return AnyLine(output, SaysFailedWithoutCode);
}

const std::wstring* TextIfAny(const std::wstring& text) { return text.empty() ? nullptr : &text; }

}  // namespace

CurrentInstallErrors BuildCurrentInstallErrors(const std::map<std::wstring, std::wstring>& firstTable,
                                               const std::function<std::wstring(unsigned)>& loadText)
{
    std::map<unsigned, std::wstring> loaded;  // several codes share a text: load it once
    auto text = [&](unsigned id) -> const std::wstring& {
        auto found = loaded.find(id);
        if (found == loaded.end()) found = loaded.emplace(id, loadText(id)).first;
        return found->second;
    };

    CurrentInstallErrors errors;
    for (const CurrentInstallErrorRow& row : kCurrentInstallErrorRows) errors.codes.emplace(row.key, text(row.messageId));
    for (const InstallErrorNumber& entry : kInstallErrorNumbers) {
        const auto first = firstTable.find(entry.key);
        const auto current = errors.codes.find(entry.key);
        if (first != firstTable.end()) {
            errors.numbers.emplace(entry.number, first->second);
        } else if (current != errors.codes.end()) {
            errors.numbers.emplace(entry.number, current->second);
        }
    }
    errors.phoneGone = text(IDS_ERR_PHONE_GONE);
    errors.phoneNotReady = text(IDS_ERR_PHONE_NOT_READY);
    return errors;
}

const std::wstring* FindCurrentInstallError(const CurrentInstallErrors& errors, const std::wstring& output)
{
    for (const auto& [key, text] : errors.codes) {
        if (Contains(output, key.c_str())) return &text;
    }
    if (const std::wstring* text = FindNumber(errors.numbers, output)) return text;
    if (AnyLine(output, SaysPhoneGone)) return TextIfAny(errors.phoneGone);
    if (SaysNotReady(output)) return TextIfAny(errors.phoneNotReady);
    return nullptr;
}
