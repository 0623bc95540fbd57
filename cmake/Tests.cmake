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
# WINE_SHARDS splits the program, under Wine, into that many processes run side by side (see below).
function(corvix_test name)
    cmake_parse_arguments(arg "SERIAL" "LOCK;ALONE;WINE_SHARDS" "DEPENDS;PRECOMPILE" ${ARGN})
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
        corvix_wine_test(${name} "${arg_WINE_SHARDS}" "${arg_ALONE}" ${properties})
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

# The Windows build's tests run under Wine. A Wine start costs seconds, so a test program is not
# split into one CTest test per test as on Linux: it runs whole in one Wine process, or, when its
# tests take minutes under Wine, in WINE_SHARDS processes side by side, each a GoogleTest shard
# (GTEST_TOTAL_SHARDS, GTEST_SHARD_INDEX) of the program; its ALONE tests run in a process of their
# own, with nothing else running. The runner reports each process's skipped tests and their
# reasons. Every process shares one Wine prefix in the build folder, and so one wineserver, which
# serves any number of processes; the prefix is made by a test of its own that all the others
# require, so that processes started side by side never race to make it (the first start of a
# fresh prefix takes the longest).
if(CORVIX_WINE)
    set(CORVIX_WINE_PREFIX "${CMAKE_BINARY_DIR}/wine-prefix")
    set(CORVIX_WINE_ENVIRONMENT "WINEPREFIX=${CORVIX_WINE_PREFIX}" "WINEDEBUG=-all" "WINEDLLOVERRIDES=mscoree,mshtml=")
    add_test(NAME WinePrefix
             COMMAND "${CMAKE_COMMAND}" "-DWINE=${CORVIX_WINE}" -P "${PROJECT_SOURCE_DIR}/cmake/MakeWinePrefix.cmake")
    set_tests_properties(WinePrefix PROPERTIES FIXTURES_SETUP wine_prefix TIMEOUT 300
                         ENVIRONMENT "${CORVIX_WINE_ENVIRONMENT}")
endif()

# corvix_wine_test(name shards alone properties...): the CTest tests of one program under Wine:
# "name" (all its tests), or "name.shard1" ... "name.shardN"; and "name.alone" for its ALONE tests.
function(corvix_wine_test name shards alone)
    # A whole program's tests, or a shard's, in one run: the longest take a minute or two under
    # Wine, beside other builds, so ten minutes is only a hang guard.
    set(properties ${ARGN})
    list(TRANSFORM properties REPLACE "^300$" "600")
    set(filter "*")
    if(alone)
        corvix_wine_process(${name} ${name}.alone "${alone}" "" ${properties} RUN_SERIAL TRUE)
        set(filter "-${alone}")
    endif()
    if(NOT shards OR shards LESS_EQUAL 1)
        corvix_wine_process(${name} ${name} "${filter}" "" ${properties})
        return()
    endif()
    math(EXPR last "${shards} - 1")
    foreach(index RANGE ${last})
        math(EXPR number "${index} + 1")
        corvix_wine_process(${name} ${name}.shard${number} "${filter}"
                            "GTEST_TOTAL_SHARDS=${shards};GTEST_SHARD_INDEX=${index}" ${properties})
    endforeach()
endfunction()

# One Wine process of a test program: the tests of the GoogleTest filter, of the shard that the
# environment names.
function(corvix_wine_process program test filter environment)
    list(PREPEND environment ${CORVIX_WINE_ENVIRONMENT})
    add_test(NAME ${test}
             COMMAND "${CMAKE_COMMAND}" "-DWINE=${CORVIX_WINE}" "-DPROGRAM=$<TARGET_FILE:${program}>"
                     "-DFILTER=${filter}" "-DREPORT=${CMAKE_BINARY_DIR}/Testing/skipped/${test}.txt"
                     -P "${PROJECT_SOURCE_DIR}/cmake/RunUnderWine.cmake")
    set_tests_properties(${test} PROPERTIES ${ARGN} FIXTURES_REQUIRED wine_prefix
                         ENVIRONMENT "${environment}")
endfunction()
