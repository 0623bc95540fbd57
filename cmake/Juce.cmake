# JUCE's module targets are INTERFACE libraries: every consumer would compile every module again.
# We compile each module's amalgamated source once, into one static library for the non-GUI
# modules (enough for the model and its tests, no X needed) and one for the GUI modules.
if(CMAKE_CROSSCOMPILING)
    # The framework is sources only: a cross build takes it from the build machine's package.
    file(GLOB juce_config_dirs /usr/lib/*/cmake /usr/lib/cmake)
    find_package(JUCE CONFIG REQUIRED PATHS ${juce_config_dirs} NO_CMAKE_FIND_ROOT_PATH)
else()
    find_package(JUCE CONFIG REQUIRED)
endif()

# Copies the sources, definitions and link dependencies of the given module targets onto a static
# library. Links to other juce modules are dropped: they are provided by the libraries themselves.
function(corvix_juce_static_library name)
    add_library(${name} STATIC)
    foreach(module IN LISTS ARGN)
        set(target juce::${module})
        get_target_property(sources ${target} INTERFACE_SOURCES)
        get_target_property(definitions ${target} INTERFACE_COMPILE_DEFINITIONS)
        get_target_property(includes ${target} INTERFACE_INCLUDE_DIRECTORIES)
        get_target_property(links ${target} INTERFACE_LINK_LIBRARIES)
        target_sources(${name} PRIVATE ${sources})
        if(definitions)
            target_compile_definitions(${name} PUBLIC ${definitions})
        endif()
        if(includes)
            target_include_directories(${name} SYSTEM PUBLIC ${includes})
        endif()
        if(links)
            list(FILTER links EXCLUDE REGEX "^(juce::)?juce_[a-z_]+$")
            target_link_libraries(${name} PUBLIC ${links})
        endif()
    endforeach()
    target_compile_features(${name} PUBLIC cxx_std_17)
    # Framework code is not ours to warn about.
    target_compile_options(${name} PRIVATE -w)
    set_target_properties(${name} PROPERTIES POSITION_INDEPENDENT_CODE ON)
endfunction()

corvix_juce_static_library(corvix_juce_core
    juce_core juce_events juce_data_structures juce_audio_basics juce_audio_devices)
target_compile_definitions(corvix_juce_core PUBLIC
    JUCE_MODAL_LOOPS_PERMITTED=1
    JUCE_WEB_BROWSER=0
    JUCE_USE_CURL=1
    JUCE_LOAD_CURL_SYMBOLS_LAZILY=0
    JUCE_STRICT_REFCOUNTEDPOINTER=1
    JUCE_STANDALONE_APPLICATION=1
    JUCE_DISPLAY_SPLASH_SCREEN=0
    JUCE_USE_DARK_SPLASH_SCREEN=0)

corvix_juce_static_library(corvix_juce_gui
    juce_graphics juce_gui_basics juce_gui_extra juce_opengl)
target_link_libraries(corvix_juce_gui PUBLIC corvix_juce_core)

if(WIN32)
    # Debian's framework has its bundled zlib, libpng and libjpeg removed: the MinGW zlib and the
    # libpng and libjpeg cross-built from Debian's sources (scripts/windows-deps.sh) stand in.
    # The static zlib, so that the program needs no zlib1.dll beside it.
    find_library(ZLIB_LIBRARY NAMES libz.a REQUIRED)
    find_package(ZLIB REQUIRED)
    find_package(PNG REQUIRED)
    find_package(JPEG REQUIRED)
    target_link_libraries(corvix_juce_core PUBLIC ZLIB::ZLIB)
    target_link_libraries(corvix_juce_gui PUBLIC PNG::PNG JPEG::JPEG)
    target_compile_definitions(corvix_juce_core PUBLIC JUCE_INCLUDE_ZLIB_CODE=0)
    target_compile_definitions(corvix_juce_gui PUBLIC JUCE_INCLUDE_PNGLIB_CODE=0 JUCE_INCLUDE_JPEGLIB_CODE=0)
    include(JuceMinGW)
else()
    target_link_libraries(corvix_juce_core PUBLIC juce::pkgconfig_JUCE_CURL_LINUX_DEPS)
    target_link_libraries(corvix_juce_gui PUBLIC juce::pkgconfig_JUCE_IMG_LINUX_DEPS)
endif()
