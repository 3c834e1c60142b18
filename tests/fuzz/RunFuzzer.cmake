# Runs one fuzz target for a fixed time on a fresh copy of its seed corpus:
#   cmake -DFUZZER=<binary> -DSEEDS=<seed folder> -DWORK=<scratch folder> -DSECONDS=<n>
#         -DINPUT_SECONDS=<n> -P RunFuzzer.cmake
# The checked-in seeds are never written to. What the run finds is kept in WORK/corpus;
# an input that crashed, broke an invariant or hung is kept in WORK/ and named in the output.
foreach(variable FUZZER SEEDS WORK SECONDS INPUT_SECONDS)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "RunFuzzer.cmake needs -D${variable}=...")
  endif()
endforeach()
if(NOT IS_DIRECTORY "${SEEDS}")
  message(FATAL_ERROR "no seed corpus at ${SEEDS}")
endif()

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/corpus")
file(COPY "${SEEDS}/" DESTINATION "${WORK}/corpus")

execute_process(
  COMMAND "${FUZZER}" -max_total_time=${SECONDS} -timeout=${INPUT_SECONDS} -print_final_stats=1
          -artifact_prefix=${WORK}/ "${WORK}/corpus"
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  file(GLOB found "${WORK}/crash-*" "${WORK}/leak-*" "${WORK}/timeout-*" "${WORK}/oom-*" "${WORK}/slow-unit-*")
  message(FATAL_ERROR "${FUZZER} failed (${status}); reproduce with: ${FUZZER} <file>, files: ${found}")
endif()
