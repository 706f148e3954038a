#include "ApkSummary.h"

#include "AndroidVersion.h"

std::u16string ApkSummary::VersionText() const
{
    if (versionName && !versionName->empty()) return *versionName;
    if (versionCode) return *versionCode;
    return std::u16string();
}

std::u16string ApkSummary::AppName() const
{
    if (label && !label->empty()) return *label;
    return packageName.value_or(std::u16string());
}

std::u16string ApkSummary::SystemText() const
{
    if (!parsed) return std::u16string();
    return CAndroidVersion::SystemText(minSdkCodename, minSdk);
}

std::vector<std::u16string> ApkSummary::RecordNames() const
{
    std::vector<std::u16string> names = access;
    names.insert(names.end(), permissions.begin(), permissions.end());
    return names;
}
