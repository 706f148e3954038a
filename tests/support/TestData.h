// Reading the shared test data (real packages and captured adb output) in place.
#pragma once

#include <string>

// The path of a file below the test data directory; relative uses '/'.
std::string TestDataPath(const std::string& relative);

// The file's bytes; empty when it cannot be read.
std::string ReadFileBytes(const std::string& path);

// The bytes of a test data file, e.g. "adb/empty__devices.txt". Fails the test if missing.
std::string ReadTestData(const std::string& relative);

// Each byte becomes one character, as adb's ASCII output does.
std::wstring WidenBytes(const std::string& bytes);
