// The pictures the widget tests read from the source tree: the program's own images and
// those that scripts/make-images.py made with ImageMagick.
#pragma once

#include <string>

#include "TestData.h"  // ReadFileBytes

inline std::string WidgetsPath(const char* base, const std::string& name)
{
#ifdef _WIN32
    return std::string(base) + "\\" + name;
#else
    return std::string(base) + "/" + name;
#endif
}

// Fails the test when the file is missing or empty.
std::string ReadWidgetsFile(const std::string& path);

inline std::string ReadImageFile(const std::string& name)
{
    return ReadWidgetsFile(WidgetsPath(APKI_IMAGES_DIR, name));
}

inline std::string ReadWidgetsTestData(const std::string& name)
{
    return ReadWidgetsFile(WidgetsPath(APKI_WIDGETS_DATA_DIR, name));
}
