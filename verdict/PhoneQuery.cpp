#include "PhoneQuery.h"

#include "AdbCommand.h"
#include "AdbRunner.h"
#include "InstallRules.h"
#include "PhoneCommands.h"
#include "PhoneOutputs.h"

namespace {

bool Ask(const PhoneAddress& phone, const wchar_t* commandTemplate, const std::wstring& argument, std::wstring& output)
{
    output.clear();
    return RunAdbCommand(FormatAdbCommand(commandTemplate, {phone.adbPath, AdbSerialArgument(phone.serial), argument}),
                         output, kPhoneQuestionTimeoutMs, phone.cancel);
}

std::wstring AskText(const PhoneAddress& phone, const wchar_t* commandTemplate, const std::wstring& argument = {})
{
    std::wstring output;
    return Ask(phone, commandTemplate, argument, output) ? output : std::wstring();
}

InstalledVersion QueryInstalled(const PhoneAddress& phone, const std::wstring& package)
{
    std::wstring output;
    InstalledVersion version;
    if (Ask(phone, kAdbListPackage, package, output)) version = ParsePackageList(output, package);
    // dumpsys names the installed version, and answers where pm lacks the option.
    if (!version.known || version.installed) {
        if (Ask(phone, kAdbDumpPackage, package, output)) ReadDumpsysPackage(output, package, version);
    }
    return version;
}

}  // namespace

bool FindReadyPhone(HANDLE cancel, std::wstring& serial)
{
    std::wstring output;
    if (!RunAdbCommand(FormatAdbCommand(kAdbDevicesLong, {GetAdbPath()}), output, kAdbDevicesTimeoutMs, cancel)) {
        return false;
    }
    serial = FirstReadySerial(output);
    return !serial.empty();
}

PhoneFacts QueryPhoneFacts(const PhoneAddress& phone, const std::wstring& package)
{
    PhoneFacts facts;
    const std::wstring sdk = AskText(phone, kAdbGetSdk);
    if (!sdk.empty()) facts.sdk = ParseSdkLevel(sdk);
    const std::wstring abilist = AskText(phone, kAdbGetAbiList);
    if (!FirstLine(abilist).empty()) {
        facts.abis = ParseAbiList(abilist, std::wstring(), std::wstring());
    } else {
        facts.abis = ParseAbiList(std::wstring(), AskText(phone, kAdbGetAbi), AskText(phone, kAdbGetAbi2));
    }
    if (IsSafePackageName(package)) facts.installed = QueryInstalled(phone, package);
    facts.freeKnown = ParseDfAvailable(AskText(phone, kAdbDataFree), facts.freeBytes) ||
                      ParseStatAvailable(AskText(phone, kAdbDataStat), facts.freeBytes);
    return facts;
}

std::wstring ResolveLauncherActivity(const PhoneAddress& phone, const std::wstring& package, bool& cmdMissing)
{
    cmdMissing = false;
    if (!IsSafePackageName(package)) return std::wstring();
    std::wstring output;
    if (!Ask(phone, kAdbResolveLauncher, package, output)) return std::wstring();
    if (IsCommandMissing(output)) {
        cmdMissing = true;
        return std::wstring();
    }
    const std::wstring component = ParseResolvedActivity(output, package);
    return IsSafeComponent(component, package) ? component : std::wstring();
}

bool OpenAppOnPhone(const PhoneAddress& phone, const std::wstring& package, const std::wstring& component)
{
    std::wstring output;
    if (!component.empty()) {
        return IsSafeComponent(component, package) && Ask(phone, kAdbStartActivity, component, output) &&
               AmStartSucceeded(output);
    }
    return IsSafePackageName(package) && Ask(phone, kAdbMonkeyLaunch, package, output) && MonkeySucceeded(output);
}
