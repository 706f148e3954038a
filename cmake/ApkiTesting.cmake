# Test programs: GoogleTest natively from the installed package, for Windows built
# from Debian's sources with the cross compiler. Windows tests run under Wine (the
# toolchain's emulator), one CTest entry per program, because every Wine start costs.

if(CMAKE_CROSSCOMPILING AND WIN32)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  # googletest defines GTest::gtest and GTest::gtest_main itself.
  # The test programs sit in a directory whose path holds a blank, so every test also
  # proves that paths derived from the program's own location survive blanks.
  set(APKI_TEST_BIN_DIR "${CMAKE_BINARY_DIR}/test bin")
  set(APKI_TESTDATA_NATIVE_PATH "Z:${APKI_TESTDATA_DIR}")
  string(REPLACE "/" "\\\\" APKI_TESTDATA_NATIVE_PATH "${APKI_TESTDATA_NATIVE_PATH}")
else()
  find_package(GTest REQUIRED)
  set(APKI_TEST_BIN_DIR "${CMAKE_BINARY_DIR}/tests")
  set(APKI_TESTDATA_NATIVE_PATH "${APKI_TESTDATA_DIR}")
endif()

# apki_add_test(<name> SOURCES ... [LIBS ...])
function(apki_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE apki_options apki_test_support GTest::gtest_main ${ARG_LIBS})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${APKI_TEST_BIN_DIR}")
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
endfunction()
