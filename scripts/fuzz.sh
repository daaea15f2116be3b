#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each of them.
#   scripts/fuzz.sh [seconds]                       each target for seconds (default 60)
#   scripts/fuzz.sh --runs TOTAL [--seconds CAP]    TOTAL executions shared by the
#                                                   targets, each stopped after CAP s
# The costly targets (the decoders, some of which fork) run first; whatever
# share a target leaves unused, having reached its time cap, goes to the
# targets after it: each gets what is left over the targets left. With a
# budget, the last target has no time cap: it runs until the budget is met.
#   FUZZ_TARGETS="fuzz_a fuzz_b" limits the run to those targets.
#   FUZZ_BUILD=DIR uses a clang build already set up with PIXORAMA_BUILD_FUZZ=ON
#   (build-sanitize, say) instead of making build-fuzz.
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

build=${FUZZ_BUILD:-build-fuzz}
if [ "$build" = build-fuzz ]; then
  bash scripts/setup.sh
  CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DPIXORAMA_BUILD_FUZZ=ON -DPIXORAMA_BUILD_TESTS=OFF -DPIXORAMA_BUILD_BENCH=OFF >/dev/null
fi
targets=()
if [ -n "${FUZZ_TARGETS:-}" ]; then
  read -r -a targets <<<"$FUZZ_TARGETS"
else
  # Most costly first, fastest last, so that the last ones take up what the
  # others could not use.
  first=(fuzz_dicom fuzz_picture fuzz_tiff fuzz_canvas_raw fuzz_dicom_header)
  last=(fuzz_batch_args)
  listed=" ${first[*]} ${last[*]} "
  targets=("${first[@]}")
  for src in fuzz/fuzz_*.cpp; do
    name=$(basename "$src" .cpp)
    [[ $listed == *" $name "* ]] || targets+=("$name")
  done
  targets+=("${last[@]}")
fi
cmake --build "$build" -j "$(nproc)" --target "${targets[@]}"

export QT_QPA_PLATFORM=offscreen
status=0
total=0
left=${#targets[@]}
for name in "${targets[@]}"; do
  limits=()
  share=$(((runs - total) / left))
  [ "$runs" -gt 0 ] && limits+=(-runs=$((share > 0 ? share : 1)))
  left=$((left - 1))
  if [ "$seconds" -gt 0 ] && { [ "$runs" -eq 0 ] || [ "$left" -gt 0 ]; }; then
    limits+=(-max_total_time="$seconds")
  fi
  target=$build/bin/$name
  corpus=fuzz-corpus/$name
  mkdir -p "$corpus"
  # Seeds kept in the repository start the corpus where there are some.
  seeds=()
  [ -d "fuzz/seeds/$name" ] && seeds=("fuzz/seeds/$name")
  log=$build/$name.log
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
      -artifact_prefix="$build/$name-" >"$log" 2>&1; then
    # The last count is the fuzzer's own; decoders that fork print theirs first.
    done_runs=$(grep 'stat::number_of_executed_units' "$log" | tail -n 1 | awk '{print $2}')
    coverage=$(grep -o 'cov: [0-9]*' "$log" | tail -n 1 | awk '{print $2}')
    total=$((total + ${done_runs:-0}))
    echo "$name: clean, ${done_runs:-?} executions, coverage ${coverage:-?} edges ($SECONDS s so far)"
  else
    echo "$name: FAILED (see $log)"
    tail -n 30 "$log"
    status=1
  fi
done
echo "total: $total executions"
exit $status
