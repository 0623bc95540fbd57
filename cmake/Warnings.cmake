# Warnings are errors for our own code only; JUCE is included as a system library.
function(corvix_warnings target)
    target_compile_options(${target} PRIVATE
        -Wall -Wextra -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual
        -Wnull-dereference -Wformat=2 -Werror)
endfunction()
