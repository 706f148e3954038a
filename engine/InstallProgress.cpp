#include "InstallProgress.h"

#include <vector>

#include "InstallMessages.h"
#include "resource.h"

unsigned ProgressTextId(std::uintptr_t step)
{
    if (step == kProgressInstalling) return IDS_BUNDLE_INSTALLING_FMT;
    if (step == kProgressCopyingData) return IDS_BUNDLE_COPYING_DATA_FMT;
    return 0;
}

std::wstring FormatProgress(const std::wstring& format, std::uintptr_t step, std::intptr_t detail)
{
    std::vector<int> numbers;
    if (step == kProgressCopyingData) numbers = {int(detail & 0xFFFF), int((detail >> 16) & 0xFFFF)};
    else numbers = {int(detail)};
    std::wstring text;
    std::size_t next = 0;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] == L'%' && i + 1 < format.size() && format[i + 1] == L'd' && next < numbers.size()) {
            text += std::to_wstring(numbers[next++]);
            ++i;
        } else {
            text += format[i];
        }
    }
    return text;
}

std::intptr_t CopyingDataDetail(int number, int count)
{
    return std::intptr_t((number & 0xFFFF) | ((count & 0xFFFF) << 16));
}
