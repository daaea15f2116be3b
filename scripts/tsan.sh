#!/usr/bin/env bash
# Builds the threaded suites with clang's ThreadSanitizer in build-tsan and
# runs them: the calls handed to the user-interface thread, the processing
# commands and their threads (the processing thread, the window processor,
# the detail worker, the row-split kernels),
# the sequence, stitching and sinogram jobs, the numeric kernels of the
# common library, the undo history (its steps settle on every core), and the
# monkey's short run of the whole window.
# Suppressions (scripts/tsan.supp, each explained there) name only Qt's own
# libraries; any report with our code on both sides fails the run.
#   scripts/tsan.sh        (logs in build-tsan/tsan-*.log)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build-tsan -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPIXORAMA_BUILD_BENCH=OFF \
  -DCMAKE_C_FLAGS=-fsanitize=thread -DCMAKE_CXX_FLAGS=-fsanitize=thread \
  -DCMAKE_EXE_LINKER_FLAGS=-fsanitize=thread -DCMAKE_SHARED_LINKER_FLAGS=-fsanitize=thread >/dev/null
cmake --build build-tsan -j "$(nproc)" --target test_platform test_processing test_ct test_common test_app pixorama-batch pixorama-monkey

export QT_QPA_PLATFORM=offscreen
export TSAN_OPTIONS="suppressions=$PWD/scripts/tsan.supp halt_on_error=1 second_deadlock_stack=1"
status=0
run() {
  echo "== $*"
  "$@" >"build-tsan/tsan-$(basename "$1").log" 2>&1 || { status=1; tail -n 60 "build-tsan/tsan-$(basename "$1").log"; }
  grep -c "WARNING: ThreadSanitizer" "build-tsan/tsan-$(basename "$1").log" | sed 's/^/   reports: /' || true
}
run build-tsan/bin/test_platform
run build-tsan/bin/test_processing
run build-tsan/bin/test_ct
run build-tsan/bin/test_common --gtest_filter='RowSplit*:Fft*:Convolution*:Resize*:GaussianBlur*:ImageSmoothing*:RampFilter*:LocalThreshold*:MatrixProduct*'
run build-tsan/bin/test_app --gtest_filter='PictureHistory*'
run build-tsan/bin/pixorama-monkey --seed 24 --actions 2000 --log build-tsan/monkey.log
exit $status
