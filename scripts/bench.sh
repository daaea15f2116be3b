#!/usr/bin/env bash
# Builds the benchmarks with their peers (OpenCV, FFTW, scikit-image), runs
# each program that carries a goal once, and writes one Markdown table of
# every ratio against its goal, with the core count and the load average at
# the start and the end.
#
#   scripts/bench.sh [report.md]     (default: build/bench-report.md)
#
# PIXORAMA_BUILD names the build folder (default: build).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${PIXORAMA_BUILD:-$root/build}
report=${1:-$build/bench-report.md}

PIXORAMA_BENCH_PEERS=1 bash "$root/scripts/setup.sh"
cmake -S "$root" -B "$build" -G Ninja -DPIXORAMA_BUILD_BENCH=ON >/dev/null

# Program and the benchmarks of it that the goals need.
runs=(
  "bench_effects:."
  "bench_canvas:BM_MemcpyFloatImage|BM_RepaintHalftone/-8"
  "bench_equalise:."
  "bench_filters:Resize|resize"
  "bench_fft:BM_FFTMT1D|BM_FFTW_Rows_Measure"
  "bench_segmentation:Watershed|watershed"
  "bench_workbench:BM_RawNegativeStep|BM_ColourSepiaStep|BM_UndoRedoRawStep|BM_MemcpyOfRawStep"
  "bench_reconstruction:BM_ParallelFbp|BM_FanFbp|BM_SkimageIradon|BM_Fdk(Filter|BackProject)/256"
)
targets=()
for r in "${runs[@]}"; do targets+=("${r%%:*}"); done
nice cmake --build "$build" --target "${targets[@]}"

results=$(mktemp -d)
trap 'rm -rf "$results"' EXIT
cores=$(nproc)
load_start=$(cut -d' ' -f1-3 /proc/loadavg)
for r in "${runs[@]}"; do
  program=${r%%:*}
  echo "== $program" >&2
  QT_QPA_PLATFORM=offscreen "$build/bin/$program" --benchmark_filter="${r#*:}" \
    --benchmark_out="$results/$program.json" --benchmark_out_format=json >&2
done
load_end=$(cut -d' ' -f1-3 /proc/loadavg)

mkdir -p "$(dirname "$report")"
python3 "$root/scripts/bench_report.py" "$results" "$cores" "$load_start" "$load_end" >"$report"
cat "$report"
