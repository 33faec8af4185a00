# Runs a script that must fail and checks the exit code and the "FILE:LINE: …" message that
# the script's first line announces ("# fails: LINE: TEXT").
file(STRINGS ${SCRIPT} first LIMIT_COUNT 1)
string(REGEX REPLACE "^# fails: " "" expected "${first}")
execute_process(COMMAND ${PROGRAM} script ${SCRIPT} RESULT_VARIABLE rc OUTPUT_VARIABLE out
                ERROR_VARIABLE err)
if(NOT rc EQUAL 1)
    message(FATAL_ERROR "exit code ${rc} instead of 1; output:\n${out}${err}")
endif()
string(FIND "${err}" "${SCRIPT}:${expected}" at)
if(at EQUAL -1)
    message(FATAL_ERROR "expected \"${SCRIPT}:${expected}\" in the error output, got:\n${err}")
endif()
