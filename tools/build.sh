#!/bin/bash
# Configures and builds both trees: build/native (portable code, clang with
# ASan/UBSan and fuzz targets) and build/win (MinGW-w64, x86-64 Windows).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
jobs="${ZR_JOBS:-$(nproc)}"

configure() {
  local dir="$1"; shift
  if [[ ! -f "$dir/build.ninja" ]]; then
    cmake -G Ninja -S "$root" -B "$dir" "$@" >/dev/null
  fi
}

configure "$root/build/native" -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
configure "$root/build/win" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake"

cmake --build "$root/build/native" -j "$jobs"
cmake --build "$root/build/win" -j "$jobs"
