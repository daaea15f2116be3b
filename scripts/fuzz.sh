#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each of them.
#   scripts/fuzz.sh [seconds]                       each target for seconds (default 60)
#   scripts/fuzz.sh --runs TOTAL [--seconds CAP]    TOTAL executions shared evenly by
#                                                   the targets, each stopped after CAP s
#   FUZZ_TARGETS="fuzz_a fuzz_b" limits the run to those targets.
# Prints each target's executions and coverage (edges reached) and the total;
# exits non-zero when one finds a fault.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=60
runs=0
while [ $# -gt 0 ]; do
  case $1 in
    --runs) runs=$2; seconds=0; shift 2 ;;
    --seconds) seconds=$2; shift 2 ;;
    *) seconds=$1; shift ;;
  esac
done

bash scripts/setup.sh
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DPIXORAMA_BUILD_FUZZ=ON -DPIXORAMA_BUILD_TESTS=OFF -DPIXORAMA_BUILD_BENCH=OFF >/dev/null
targets=()
if [ -n "${FUZZ_TARGETS:-}" ]; then
  read -r -a targets <<<"$FUZZ_TARGETS"
else
  for src in fuzz/fuzz_*.cpp; do targets+=("$(basename "$src" .cpp)"); done
fi
cmake --build build-fuzz -j "$(nproc)" --target "${targets[@]}"

export QT_QPA_PLATFORM=offscreen
limits=()
[ "$runs" -gt 0 ] && limits+=(-runs=$((runs / ${#targets[@]})))
[ "$seconds" -gt 0 ] && limits+=(-max_total_time="$seconds")
status=0
total=0
for name in "${targets[@]}"; do
  target=build-fuzz/bin/$name
  corpus=fuzz-corpus/$name
  mkdir -p "$corpus"
  # Seeds kept in the repository start the corpus where there are some.
  seeds=()
  [ -d "fuzz/seeds/$name" ] && seeds=("fuzz/seeds/$name")
  log=build-fuzz/$name.log
  # The in-process DICOM parse leaves what GDCM held when it jumps out of
  # one of GDCM's assertions, and counts the heap through its own operator
  # new on malloc, which ASan would take for a mismatch with its own new.
  extra=()
  asan=${ASAN_OPTIONS:-}
  if [ "$name" = fuzz_dicom_header ]; then
    extra=(-detect_leaks=0)
    asan=alloc_dealloc_mismatch=0:detect_leaks=0
  fi
  if ASAN_OPTIONS=$asan "$target" "$corpus" "${seeds[@]}" "${limits[@]}" "${extra[@]}" -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="build-fuzz/$name-" >"$log" 2>&1; then
    # The last count is the fuzzer's own; decoders that fork print theirs first.
    done_runs=$(grep 'stat::number_of_executed_units' "$log" | tail -n 1 | awk '{print $2}')
    coverage=$(grep -o 'cov: [0-9]*' "$log" | tail -n 1 | awk '{print $2}')
    total=$((total + ${done_runs:-0}))
    echo "$name: clean, ${done_runs:-?} executions, coverage ${coverage:-?} edges"
  else
    echo "$name: FAILED (see $log)"
    tail -n 30 "$log"
    status=1
  fi
done
echo "total: $total executions"
exit $status
