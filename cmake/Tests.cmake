# Every test program is a GoogleTest binary whose main() initialises JUCE once (tests/support).
enable_testing()
find_package(GTest REQUIRED)
include(GoogleTest)
include(Layers)

# corvix_test(name DEPENDS libs... [LOCK name] [SERIAL]): one test program per folder of tests/.
# LOCK names state that the tests share with other programs' tests (the X server's system-tray
# selection, for instance): CTest then never runs two tests holding the same lock at once.
# SERIAL runs each test of the program alone: for tests that start the real program as a process,
# whose start-up deadlines a fully loaded machine would otherwise decide.
# ALONE takes a GoogleTest filter of tests that run alone although the rest of the program does not:
# tests of which window has the keyboard, which any other program's window opening on the shared
# virtual display would take away.
function(corvix_test name)
    cmake_parse_arguments(arg "SERIAL" "LOCK;ALONE" "DEPENDS;PRECOMPILE" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp")
    if(NOT sources)
        message(STATUS "${name}: no test sources yet")
        return()
    endif()
    add_executable(${name} ${sources})
    target_link_libraries(${name} PRIVATE corvix_test_support ${arg_DEPENDS} GTest::gtest GTest::gmock)
    if(arg_PRECOMPILE)
        target_precompile_headers(${name} PRIVATE ${arg_PRECOMPILE})
    endif()
    corvix_warnings(${name})
    set(properties TIMEOUT 300)
    if(arg_LOCK)
        list(APPEND properties RESOURCE_LOCK ${arg_LOCK})
    endif()
    if(arg_SERIAL)
        list(APPEND properties RUN_SERIAL TRUE)
    endif()
    if(CORVIX_WINE)
        corvix_wine_test(${name} ${properties})
        return()
    endif()
    if(arg_ALONE)
        gtest_discover_tests(${name}
            DISCOVERY_MODE PRE_TEST
            DISCOVERY_TIMEOUT 60
            TEST_FILTER "${arg_ALONE}"
            PROPERTIES ${properties} RUN_SERIAL TRUE)
        set(filter "-${arg_ALONE}")
    else()
        set(filter "*")
    endif()
    gtest_discover_tests(${name}
        DISCOVERY_MODE PRE_TEST
        DISCOVERY_TIMEOUT 60
        TEST_FILTER "${filter}"
        PROPERTIES ${properties})
endfunction()

# The Windows build's tests run under Wine. A Wine start costs seconds, so each test program is
# one test of CTest, run whole in one Wine process; the runner reports the program's skipped
# tests and their reasons. Every program shares one Wine prefix in the build folder, made by the
# first test (the first start of a fresh prefix takes the longest).
if(CORVIX_WINE)
    set(CORVIX_WINE_PREFIX "${CMAKE_BINARY_DIR}/wine-prefix")
    set(CORVIX_WINE_ENVIRONMENT "WINEPREFIX=${CORVIX_WINE_PREFIX}" "WINEDEBUG=-all" "WINEDLLOVERRIDES=mscoree,mshtml=")
    add_test(NAME WinePrefix
             COMMAND "${CMAKE_COMMAND}" "-DWINE=${CORVIX_WINE}" -P "${PROJECT_SOURCE_DIR}/cmake/MakeWinePrefix.cmake")
    set_tests_properties(WinePrefix PROPERTIES FIXTURES_SETUP wine_prefix TIMEOUT 300
                         ENVIRONMENT "${CORVIX_WINE_ENVIRONMENT}")
endif()

function(corvix_wine_test name)
    add_test(NAME ${name}
             COMMAND "${CMAKE_COMMAND}" "-DWINE=${CORVIX_WINE}" "-DPROGRAM=$<TARGET_FILE:${name}>"
                     "-DREPORT=${CMAKE_BINARY_DIR}/Testing/skipped/${name}.txt"
                     -P "${PROJECT_SOURCE_DIR}/cmake/RunUnderWine.cmake")
    # A whole program's tests in one run: the longest take minutes under Wine.
    set(properties ${ARGN})
    list(TRANSFORM properties REPLACE "^300$" "1800")
    set_tests_properties(${name} PROPERTIES ${properties} FIXTURES_REQUIRED wine_prefix
                         ENVIRONMENT "${CORVIX_WINE_ENVIRONMENT}")
endfunction()
