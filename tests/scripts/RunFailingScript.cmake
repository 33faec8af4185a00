# Runs a script that must fail and checks the exit code and the "FILE:LINE: …" message that
# the script's first line announces ("# fails: LINE: TEXT"). A second line "# timeout: N" runs
# it with a watchdog of N seconds.
file(STRINGS ${SCRIPT} head LIMIT_COUNT 2 ENCODING UTF-8)
list(GET head 0 first)
string(REGEX REPLACE "^# fails: " "" expected "${first}")
list(GET head 1 second)
if(second MATCHES "^# timeout: ([0-9]+)")
    set(ENV{ORVELIN_SCRIPT_TIMEOUT} ${CMAKE_MATCH_1})
endif()
execute_process(COMMAND ${PROGRAM} script ${SCRIPT} RESULT_VARIABLE rc OUTPUT_VARIABLE out
                ERROR_VARIABLE err)
if(NOT rc EQUAL 1)
    message(FATAL_ERROR "exit code ${rc} instead of 1; output:\n${out}${err}")
endif()
string(FIND "${err}" "${SCRIPT}:${expected}" at)
if(at EQUAL -1)
    message(FATAL_ERROR "expected \"${SCRIPT}:${expected}\" in the error output, got:\n${err}")
endif()
