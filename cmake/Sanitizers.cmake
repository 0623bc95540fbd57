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
