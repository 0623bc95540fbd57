# Run by the layer test: cmake -DROOT=<source tree> -DLAYERS=<table> -P CheckLayers.cmake.
# The table names each library folder and the folders it may include. An include of another
# library folder, or of the tests and benchmarks, that the table does not allow is reported.
cmake_minimum_required(VERSION 3.22)
include("${LAYERS}")

set(pattern "^[ \t]*#[ \t]*include[ \t]*\"([^\"/]+)/")
set(violations "")

foreach(folder IN LISTS layer_folders)
    file(GLOB sources "${ROOT}/${folder}/*.h" "${ROOT}/${folder}/*.cpp")

    foreach(source IN LISTS sources)
        file(STRINGS "${source}" includes REGEX "${pattern}")

        foreach(line IN LISTS includes)
            string(REGEX MATCH "${pattern}" matched "${line}")
            set(included "${CMAKE_MATCH_1}")

            if((included IN_LIST layer_folders OR included STREQUAL "tests" OR included STREQUAL "bench")
               AND NOT included IN_LIST "layer_allowed_${folder}")
                file(RELATIVE_PATH name "${ROOT}" "${source}")
                string(APPEND violations "  ${name}: ${line}\n")
            endif()
        endforeach()
    endforeach()
endforeach()

if(violations)
    message(FATAL_ERROR "Includes of a folder that the library does not link:\n${violations}")
endif()

list(LENGTH layer_folders count)
message(STATUS "${count} library folders include only what they link")
