# The one version number: project(VERSION) in the top CMakeLists.txt. It reaches each
# program's version resource (below), the manifest, the setup and the archive's names.
# Parts left out of project(VERSION) count as 0.
set(apki_version_parts)
foreach(part MAJOR MINOR PATCH)
  if(PROJECT_VERSION_${part} STREQUAL "")
    list(APPEND apki_version_parts 0)
  else()
    list(APPEND apki_version_parts ${PROJECT_VERSION_${part}})
  endif()
endforeach()
list(JOIN apki_version_parts "." APKI_VERSION)
# Four parts, as Windows shows a file's version.
set(APKI_VERSION_DOTS "${APKI_VERSION}.0")
string(REPLACE "." "," APKI_VERSION_COMMAS "${APKI_VERSION_DOTS}")
# Shown as the publisher in Add/Remove Programs and as the copyright of every program.
set(APKI_PUBLISHER "ApkInstaller developers")

# apki_version_resource(<target> <file name> <description>): links a version resource
# naming the file and the description into the target.
function(apki_version_resource target file description)
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "SHARED_LIBRARY")
    set(APKI_VERSION_FILE_TYPE VFT_DLL)
  else()
    set(APKI_VERSION_FILE_TYPE VFT_APP)
  endif()
  set(APKI_VERSION_FILE "${file}")
  set(APKI_VERSION_DESCRIPTION "${description}")
  get_filename_component(APKI_VERSION_INTERNAL "${file}" NAME_WE)
  set(rc "${CMAKE_CURRENT_BINARY_DIR}/${target}.version.rc")
  configure_file(${PROJECT_SOURCE_DIR}/resources/Version.rc.in "${rc}" @ONLY)
  target_sources(${target} PRIVATE "${rc}")
endfunction()
