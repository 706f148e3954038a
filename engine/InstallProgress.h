// The status text of a bundle install's step (WM_INSTALL_PROGRESS). Pure code.
#pragma once

#include <cstdint>
#include <string>

// The string id of the step's format; 0 for a step that has none.
unsigned ProgressTextId(std::uintptr_t step);

// The step's format with its numbers in place of its "%d" marks.
std::wstring FormatProgress(const std::wstring& format, std::uintptr_t step, std::intptr_t detail);

// The detail of kProgressCopyingData: the file's number from 1 and the count.
std::intptr_t CopyingDataDetail(int number, int count);
