# Warnings are errors for our own code only; JUCE is included as a system library.
function(corvix_warnings target)
    target_compile_options(${target} PRIVATE
        -Wall -Wextra -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual
        -Wnull-dereference -Wformat=2)
    # The release and sanitizer builds hold the line; the fuzz build, made with another compiler,
    # shows its warnings without failing on them.
    if(NOT CORVIX_FUZZ)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()
