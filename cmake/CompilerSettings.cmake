# Warnings and sanitizers shared by every target of the project.
add_compile_options(-Wall -Wextra)

if(GRAYDEN_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

if(GRAYDEN_BUILD_FUZZERS AND NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  message(FATAL_ERROR "The fuzz targets need clang (configure with CXX=clang++).")
endif()

# grayden_fuzz_instrument(target): in fuzz-enabled builds, gives a library the coverage
# instrumentation libFuzzer steers by, so the fuzzers see the code they exercise and not only
# their own sources. Other programs linked with the library get the sanitizer runtime's
# do-nothing coverage callbacks.
function(grayden_fuzz_instrument target)
  if(GRAYDEN_BUILD_FUZZERS)
    target_compile_options(${target} PRIVATE -fsanitize=fuzzer-no-link)
  endif()
endfunction()

# grayden_add_fuzzer(name SOURCES src... LIBS lib... [CORPUS dir] [RUNS n]): a libFuzzer target,
# only in fuzz-enabled builds. The test command runs it for a short fixed number of inputs,
# starting from the seed corpus when one is given; scripts/fuzz.sh runs it for longer.
function(grayden_add_fuzzer name)
  cmake_parse_arguments(FZ "" "CORPUS;RUNS" "SOURCES;LIBS" ${ARGN})
  if(NOT FZ_RUNS)
    set(FZ_RUNS 20000)
  endif()
  if(NOT GRAYDEN_BUILD_FUZZERS)
    return()
  endif()
  add_executable(${name} ${FZ_SOURCES})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_libraries(${name} PRIVATE ${FZ_LIBS})
  # New inputs go to a folder in the build tree, never into the committed seeds.
  set(work "${CMAKE_CURRENT_BINARY_DIR}/${name}-corpus")
  file(MAKE_DIRECTORY "${work}")
  add_test(NAME ${name}_short COMMAND ${name} -runs=${FZ_RUNS} -seed=1 -max_len=70000 "${work}" ${FZ_CORPUS})
endfunction()
