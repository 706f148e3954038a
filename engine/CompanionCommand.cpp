#include "CompanionCommand.h"

std::wstring CompanionHandOverParameters(const std::wstring& packagePath)
{
    if (packagePath.find(L' ') == std::wstring::npos) return packagePath;
    return L"\"" + packagePath + L"\"";
}
