# Runs core_differential natively and, built for another platform, under the program that runs
# it there (Node for WebAssembly, qemu for arm64) on the same seed and count, and compares the two
# outputs. On a difference it runs the first differing block again on both sides and prints the
# first case whose results differ.
#   cmake -DNATIVE=... -DOTHER=... -DRUNNER=... -DOTHER_NAME=... -DSEED=... -DCOUNT=...
#         -P compare.cmake
cmake_minimum_required(VERSION 3.25)

function(run_side label output)
    string(TIMESTAMP started "%s")
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE text
                    ERROR_VARIABLE errors)
    string(TIMESTAMP finished "%s")
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${label} run failed (${status}): ${errors}")
    endif()
    math(EXPR seconds "${finished} - ${started}")
    message(STATUS "${label}: ${seconds} s")
    set(${output} "${text}" PARENT_SCOPE)
endfunction()

# The first line in which two outputs differ, or -1.
function(first_difference a b output)
    string(REPLACE "\n" ";" a_lines "${a}")
    string(REPLACE "\n" ";" b_lines "${b}")
    list(LENGTH a_lines a_count)
    list(LENGTH b_lines b_count)
    set(index 0)
    while(index LESS a_count AND index LESS b_count)
        list(GET a_lines ${index} a_line)
        list(GET b_lines ${index} b_line)
        if(NOT a_line STREQUAL b_line)
            set(${output} ${index} PARENT_SCOPE)
            set(native_line "${a_line}" PARENT_SCOPE)
            set(other_line "${b_line}" PARENT_SCOPE)
            return()
        endif()
        math(EXPR index "${index} + 1")
    endwhile()
    if(a_count EQUAL b_count)
        set(${output} -1 PARENT_SCOPE)
    else()
        set(${output} ${index} PARENT_SCOPE)
        set(native_line "(${a_count} lines)" PARENT_SCOPE)
        set(other_line "(${b_count} lines)" PARENT_SCOPE)
    endif()
endfunction()

run_side("native" native ${NATIVE} ${SEED} ${COUNT})
run_side("${OTHER_NAME}" other ${RUNNER} ${OTHER} ${SEED} ${COUNT})

first_difference("${native}" "${other}" line)
if(line EQUAL -1)
    string(REGEX MATCH "[^\n]*cases:[^\n]*" summary "${native}")
    message(STATUS "no difference in ${summary}")
    return()
endif()

if(NOT native_line MATCHES "^block ([0-9]+) ")
    message(FATAL_ERROR "the outputs differ at line ${line}:\n  native: ${native_line}\n"
                        "  ${OTHER_NAME}: ${other_line}")
endif()
set(block ${CMAKE_MATCH_1})
run_side("native, block ${block}" native ${NATIVE} ${SEED} ${COUNT} ${block})
run_side("${OTHER_NAME}, block ${block}" other ${RUNNER} ${OTHER} ${SEED} ${COUNT} ${block})
first_difference("${native}" "${other}" line)
if(line EQUAL -1)
    message(FATAL_ERROR "block ${block} has different digests but the same cases on a second run")
endif()
message(FATAL_ERROR "the native core and the core built for ${OTHER_NAME} differ in block "
                    "${block}:\n  native: ${native_line}\n  ${OTHER_NAME}: ${other_line}")
