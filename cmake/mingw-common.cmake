set(CMAKE_C_COMPILER   ${APKI_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${APKI_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER  ${APKI_MINGW_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${APKI_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One self-contained file per program: no libstdc++/libgcc/winpthread DLLs to ship beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT    "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")

# Test programs run under Wine; the wrapper keeps Wine's state in a private prefix.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-exec)
