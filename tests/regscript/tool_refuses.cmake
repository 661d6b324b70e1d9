# quellin-regscript exits with 2 and a message when it cannot run at all.
set(bad_store ${WORK}/malformed.reg)
file(WRITE ${bad_store} "\"v\"=\"a value before any key\"\n")
set(script ${SOURCE}/resources/quellin.rgs)
foreach(args IN ITEMS
    "register"
    "both;${script}"
    "register;${WORK}/missing.rgs"
    "register;${WORK}"
    "register;${script};--store;${WORK}/missing.reg"
    "register;${script};--store;${bad_store}"
    "register;${script};--module"
    "register;${script};--verbose")
  execute_process(COMMAND ${TOOL} ${args} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 2 OR err STREQUAL "" OR NOT out STREQUAL "")
    message(FATAL_ERROR "quellin-regscript ${args}: status ${status}, output '${out}', message '${err}'")
  endif()
endforeach()
