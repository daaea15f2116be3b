#!/usr/bin/env bash
# A long monkey run of the main window under AddressSanitizer and UBSan.
#   scripts/monkey.sh [actions] [seed]      (default 100000 actions, seed 1)
# Builds build-sanitize, runs the monkey with the hostile pictures added to
# its corpus, and fails on a crash, a sanitizer report, an action over 5 s
# or resident memory growing by 10 % or more after the first 10,000 actions.
# The whole log is kept in build-sanitize/monkey-SEED.log.
set -euo pipefail
cd "$(dirname "$0")/.."
actions=${1:-100000}
seed=${2:-1}

cmake -S . -B build-sanitize -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DPIXORAMA_SANITIZE=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPIXORAMA_BUILD_BENCH=OFF >/dev/null
cmake --build build-sanitize --target pixorama-monkey hostile_pictures

export QT_QPA_PLATFORM=offscreen
# Allocation and free stacks two frames deep: ASan keeps every distinct stack
# it records for the whole run, and at full depth that store grows with the
# number of random actions (about 12 MB per 10,000), which is the sanitizer's
# memory, not the program's. Faults still print their full access stack.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:malloc_context_size=2
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp
hostile=$(mktemp -d)
trap 'rm -rf "$hostile"' EXIT
build-sanitize/bin/hostile_pictures make "$hostile" >/dev/null

log=build-sanitize/monkey-$seed.log
status=0
build-sanitize/bin/pixorama-monkey --seed "$seed" --actions "$actions" --corpus "$hostile" \
  --slow-ms 5000 --max-resident-mb 8192 --log "$log" 2>"$log.err" || status=$?
if [ "$status" -ne 0 ]; then
  tail -n 40 "$log.err"
  echo "monkey run failed (status $status; actions in $log)"
  exit 1
fi
summary=$(tail -n 1 "$log.err")
echo "$summary"
early=$(echo "$summary" | sed -n 's/.*resident \([0-9]*\) MB after.*/\1/p')
end=$(echo "$summary" | sed -n 's/.*, \([0-9]*\) MB at the end.*/\1/p')
if [ -z "$early" ] || [ -z "$end" ]; then
  echo "monkey run did not finish (see $log)"
  exit 1
fi
if [ $((end * 10)) -ge $((early * 11)) ]; then
  echo "resident memory grew from $early MB to $end MB"
  exit 1
fi
