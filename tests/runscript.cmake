# Runs one script test. The test file says what it expects in comments:
#   // args: WORDS        the command line after the program name (default: -load FILE);
#                         %F stands for the test file, %D for its folder (also in
#                         the expected output), %B for the tests' build folder (also in
#                         the expected output), %E for the examples folder
#   // env: NAME=VALUE    environment for the run (several allowed)
#   // status: N          the exit status (default 0)
#   /*=== ... ===*/       the exact standard output (default: none)
#   /*=== stderr ... ===*/ the exact standard error (default: none)
# The text between the marker line and "===*/" is compared byte for byte, so output without a
# final line end is written with "===*/" right after its last character.
# The program runs in a fresh scratch folder with no standard input; the path it was run by is
# written "brindle" in the expected standard error.

file(READ "${SCRIPT}" text)
get_filename_component(folder "${SCRIPT}" DIRECTORY)

set(status 0)
if(text MATCHES "// status: (-?[0-9]+)")
    set(status "${CMAKE_MATCH_1}")
endif()

set(args -load "${SCRIPT}")
if(text MATCHES "// args:([^\n]*)")
    string(REPLACE "%F" "${SCRIPT}" line "${CMAKE_MATCH_1}")
    string(REPLACE "%D" "${folder}" line "${line}")
    string(REPLACE "%B" "${BUILD_FOLDER}" line "${line}")
    string(REPLACE "%E" "${EXAMPLES}" line "${line}")
    separate_arguments(args UNIX_COMMAND "${line}")
endif()

set(env)
string(REGEX MATCHALL "// env: [^\n]*" env_lines "${text}")
foreach(env_line ${env_lines})
    string(REGEX REPLACE "^// env: " "" assignment "${env_line}")
    list(APPEND env "${assignment}")
endforeach()

function(expected_block marker out)
    set(block "")
    string(FIND "${text}" "${marker}\n" start)
    if(start GREATER -1)
        string(LENGTH "${marker}\n" marker_length)
        math(EXPR start "${start} + ${marker_length}")
        string(SUBSTRING "${text}" ${start} -1 rest)
        string(FIND "${rest}" "===*/" end)
        string(SUBSTRING "${rest}" 0 ${end} block)
    endif()
    set(${out} "${block}" PARENT_SCOPE)
endfunction()
expected_block("/*===" expected_stdout)
expected_block("/*=== stderr" expected_stderr)
string(REPLACE "%D" "${folder}" expected_stdout "${expected_stdout}")
string(REPLACE "%D" "${folder}" expected_stderr "${expected_stderr}")
string(REPLACE "%B" "${BUILD_FOLDER}" expected_stdout "${expected_stdout}")

file(REMOVE_RECURSE "${SCRATCH}")
file(MAKE_DIRECTORY "${SCRATCH}")
execute_process(
    COMMAND ${CMAKE_COMMAND} -E env ${env} "${BRINDLE}" ${args}
    WORKING_DIRECTORY "${SCRATCH}"
    INPUT_FILE /dev/null
    OUTPUT_VARIABLE actual_stdout
    ERROR_VARIABLE actual_stderr
    RESULT_VARIABLE actual_status
    TIMEOUT 120)

# Messages start with the program name as it was run; tests expect plain "brindle".
string(REPLACE "${BRINDLE}" "brindle" actual_stderr "${actual_stderr}")

set(failed FALSE)
if(NOT "${actual_status}" STREQUAL "${status}")
    message("exit status: expected ${status}, got ${actual_status}")
    set(failed TRUE)
endif()
if(NOT "${actual_stdout}" STREQUAL "${expected_stdout}")
    message("standard output differs.\n--- expected\n${expected_stdout}\n--- actual\n${actual_stdout}\n---")
    set(failed TRUE)
endif()
if(NOT "${actual_stderr}" STREQUAL "${expected_stderr}")
    message("standard error differs.\n--- expected\n${expected_stderr}\n--- actual\n${actual_stderr}\n---")
    set(failed TRUE)
endif()
if(failed)
    message(FATAL_ERROR "script test failed: ${SCRIPT}")
endif()
