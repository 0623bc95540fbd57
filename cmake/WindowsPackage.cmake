# The Windows program's icon and version resource, and its package: a zip holding a folder with
# the program and the resources folder beside it, so that it runs wherever it is unpacked.
#   corvix_windows_program(program): the icon (drawn from the asset pictures) and the version.
#   Target corvix_windows_package writes build/windows/OrvelACorvix-<version>-windows-x64.zip.
# The packaged program is stripped of its symbols (about half its size); the one in the build
# folder keeps them, for the debugger.
find_program(CORVIX_CONVERT NAMES convert-im6.q16 convert REQUIRED)
find_program(CORVIX_WINDOWS_STRIP NAMES x86_64-w64-mingw32-strip REQUIRED)

function(corvix_windows_program program)
    set(icon "${CMAKE_CURRENT_BINARY_DIR}/${program}.ico")
    set(picture "${PROJECT_SOURCE_DIR}/resources/Assets/Talvor-big256.png")
    add_custom_command(OUTPUT "${icon}"
        COMMAND "${CORVIX_CONVERT}" "${picture}" -define icon:auto-resize=256,64,48,32,16 "${icon}"
        DEPENDS "${picture}"
        COMMENT "Drawing the icon of ${program}")
    configure_file("${PROJECT_SOURCE_DIR}/cmake/windows/OrvelACorvix.rc.in" "${CMAKE_CURRENT_BINARY_DIR}/${program}.rc" @ONLY)
    set_source_files_properties("${CMAKE_CURRENT_BINARY_DIR}/${program}.rc" PROPERTIES OBJECT_DEPENDS "${icon}")
    target_sources(${program} PRIVATE "${CMAKE_CURRENT_BINARY_DIR}/${program}.rc")
    # A window program: no console opens beside it.
    set_target_properties(${program} PROPERTIES WIN32_EXECUTABLE TRUE)

    set(name "OrvelACorvix-${PROJECT_VERSION}-windows-x64")
    set(staging "${CMAKE_BINARY_DIR}/package/${name}")
    add_custom_target(corvix_windows_package
        COMMAND "${CMAKE_COMMAND}" -E rm -rf "${CMAKE_BINARY_DIR}/package" "${CMAKE_BINARY_DIR}/${name}.zip"
        COMMAND "${CMAKE_COMMAND}" -E make_directory "${staging}"
        COMMAND "${CMAKE_COMMAND}" -E copy "$<TARGET_FILE:${program}>" "${staging}/"
        COMMAND "${CORVIX_WINDOWS_STRIP}" --strip-all "${staging}/$<TARGET_FILE_NAME:${program}>"
        COMMAND "${CMAKE_COMMAND}" -E copy_directory "${PROJECT_SOURCE_DIR}/resources" "${staging}/resources"
        COMMAND "${CMAKE_COMMAND}" -E chdir "${CMAKE_BINARY_DIR}/package"
                "${CMAKE_COMMAND}" -E tar cf "${CMAKE_BINARY_DIR}/${name}.zip" --format=zip "${name}"
        DEPENDS ${program}
        COMMENT "Packing ${name}.zip"
        VERBATIM)
endfunction()
