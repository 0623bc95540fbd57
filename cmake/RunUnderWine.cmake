# Runs one test program of the Windows build under Wine, all its tests in one process, and passes
# on its output and exit status. The tests it skipped (each prints its reason) are counted and
# listed in REPORT, from which scripts/test.sh sums up the run.
# cmake -DWINE=<wine> -DPROGRAM=<program.exe> -DREPORT=<file> -P RunUnderWine.cmake
cmake_minimum_required(VERSION 3.22)
get_filename_component(folder "${PROGRAM}" DIRECTORY)
get_filename_component(program "${PROGRAM}" NAME_WE)

# Into files, not pipes: the Wine services a start brings up inherit the pipes and outlive the
# program, so a pipe would stay open long after the program ended.
set(log "${REPORT}.out")
get_filename_component(report_folder "${REPORT}" DIRECTORY)
file(MAKE_DIRECTORY "${report_folder}")
execute_process(COMMAND "${WINE}" "${PROGRAM}" --gtest_color=no
                WORKING_DIRECTORY "${folder}"
                OUTPUT_FILE "${log}" ERROR_FILE "${log}.errors" RESULT_VARIABLE status)
file(READ "${log}" output)
file(READ "${log}.errors" errors)
message("${output}")
if(errors)
    # Wine's own complaints (no sound card, no window manager) are kept out of the way.
    string(REGEX REPLACE "(^|\n)(ALSA lib|[0-9a-f]+:(fixme|err|warn)|wine: |MESA)[^\n]*" "" errors "${errors}")
    string(STRIP "${errors}" errors)
    if(errors)
        message("${errors}")
    endif()
endif()

# "[  SKIPPED ] Suite.Name (12 ms)" once per skipped test, before the summary repeats them.
string(REGEX MATCHALL "\n\\[  SKIPPED \\] [A-Za-z0-9_/.]+ \\([0-9]+ ms\\)" skipped "${output}")
list(LENGTH skipped count)
set(report "")
foreach(line IN LISTS skipped)
    string(REGEX REPLACE "^\n\\[  SKIPPED \\] ([^ ]+).*" "\\1" test "${line}")
    # The reason is the line after "file:line: Skipped" in that test's own output.
    set(reason "")
    string(FIND "${output}" "[ RUN      ] ${test}\n" start)
    if(start GREATER_EQUAL 0)
        string(SUBSTRING "${output}" ${start} -1 section)
        string(FIND "${section}" "${line}" end)
        string(SUBSTRING "${section}" 0 ${end} section)
        if(section MATCHES ": Skipped\n([^\n]*)")
            set(reason "${CMAKE_MATCH_1}")
        endif()
    endif()
    string(APPEND report "${test}: ${reason}\n")
endforeach()
file(WRITE "${REPORT}" "${report}")
message("${program}: ${count} skipped under Wine")

if(NOT status EQUAL 0)
    message(FATAL_ERROR "${program} failed under Wine (${status})")
endif()
