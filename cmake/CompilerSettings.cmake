# Warnings and sanitizers shared by every target of the project.
add_compile_options(-Wall -Wextra)

if(GRAYDEN_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

if(GRAYDEN_BUILD_FUZZERS AND NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  message(FATAL_ERROR "The fuzz targets need clang (configure with CXX=clang++).")
endif()

# grayden_add_fuzzer(name source... LIBS lib...): a libFuzzer target, only in fuzz-enabled builds.
function(grayden_add_fuzzer name)
  cmake_parse_arguments(FZ "" "" "SOURCES;LIBS" ${ARGN})
  if(NOT GRAYDEN_BUILD_FUZZERS)
    return()
  endif()
  add_executable(${name} ${FZ_SOURCES})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_libraries(${name} PRIVATE ${FZ_LIBS})
endfunction()
