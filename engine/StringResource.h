// Texts from the program's string table.
#pragma once

#include <windows.h>

#include <string>

// Loads the string with this id from the module (the program when module is null) into
// text. An id without an entry leaves text unchanged and gives false.
bool LoadStringResource(UINT id, std::wstring& text, HINSTANCE module = nullptr);

// The string with this id, or an empty text when there is none.
std::wstring LoadStringResource(UINT id, HINSTANCE module = nullptr);
