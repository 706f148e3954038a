# Google's adb for Windows, from the npm registry, pinned by checksum.
#
# APKI_SHIPPED_ADB_DIR: SDK Platform-Tools r33.0.3 (adb.exe, AdbWinApi.dll, AdbWinUsbApi.dll,
#   NOTICE.txt), which the setup and the archive carry beside the program.
# APKI_TEST_ADB_DIR: adb 1.0.40 (build 4797878) with the same two DLLs, the client the tests
#   drive under Wine: the shipped one aborts at start under Wine 8 ("_wenviron is not set").
include(${CMAKE_CURRENT_LIST_DIR}/ApkiNpmPackage.cmake)

option(APKI_FETCH_ADB "Fetch adb for Windows from the npm registry (needs npm)" ON)
if(NOT WIN32 OR NOT APKI_FETCH_ADB)
  return()
endif()

set(apki_adb_dll_hashes
  AdbWinApi.dll=d60103a5e99bc9888f786ee916f5d6e45493c3247972cb053833803de7e95cf9
  AdbWinUsbApi.dll=25207c506d29c4e8dceb61b4bd50e8669ba26012988a43fbf26a890b1e60fc97)

apki_npm_files(APKI_SHIPPED_ADB_DIR
  PACKAGE android-tools-bin VERSION 2.0.1
  TARBALL_SHA256 fbd1be2f3425e260e4aa698031ff44374fb0ab6e348a50d612855a59e84074ba
  DIR package/dist/win32/x86
  FILES adb.exe=bce1f6f6f6532266837b66d719bfbd177d406d6d7d8d5adfd5e7c59fcde651a5
        ${apki_adb_dll_hashes}
        NOTICE.txt=df5fb9fbfa6764fdf6b4fe484f4884537b9bd6ddc3e6a51590a313835c310bed
        source.properties=16f09ff68887d7c5eebd7c9642101ba2ec691e40cc78ccbfc0bb032f50ab99b2)

if(APKI_BUILD_TESTS)
  apki_npm_files(APKI_TEST_ADB_DIR
    PACKAGE adb-driver VERSION 0.1.8
    TARBALL_SHA256 5ef5e3ee07d6a3b2fb947a83ddd81bbaae035a480a6f23ec155ee3be1304be95
    DIR package/bin/window
    FILES adb.exe=b40abda76f72462483a95321caf431b752b7988de0f92bcb0ba27bf6e3b86bfc
          ${apki_adb_dll_hashes})
endif()
