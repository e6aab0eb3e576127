# Cross-builds the Windows program with the MinGW-w64 i686 toolchain.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(toolchain_prefix i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)

# No emulator: this 32-bit program is built here, not run (a 64-bit wine cannot start it).
