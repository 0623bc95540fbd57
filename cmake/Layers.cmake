# corvix_layer_test(): a test that reads the sources of every library folder and fails when one
# includes a folder whose library it does not link, directly or through another. Since libraries
# only link what lies beneath them, nothing includes upwards. Call it once every library exists.
function(corvix_layer_test)
    get_property(libraries GLOBAL PROPERTY CORVIX_LIBRARIES)
    set(table "")

    foreach(library IN LISTS libraries)
        set(allowed "")
        set(pending ${library})

        while(pending)
            list(POP_FRONT pending current)

            if(TARGET ${current})
                get_target_property(folder ${current} CORVIX_FOLDER)

                if(folder AND NOT folder IN_LIST allowed)
                    list(APPEND allowed ${folder})
                    get_target_property(depends ${current} CORVIX_DEPENDS)
                    list(APPEND pending ${depends})
                endif()
            endif()
        endwhile()

        get_target_property(folder ${library} CORVIX_FOLDER)
        string(APPEND table "list(APPEND layer_folders \"${folder}\")\nset(\"layer_allowed_${folder}\" \"${allowed}\")\n")
    endforeach()

    set(tableFile "${CMAKE_BINARY_DIR}/layers.cmake")
    file(WRITE "${tableFile}" "${table}")
    add_test(NAME Layers.NoFolderIncludesAFolderItDoesNotLink
             COMMAND "${CMAKE_COMMAND}" "-DROOT=${PROJECT_SOURCE_DIR}" "-DLAYERS=${tableFile}"
                     -P "${PROJECT_SOURCE_DIR}/cmake/CheckLayers.cmake")
endfunction()
