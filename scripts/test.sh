#!/usr/bin/env bash
# Sets up the machine, builds Pixorama and runs the whole test suite.
#   scripts/test.sh              Release build in build/
#   scripts/test.sh --sanitize   AddressSanitizer + UBSan build with clang in build-sanitize/
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh

build=build
options=()
if [ "${1:-}" = "--sanitize" ]; then
  build=build-sanitize
  # Clang, so the sanitized run also checks what the other compiler makes of the code.
  options+=(-DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
            -DPIXORAMA_SANITIZE=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPIXORAMA_BUILD_BENCH=OFF)
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp
fi

cmake -S . -B "$build" -G Ninja "${options[@]}"
cmake --build "$build" -j "$(nproc)"
cd "$build"
ctest --output-on-failure -j "$(nproc)"
