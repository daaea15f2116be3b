#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for the given seconds.
#   scripts/fuzz.sh [seconds]     (default 60)
# Prints the executions each target did; exits non-zero when one finds a fault.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}

bash scripts/setup.sh
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DPIXORAMA_BUILD_FUZZ=ON -DPIXORAMA_BUILD_TESTS=OFF -DPIXORAMA_BUILD_BENCH=OFF
targets=()
for src in fuzz/fuzz_*.cpp; do targets+=("$(basename "$src" .cpp)"); done
cmake --build build-fuzz -j "$(nproc)" --target "${targets[@]}"

export QT_QPA_PLATFORM=offscreen
status=0
for target in build-fuzz/bin/fuzz_*; do
  name=$(basename "$target")
  corpus=fuzz-corpus/$name
  mkdir -p "$corpus"
  # Seeds kept in the repository start the corpus where there are some.
  seeds=()
  [ -d "fuzz/seeds/$name" ] && seeds=("fuzz/seeds/$name")
  log=build-fuzz/$name.log
  if "$target" "$corpus" "${seeds[@]}" -max_total_time="$seconds" -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="build-fuzz/$name-" >"$log" 2>&1; then
    # The last count is the fuzzer's own; decoders that fork print theirs first.
    runs=$(grep 'stat::number_of_executed_units' "$log" | tail -n 1 | awk '{print $2}')
    echo "$name: clean, ${runs:-?} executions in ${seconds}s"
  else
    echo "$name: FAILED (see $log)"
    tail -n 30 "$log"
    status=1
  fi
done
exit $status
