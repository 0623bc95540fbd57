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

# The virtual X server has no window manager. Wine hands a window it lets a manager manage to
# that manager and waits for it, a second at each time the window is shown or hidden, before it
# gives up: some ten seconds for each dialog a test opens. Wine manages its windows itself instead.
execute_process(COMMAND "${WINE}" reg add "HKCU\\Software\\Wine\\X11 Driver" /v Managed /d N /f
                RESULT_VARIABLE unmanaged OUTPUT_QUIET ERROR_QUIET)
execute_process(COMMAND "${wineserver}" --wait)
if(NOT unmanaged EQUAL 0)
    message(FATAL_ERROR "Wine could not set up its prefix $ENV{WINEPREFIX} (${unmanaged})")
endif()
message(STATUS "Wine prefix ready: $ENV{WINEPREFIX}")
