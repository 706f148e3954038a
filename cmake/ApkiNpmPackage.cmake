# Files taken from a package of the npm registry, pinned by checksum.
#
# apki_npm_files(<out_var> PACKAGE <name> VERSION <version> TARBALL_SHA256 <hex>
#                DIR <folder inside the tarball> FILES <name>=<sha256> ...)
#
# Fetches the tarball once with `npm pack` into build/npm/ beside the presets' build trees
# (so that every preset shares it), checks the tarball's and each named file's SHA-256 and
# stops the configuration when one differs. <out_var> receives the folder that holds the
# checked files.
set(APKI_NPM_CACHE "${PROJECT_SOURCE_DIR}/build/npm" CACHE PATH "Where packages fetched from the npm registry are kept")

function(apki_npm_files out_var)
  cmake_parse_arguments(ARG "" "PACKAGE;VERSION;TARBALL_SHA256;DIR" "FILES" ${ARGN})
  set(tarball "${APKI_NPM_CACHE}/${ARG_PACKAGE}-${ARG_VERSION}.tgz")
  set(unpacked "${APKI_NPM_CACHE}/${ARG_PACKAGE}-${ARG_VERSION}")

  if(EXISTS "${tarball}")
    file(SHA256 "${tarball}" actual)
    if(NOT actual STREQUAL ARG_TARBALL_SHA256)
      file(REMOVE "${tarball}")  # a broken download is fetched again below
      file(REMOVE_RECURSE "${unpacked}")
    endif()
  endif()
  if(NOT EXISTS "${tarball}")
    find_program(APKI_NPM npm REQUIRED)
    message(STATUS "Fetching ${ARG_PACKAGE}@${ARG_VERSION} from the npm registry")
    file(MAKE_DIRECTORY "${APKI_NPM_CACHE}")
    execute_process(COMMAND "${APKI_NPM}" pack "${ARG_PACKAGE}@${ARG_VERSION}" --silent
                            --pack-destination "${APKI_NPM_CACHE}"
                    WORKING_DIRECTORY "${APKI_NPM_CACHE}"
                    RESULT_VARIABLE result OUTPUT_QUIET)
    if(NOT result EQUAL 0 OR NOT EXISTS "${tarball}")
      message(FATAL_ERROR "npm pack ${ARG_PACKAGE}@${ARG_VERSION} failed (${result})")
    endif()
    file(SHA256 "${tarball}" actual)
    if(NOT actual STREQUAL ARG_TARBALL_SHA256)
      file(REMOVE "${tarball}")
      message(FATAL_ERROR "${ARG_PACKAGE}@${ARG_VERSION}: the tarball's SHA-256 is ${actual}, "
                          "not the pinned ${ARG_TARBALL_SHA256}")
    endif()
    file(REMOVE_RECURSE "${unpacked}")
  endif()
  if(NOT EXISTS "${unpacked}")
    file(ARCHIVE_EXTRACT INPUT "${tarball}" DESTINATION "${unpacked}")
  endif()

  set(dir "${unpacked}/${ARG_DIR}")
  foreach(pair IN LISTS ARG_FILES)
    string(REPLACE "=" ";" pair "${pair}")
    list(GET pair 0 name)
    list(GET pair 1 expected)
    if(NOT EXISTS "${dir}/${name}")
      message(FATAL_ERROR "${ARG_PACKAGE}@${ARG_VERSION} holds no ${ARG_DIR}/${name}")
    endif()
    file(SHA256 "${dir}/${name}" actual)
    if(NOT actual STREQUAL expected)
      message(FATAL_ERROR "${ARG_PACKAGE}@${ARG_VERSION}: ${ARG_DIR}/${name} has SHA-256 ${actual}, "
                          "not the pinned ${expected}")
    endif()
  endforeach()
  set(${out_var} "${dir}" PARENT_SCOPE)
endfunction()
