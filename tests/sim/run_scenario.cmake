# Plays one scenario through quellin-sim and compares what it prints with the files beside
# the scenario: NAME.out for standard output, and, for a scenario that must be refused,
# NAME.err for standard error (its exit status is then 2, otherwise 0).
#   cmake -DSIM=<quellin-sim> -DSCENARIO=<NAME.scn> -DWORK_DIR=<dir> -P run_scenario.cmake
get_filename_component(dir ${SCENARIO} DIRECTORY)
get_filename_component(name ${SCENARIO} NAME_WE)
set(base ${dir}/${name})

execute_process(COMMAND ${SIM} INPUT_FILE ${SCENARIO}
  OUTPUT_VARIABLE actual_out ERROR_VARIABLE actual_err RESULT_VARIABLE actual_status)

file(READ ${base}.out expected_out)
set(expected_status 0)
set(expected_err "")
if(EXISTS ${base}.err)
  set(expected_status 2)
  file(READ ${base}.err expected_err)
endif()

set(failed FALSE)
if(NOT actual_status STREQUAL expected_status)
  message(SEND_ERROR "${name}: exit status ${actual_status}, expected ${expected_status}\n${actual_err}")
  set(failed TRUE)
endif()
set(label_out "standard output")
set(label_err "standard error")
foreach(stream out err)
  if(NOT actual_${stream} STREQUAL expected_${stream})
    file(MAKE_DIRECTORY ${WORK_DIR})
    set(actual_file ${WORK_DIR}/${name}.${stream})
    file(WRITE ${actual_file} "${actual_${stream}}")
    execute_process(COMMAND diff -u ${base}.${stream} ${actual_file} OUTPUT_VARIABLE difference)
    message(SEND_ERROR "${name}: ${label_${stream}} differs from ${name}.${stream}\n${difference}")
    set(failed TRUE)
  endif()
endforeach()
if(failed)
  message(FATAL_ERROR "${name}: scenario failed")
endif()
