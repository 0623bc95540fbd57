# What the framework needs to build and run as a MinGW-w64 program. Only compile definitions and
# link options: the framework's sources stay as Debian ships them.

# Windows 10's API (the framework's default for MinGW is older and lacks what it calls).
target_compile_definitions(corvix_juce_core PUBLIC _WIN32_WINNT=0x0A00 WINVER=0x0A00 NOMINMAX UNICODE _UNICODE)

# libjpeg's `boolean` where the framework's JPEG loader looks for it (see the header).
target_include_directories(corvix_juce_gui BEFORE PRIVATE "${CMAKE_CURRENT_LIST_DIR}/mingw")
