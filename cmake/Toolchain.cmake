# Fast edit loop: lld links in a fraction of the time of ld.bfd, ccache skips unchanged units.
include(CheckCXXSourceCompiles)

find_program(CORVIX_LLD ld.lld)
if(CORVIX_LLD)
    add_link_options(-fuse-ld=lld)
endif()

find_program(CORVIX_CCACHE ccache)
if(CORVIX_CCACHE)
    # juce_core expands __DATE__/__TIME__, and precompiled headers carry their own defines and mtimes.
    # So no date of ours comes from __DATE__: the about box's is written by the build (BuildDate.cmake).
    # Paths below the source tree are hashed relative to it, so a fresh clone elsewhere (CI, a
    # second checkout) reuses what an earlier build compiled instead of starting cold.
    set(launcher "${CMAKE_COMMAND}" -E env
        "CCACHE_SLOPPINESS=time_macros,pch_defines,include_file_mtime,include_file_ctime"
        "CCACHE_BASEDIR=${PROJECT_SOURCE_DIR}"
        "CCACHE_NOHASHDIR=1"
        "${CORVIX_CCACHE}")
    set(CMAKE_C_COMPILER_LAUNCHER ${launcher})
    set(CMAKE_CXX_COMPILER_LAUNCHER ${launcher})
endif()
