# Warnings and sanitizers for every target of the project.
add_compile_options(-Wall -Wextra -Wpedantic -Wshadow=local -Wnon-virtual-dtor)
if(LUMORA_WERROR)
  add_compile_options(-Werror)
endif()
if(LUMORA_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
if(LUMORA_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "LUMORA_FUZZ needs clang++ (-DCMAKE_CXX_COMPILER=clang++)")
  endif()
  # Every library the fuzz targets reach is instrumented for coverage and checked.
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined
                      -fno-omit-frame-pointer -Wno-unknown-warning-option)
  add_link_options(-fsanitize=address,undefined)
endif()
