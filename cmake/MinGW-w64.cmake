# Cross-building for 64-bit Windows with Debian's MinGW-w64 (GCC, posix threads, so that
# std::thread and std::mutex exist). The libraries built for Windows beside the program (libpng,
# libjpeg, GoogleTest) are looked for under CORVIX_WINDOWS_DEPS before the compiler's own root.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)
set(CMAKE_AR ${triple}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB ${triple}-gcc-ranlib-posix CACHE FILEPATH "")

if(DEFINED ENV{CORVIX_WINDOWS_DEPS})
    set(CORVIX_WINDOWS_DEPS "$ENV{CORVIX_WINDOWS_DEPS}" CACHE PATH "Where the libraries built for Windows are installed")
endif()
set(CMAKE_FIND_ROOT_PATH ${CORVIX_WINDOWS_DEPS} /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Programs that run on a clean Windows: the C and C++ runtimes and winpthread linked in.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# The test programs are started through Wine.
find_program(CORVIX_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CORVIX_WINE})
