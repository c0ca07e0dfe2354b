# Runs one fuzz target as a test:
#   cmake -DFUZZER=<executable> -DSEEDS=<seed folder> -DWORK=<scratch folder> "-DARGS=<a;b;c>"
#         -P runfuzz.cmake
# The seeds are copied into a fresh corpus folder under WORK first: libFuzzer adds the inputs it
# finds to its corpus folder, and neither the source tree nor the next run may see them. A crash,
# a leak, a hang or an exception other than the system's own fails the test; the input that did
# it is left in WORK/artifacts/.
foreach(_var FUZZER SEEDS WORK)
  if(NOT DEFINED ${_var} OR "${${_var}}" STREQUAL "")
    message(FATAL_ERROR "runfuzz.cmake: ${_var} is not set")
  endif()
endforeach()
if(NOT EXISTS "${FUZZER}")
  message(FATAL_ERROR "runfuzz.cmake: no fuzz target at ${FUZZER} (build the fuzz build first)")
endif()

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/corpus" "${WORK}/artifacts")
if(IS_DIRECTORY "${SEEDS}")
  file(GLOB _seeds "${SEEDS}/*")
  if(_seeds)
    file(COPY ${_seeds} DESTINATION "${WORK}/corpus")
  endif()
endif()

execute_process(COMMAND "${FUZZER}" ${ARGS} "-artifact_prefix=${WORK}/artifacts/"
                        "${WORK}/corpus"
                WORKING_DIRECTORY "${WORK}"
                RESULT_VARIABLE _result)
if(NOT _result EQUAL 0)
  message(FATAL_ERROR "${FUZZER} failed (${_result}); the input is in ${WORK}/artifacts/")
endif()
