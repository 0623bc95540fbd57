# corvix_build_date(library): defines the about box's buildDate() (editor/AboutBox.h) in the library:
# the day of the build that made it.
# Not the compiler's __DATE__: the compiler cache is told to ignore that macro (juce_core expands
# it everywhere), so an object cached on one day would carry that day into every later build. The
# day is written instead, at every build, into a source of the build folder, which changes (and so
# is compiled again and relinked) only when the day has.
function(corvix_build_date library)
    set(source "${CMAKE_CURRENT_BINARY_DIR}/${library}_BuildDate.cpp")
    add_custom_target(${library}_build_date
        COMMAND "${CMAKE_COMMAND}" "-DOUTPUT=${source}" -P "${PROJECT_SOURCE_DIR}/cmake/WriteBuildDate.cmake"
        BYPRODUCTS "${source}"
        VERBATIM)
    target_sources(${library} PRIVATE "${source}")
    add_dependencies(${library} ${library}_build_date)
endfunction()
