# Runs one test program of the Windows build under Wine, the tests of the GoogleTest FILTER (all
# by default) in one process, and passes on its output and exit status. A shard of the program
# runs only its share of them: GoogleTest reads which from GTEST_TOTAL_SHARDS and
# GTEST_SHARD_INDEX, which Wine passes on. The tests it skipped (each prints its reason) are
# counted and listed in REPORT, from which scripts/windows-skipped.sh sums up the run.
# cmake -DWINE=<wine> -DPROGRAM=<program.exe> -DREPORT=<file> [-DFILTER=<filter>]
#       [-DDESKTOP_SIZE=<width>x<height>] -P RunUnderWine.cmake
cmake_minimum_required(VERSION 3.22)
get_filename_component(folder "${PROGRAM}" DIRECTORY)
# The program, or the shard of it ("corvix_editor_tests.shard2") that the report is named after.
get_filename_component(program "${REPORT}" NAME_WLE)
if(NOT FILTER)
    set(FILTER "*")
endif()
if(NOT DESKTOP_SIZE)
    set(DESKTOP_SIZE "1280x1024") # the screen of the virtual X server that scripts/test.sh starts
endif()

# Each process in a Wine desktop of its own. Processes side by side share the one wineserver of
# the prefix, and with it, in one desktop, the order of all their windows: Windows asks that
# order which window lies under a point, so a test's window that another process's window covers
# would not get the mouse events the test sends it. Wine puts a program into the desktop that its
# file name is given, so each process runs the program under a name of its own, a hard link.
get_filename_component(extension "${PROGRAM}" LAST_EXT)
set(named "${folder}/${program}${extension}")
if(NOT named STREQUAL PROGRAM)
    file(REMOVE "${named}")
    file(CREATE_LINK "${PROGRAM}" "${named}" COPY_ON_ERROR)
endif()
get_filename_component(named_file "${named}" NAME)
foreach(setting IN ITEMS "AppDefaults\\${named_file}\\Explorer;Desktop;${program}"
                         "Explorer\\Desktops;${program};${DESKTOP_SIZE}")
    list(GET setting 0 key)
    list(GET setting 1 name)
    list(GET setting 2 value)
    execute_process(COMMAND "${WINE}" reg add "HKCU\\Software\\Wine\\${key}" /v "${name}" /d "${value}" /f
                    RESULT_VARIABLE registered OUTPUT_QUIET ERROR_QUIET)
    if(NOT registered EQUAL 0)
        message(FATAL_ERROR "Wine could not give ${program} a desktop of its own (${registered})")
    endif()
endforeach()

# Into files, not pipes: the Wine services a start brings up inherit the pipes and outlive the
# program, so a pipe would stay open long after the program ended.
set(log "${REPORT}.out")
get_filename_component(report_folder "${REPORT}" DIRECTORY)
file(MAKE_DIRECTORY "${report_folder}")
execute_process(COMMAND "${WINE}" "${named}" --gtest_color=no "--gtest_filter=${FILTER}"
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
