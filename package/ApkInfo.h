// The boundary to Pakrun.dll, the package-information library: its record and the five
// functions the program imports. On 32-bit Windows the record is 544 bytes with fixed
// offsets; on x64 its pointers take their natural width.
#pragma once

#include <windows.h>
#include <objidl.h>

#include <cstddef>

#ifdef PAKRUN_BUILDING_DLL
#define PAKRUN_IMPORT
#else
#define PAKRUN_IMPORT __declspec(dllimport)
#endif

// Filled with zeros by the caller before ParseApk; released by ReleaseApk.
struct _tagAPKINFO {
    unsigned int nSize;          // the package file's size, low 32 bits
    unsigned int nSizeHigh;      // its high 32 bits
    wchar_t szVersion[130];      // versionName, else versionCode
    wchar_t szAppName[102];      // the label in the language given to InitializePermission
    wchar_t szSystem[30];        // required Android version, e.g. "Android 4.2+"
    IStream* pIcon;              // the icon's image bytes, or null
    wchar_t* pPermissions;       // NUL-terminated names packed one behind the other
    int nPermissionCount;
};

#if defined(_WIN32) && !defined(_WIN64)
static_assert(offsetof(_tagAPKINFO, nSize) == 0, "size at 0");
static_assert(offsetof(_tagAPKINFO, szVersion) == 8, "version text at 8");
static_assert(offsetof(_tagAPKINFO, szAppName) == 268, "application name at 268");
static_assert(offsetof(_tagAPKINFO, szSystem) == 472, "system text at 472");
static_assert(offsetof(_tagAPKINFO, pIcon) == 532, "icon stream at 532");
static_assert(offsetof(_tagAPKINFO, pPermissions) == 536, "permission names at 536");
static_assert(offsetof(_tagAPKINFO, nPermissionCount) == 540, "permission count at 540");
static_assert(sizeof(_tagAPKINFO) == 544, "the record is 544 bytes");
#else
static_assert(offsetof(_tagAPKINFO, szSystem) == 472, "texts keep their offsets");
static_assert(offsetof(_tagAPKINFO, pIcon) == 536, "pointers at their natural alignment");
static_assert(offsetof(_tagAPKINFO, nPermissionCount) == 552, "count behind the pointers");
static_assert(sizeof(_tagAPKINFO) == 560, "x64 record size");
#endif

extern "C" {

// Loads the permission texts of language (e.g. "CHS") from the language file; once,
// before any translation. A missing or malformed file makes every translation fail.
PAKRUN_IMPORT void __cdecl InitializePermission(const wchar_t* languageFile, const wchar_t* language);

// Reads the package into the zero-filled record. Nonzero when the package was read;
// zero for a file that is no readable package, the record filled as far as it could be.
// iconPixels: the side of the box the icon is shown in, at which an icon drawn from its
// XML is painted; 0 (or a side outside 16 to 280) for the 70 of a display at 96 dpi.
PAKRUN_IMPORT int __cdecl ParseApk(const wchar_t* path, _tagAPKINFO* info, int iconPixels);

// Frees what ParseApk put into the record; the stream and pointers are unusable after.
PAKRUN_IMPORT void __cdecl ReleaseApk(_tagAPKINFO* info);

// The permission's title, description and group, each cut to its buffer's size in
// characters and NUL-terminated. 0 when the permission is known.
PAKRUN_IMPORT int __cdecl TranslatePermission(const wchar_t* permission, wchar_t* title, int titleSize,
                                              wchar_t* description, int descriptionSize, wchar_t* group,
                                              int groupSize);

// The group's level (and its title, when a buffer is given). 0 when the group is known.
PAKRUN_IMPORT int __cdecl TranslatePermissionGroup(const wchar_t* group, wchar_t* title, int titleSize, int* level);

}  // extern "C"
