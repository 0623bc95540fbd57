# Run by the Windows build's first test: makes (or brings up to date) the Wine prefix named by
# WINEPREFIX and waits until Wine has finished with it, so that the test programs started next
# find it ready. cmake -DWINE=<wine> -P MakeWinePrefix.cmake
cmake_minimum_required(VERSION 3.22)
get_filename_component(wine_dir "${WINE}" DIRECTORY)
find_program(wineserver NAMES wineserver64 wineserver PATHS "${wine_dir}" NO_DEFAULT_PATH)
if(NOT wineserver)
    find_program(wineserver NAMES wineserver64 wineserver REQUIRED)
endif()

execute_process(COMMAND "${WINE}" wineboot --init RESULT_VARIABLE booted OUTPUT_QUIET ERROR_QUIET)
execute_process(COMMAND "${wineserver}" --wait)
if(NOT booted EQUAL 0)
    message(FATAL_ERROR "Wine could not make its prefix $ENV{WINEPREFIX} (${booted})")
endif()
message(STATUS "Wine prefix ready: $ENV{WINEPREFIX}")
