# Checks that each build of the counter output reader keeps everything it
# defines to itself but its entry point (core/CounterOutputReader.ipp says
# why): `nm` must list exactly one defined global symbol per object.
#   cmake -DNM=<nm> -DOBJECTS=<a.o;b.o> -P ReaderIsolation.cmake
foreach(object IN LISTS OBJECTS)
  get_filename_component(name ${object} NAME_WE)
  string(REGEX REPLACE "^CounterOutputReader-" "" kernel ${name})
  execute_process(COMMAND ${NM} --defined-only --extern-only --format=posix ${object}
                  OUTPUT_VARIABLE listed RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${NM} could not read ${object}")
  endif()
  string(REGEX REPLACE "\n$" "" listed "${listed}")
  string(REPLACE "\n" ";" symbols "${listed}")
  set(expected "qm_read_counter_output_${kernel} T")
  list(LENGTH symbols count)
  if(NOT count EQUAL 1)
    message(FATAL_ERROR "${object} shares more than its entry point:\n${listed}")
  endif()
  string(FIND "${symbols}" "${expected}" at)
  if(NOT at EQUAL 0)
    message(FATAL_ERROR "${object} defines ${symbols}, not ${expected}")
  endif()
  message(STATUS "${kernel}: only ${expected}")
endforeach()
