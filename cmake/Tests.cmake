# Every test program is a GoogleTest binary whose main() initialises JUCE once (tests/support).
enable_testing()
find_package(GTest REQUIRED)
include(GoogleTest)
include(Layers)

# corvix_test(name SOURCES_DIR dir DEPENDS libs...): one test program per folder of tests/.
function(corvix_test name)
    cmake_parse_arguments(arg "" "" "DEPENDS;PRECOMPILE" ${ARGN})
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
    gtest_discover_tests(${name}
        DISCOVERY_MODE PRE_TEST
        DISCOVERY_TIMEOUT 60
        PROPERTIES TIMEOUT 300)
endfunction()
