# Fails unless each library (LIBRARIES, separated by '|') carries libFuzzer's coverage
# counters, so the fuzzers linked with it see its code. Run with -DNM=<nm> -DLIBRARIES=a|b.
string(REPLACE "|" ";" libraries "${LIBRARIES}")
foreach(library IN LISTS libraries)
  execute_process(COMMAND "${NM}" "${library}" OUTPUT_VARIABLE symbols ERROR_QUIET RESULT_VARIABLE result)
  if(NOT result EQUAL 0 OR NOT symbols MATCHES "__sanitizer_cov_8bit_counters_init")
    message(FATAL_ERROR "${library} is not instrumented for coverage-guided fuzzing")
  endif()
endforeach()
