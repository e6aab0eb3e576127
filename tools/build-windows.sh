#!/usr/bin/env bash
# Builds the release artifact, the 32-bit Windows program build-win32/facetor.exe, with the
# MinGW-w64 cross compiler (Debian: g++-mingw-w64-i686-posix, cmake, ninja-build).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-win32 -G Ninja -DCMAKE_BUILD_TYPE=Release -DFACETOR_TESTS=OFF \
  -DFACETOR_TOOLS=OFF -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/i686-w64-mingw32.cmake
cmake --build build-win32
echo "$(pwd)/build-win32/facetor.exe"
