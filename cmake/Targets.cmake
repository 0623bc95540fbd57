# Paths of the build machine compiled into programs (the source tree, a test's helper program)
# are prefixed with this: empty, or in the Windows build, which runs under Wine, the drive that
# Wine maps the build machine's root to.
if(WIN32 AND CMAKE_CROSSCOMPILING)
    set(CORVIX_HOST_PATH "Z:")
else()
    set(CORVIX_HOST_PATH "")
endif()

# One static library per folder. Sources are the folder's .cpp files; the repository root is the
# include root, so a header is always included by its folder: #include "platform/WaitRoutines.h".
function(corvix_library name)
    cmake_parse_arguments(arg "" "" "DEPENDS;PRECOMPILE" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp")
    file(GLOB headers CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.h")
    add_library(${name} STATIC ${sources} ${headers})
    target_include_directories(${name} PUBLIC "${PROJECT_SOURCE_DIR}")
    target_link_libraries(${name} PUBLIC ${arg_DEPENDS})
    if(arg_PRECOMPILE)
        target_precompile_headers(${name} PRIVATE ${arg_PRECOMPILE})
    endif()
    corvix_warnings(${name})

    # What the layer test needs: the folder of each library and the libraries it links.
    file(RELATIVE_PATH folder "${PROJECT_SOURCE_DIR}" "${CMAKE_CURRENT_SOURCE_DIR}")
    set_target_properties(${name} PROPERTIES CORVIX_FOLDER "${folder}" CORVIX_DEPENDS "${arg_DEPENDS}")
    set_property(GLOBAL APPEND PROPERTY CORVIX_LIBRARIES ${name})
endfunction()

# corvix_resources_beside(program): the repository's resources folder is copied beside the program,
# where it looks for its pictures. Copied on every build (it is small), so a picture drawn again
# reaches the program at once.
function(corvix_resources_beside program)
    add_custom_target(${program}_resources ALL
        COMMAND ${CMAKE_COMMAND} -E copy_directory "${PROJECT_SOURCE_DIR}/resources" "$<TARGET_FILE_DIR:${program}>/resources"
        COMMENT "Copying the resources folder beside ${program}")
    add_dependencies(${program} ${program}_resources)
endfunction()
