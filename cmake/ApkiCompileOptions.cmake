# Compiler settings shared by every target of the project.
add_library(apki_options INTERFACE)

if(MSVC)
  target_compile_options(apki_options INTERFACE /W4 /permissive- /utf-8)
else()
  target_compile_options(apki_options INTERFACE -Wall -Wextra -Wpedantic -Wshadow -Wno-missing-field-initializers)
endif()

if(WIN32)
  target_compile_definitions(apki_options INTERFACE
    UNICODE _UNICODE NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
endif()

if(APKI_SANITIZE AND NOT MSVC)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# Programs whose entry point is wmain or wWinMain. MSVC finds them by itself; mingw-w64
# has to be told.
function(apki_wide_entry target)
  if(MINGW)
    target_link_options(${target} PRIVATE -municode)
  endif()
endfunction()

# Fuzz builds instrument every library too, so that libFuzzer sees the coverage of the
# code under test and not only of the small target functions.
if(APKI_FUZZ AND NOT MSVC)
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
