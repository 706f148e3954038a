#include "AdbTarget.h"

#include "AdbCommand.h"
#include "AdbRunner.h"
#include "InstallErrorTableStore.h"
#include "InstallRules.h"

std::wstring AdbTarget::Run(const wchar_t* commandTemplate, bool* ran, std::wstring* failedRunText) const
{
    std::wstring output;
    const bool ok = RunAdbCommand(FormatAdbCommand(commandTemplate, {adbPath, AdbSerialArgument(serial), packagePath}),
                                  output, INFINITE, cancelEvent, failedRunText);
    if (ran) *ran = ok;
    return output;
}

bool AdbTarget::Cancelled() const
{
    return cancelEvent && ::WaitForSingleObject(cancelEvent, 0) == WAIT_OBJECT_0;
}

std::int32_t AdbTarget::QuerySdkVersion() const
{
    bool ran = false;
    const std::wstring output = Run(kAdbGetSdk, &ran);
    return ran && !output.empty() ? ParseSdkLevel(output) : 0;
}

bool AdbTarget::InstallApk(bool toSd, std::wstring& error) const
{
    // A phone that does not know the location question answers with an error text, which
    // selects plain -r; the runner's own result does not matter here.
    const wchar_t* commandTemplate = toSd ? kAdbInstallToSd : ChooseInstallTemplate(Run(kAdbGetInstallLocation));
    if (Cancelled()) return false;
    std::wstring failedRunText;
    const std::wstring output = Run(commandTemplate, nullptr, &failedRunText);
    if (Cancelled()) return false;
    if (IsInstallSuccess(output)) return true;
    // adb ends with 0xFFFFFFFF when the phone went away; what it said then is the reason.
    error = GetInstallErrorMessage(GetInstallErrorTable(), output.empty() ? failedRunText : output);
    return false;
}
