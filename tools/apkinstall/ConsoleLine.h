// One line of text for the console or for whatever the output was redirected to.
#pragma once

#include <windows.h>

#include <string>

// Writes the text and a line break to the standard handle (STD_OUTPUT_HANDLE or
// STD_ERROR_HANDLE): as wide text to a console window, as UTF-8 to a file or pipe.
void WriteConsoleLine(DWORD standardHandle, const std::wstring& text);
