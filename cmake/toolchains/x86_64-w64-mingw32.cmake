# Cross-builds the Windows program with the MinGW-w64 x86_64 toolchain.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(toolchain_prefix x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)

# Tests run under the 64-bit wine of the build machine.
find_program(FACETOR_WINE NAMES wine64 PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(FACETOR_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${FACETOR_WINE})
endif()
