# The sanitizer build instruments everything, the framework included, so that a fault that crosses
# into JUCE code is still reported where it happens.
if(CORVIX_SANITIZE)
    set(CORVIX_SANITIZER_FLAGS
        -fsanitize=address,undefined
        -fno-sanitize-recover=all
        -fno-omit-frame-pointer)
    add_compile_options(${CORVIX_SANITIZER_FLAGS})
    add_link_options(-fsanitize=address,undefined)
endif()

# The fuzz build (clang only) instruments everything for libFuzzer's coverage as well; only the fuzz
# targets link libFuzzer's main().
option(CORVIX_FUZZ "Build the fuzz targets with libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(CORVIX_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
        message(FATAL_ERROR "The fuzz build needs clang (scripts/build.sh fuzz chooses it)")
    endif()
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()
