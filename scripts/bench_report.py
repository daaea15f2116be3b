#!/usr/bin/env python3
"""Turns the JSON files of one benchmark run into one Markdown table of every
ratio against its goal.

usage: bench_report.py RESULTS_DIR CORES "LOAD_AT_START" "LOAD_AT_END"
"""
import json
import os
import sys

PER_PIXEL_EFFECTS = ["Grey", "Sepia", "ColourMatrix", "CrossProcess", "DarkLift", "Freeze",
                     "WhiteBalance", "Vignette", "Negative", "Stylise"]
NEIGHBOURHOOD_EFFECTS = ["BlemishRemoval", "StrongBlemishRemoval", "PenDrawing", "SoftLight_gGauss",
                         "FrostedGlass"]


def effect(name):
    return ("bench_effects", "Run/%s" % name)


# Benchmarks are named without the modifiers Google Benchmark appends
# (/iterations:N, /process_time, /real_time, /manual_time), so that a change
# of timing mode does not lose a row.
#
# (figure, kind, operands, goal, "max" or "min")
#   ratio: real time of a / real time of b
#   cpu_ratio: CPU time of a / CPU time of b (process CPU time where the
#     benchmark measures it: every thread's work)
#   cpu: process CPU time / real time of a
#   per_pixel: (real time of a / pixels of a) / (real time of b / pixels of b)
#   per_pixel_cpu: the same with CPU times, for work on one thread, whose
#     wall time on a busy machine mostly measures the wait for a core
#   share: real time of a / (real time of a + real time of b)
#   rate: count / real seconds of a
# The flooding at 4096² and at 1024², with their pixel counts.
FLOODING = (("bench_segmentation", "BM_GenericWatershed/4096", 4096 * 4096),
            ("bench_segmentation", "BM_GenericWatershed/1024", 1024 * 1024))

GOALS = (
    [("%s / Negative" % e, "ratio", (effect(e), effect("Negative")), 4.0, "max")
     for e in PER_PIXEL_EFFECTS if e != "Negative"]
    + [("%s / Negative" % e, "ratio", (effect(e), effect("Negative")), 10.0, "max") for e in NEIGHBOURHOOD_EFFECTS]
    + [("%s CPU / wall" % e, "cpu", (effect(e),), 1.7, "min") for e in PER_PIXEL_EFFECTS + NEIGHBOURHOOD_EFFECTS]
    + [
        # Mean times of both, as every other ratio here: the benchmark's own
        # x_memcpy counter divides by the best of five copies, which a busy
        # machine throws about.
        ("Smooth repaint of the whole 4096² picture / memcpy of its bytes", "ratio",
         (("bench_canvas", "BM_RepaintHalftone/-8"), ("bench_canvas", "BM_MemcpyFloatImage")), 3.0, "max"),
        ("Equalisation / OpenCV equalizeHist", "ratio",
         (("bench_equalise", "BM_Ours_EqualiseHistogram"), ("bench_equalise", "BM_OpenCV_equalizeHist")), 1.0, "max"),
        ("Bilinear resize / OpenCV resize", "ratio",
         (("bench_filters", "BM_ResizeMC"), ("bench_filters", "BM_OpenCV_resize")), 1.0, "max"),
        ("Row FFT / FFTW MEASURE", "ratio",
         (("bench_fft", "BM_FFTMT1D"), ("bench_fft", "BM_FFTW_Rows_Measure")), 1.0, "max"),
        ("Row FFT / FFTW MEASURE, CPU time of all threads", "cpu_ratio",
         (("bench_fft", "BM_FFTMT1D"), ("bench_fft", "BM_FFTW_Rows_Measure")), 1.0, "max"),
        ("Watershed flooding per pixel, 4096² / 1024²", "per_pixel",
         FLOODING, 1.2, "max"),
        ("Watershed flooding per pixel, 4096² / 1024², CPU time of its one thread", "per_pixel_cpu",
         FLOODING, 1.2, "max"),
        ("Simple watershed / OpenCV watershed, 2048²", "ratio",
         (("bench_segmentation", "BM_SimpleWatershed/2048"), ("bench_segmentation", "BM_OpenCV_watershed/2048")),
         0.5, "max"),
        ("Undo and redo of a whole 4096² raw step / memcpy of its bytes", "ratio",
         (("bench_workbench", "BM_UndoRedoRawStep"), ("bench_workbench", "BM_MemcpyOfRawStep")), 3.0, "max"),
        # Both runs in turn within one benchmark, which reports their ratio.
        ("Raw negative with its undo step / without", "counter",
         (("bench_workbench", "BM_RawNegativeStep"), "with/without"), 1.15, "max"),
        ("Colour sepia with its undo step / without", "counter",
         (("bench_workbench", "BM_ColourSepiaStep"), "with/without"), 1.15, "max"),
        # iradon's time is its process time on one thread, ours the wall time.
        ("Parallel FBP 512² from 720 views / scikit-image iradon", "ratio",
         (("bench_reconstruction", "BM_ParallelFbp_512_720"), ("bench_reconstruction", "BM_SkimageIradon_512_720")),
         0.1, "max"),
        ("Fan-beam FBP / parallel-beam FBP, 512² from 720 views", "ratio",
         (("bench_reconstruction", "BM_FanFbp_512_720"), ("bench_reconstruction", "BM_ParallelFbp_512_720")),
         1.5, "max"),
        ("FDK 256³ back-projection, 10⁹ voxel updates per second", "rate",
         (("bench_reconstruction", "BM_FdkBackProject/256"), 360 * 256 ** 3 / 1e9), 1.5, "min"),
        ("FDK 256³ weighting and filtering / whole reconstruction", "share",
         (("bench_reconstruction", "BM_FdkFilter/256"), ("bench_reconstruction", "BM_FdkBackProject/256")),
         0.15, "max"),
    ]
)

MODIFIERS = ("iterations:", "process_time", "real_time", "manual_time", "min_time:", "repeats:", "threads:")


def key(name):
    """The benchmark's name without the timing modifiers."""
    return "/".join(part for part in name.split("/") if not part.startswith(MODIFIERS))


UNIT_NS = {"ns": 1.0, "us": 1e3, "ms": 1e6, "s": 1e9}


def load(folder):
    """{program: {benchmark name: run}}, iterations only."""
    results = {}
    for file in sorted(os.listdir(folder)):
        if not file.endswith(".json"):
            continue
        with open(os.path.join(folder, file)) as f:
            data = json.load(f)
        runs = {}
        for run in data.get("benchmarks", []):
            if run.get("run_type", "iteration") == "iteration" and "error_occurred" not in run:
                runs[key(run["name"])] = run
        results[file[:-len(".json")]] = runs
    return results


def real_ns(run):
    return run["real_time"] * UNIT_NS[run.get("time_unit", "ns")]


def cpu_ns(run):
    return run["cpu_time"] * UNIT_NS[run.get("time_unit", "ns")]


def measure(results, kind, operands):
    """The figure, or None when a benchmark it needs did not run."""
    def run(ref):
        return results.get(ref[0], {}).get(ref[1])

    if kind == "ratio":
        a, b = run(operands[0]), run(operands[1])
        return real_ns(a) / real_ns(b) if a and b and real_ns(b) > 0 else None
    if kind == "cpu_ratio":
        a, b = run(operands[0]), run(operands[1])
        return cpu_ns(a) / cpu_ns(b) if a and b and cpu_ns(b) > 0 else None
    if kind == "cpu":
        a = run(operands[0])
        return cpu_ns(a) / real_ns(a) if a and real_ns(a) > 0 else None
    if kind in ("per_pixel", "per_pixel_cpu"):
        a, b = run(operands[0]), run(operands[1])
        time = real_ns if kind == "per_pixel" else cpu_ns
        if not a or not b or time(b) <= 0:
            return None
        return (time(a) / operands[0][2]) / (time(b) / operands[1][2])
    if kind == "counter":
        a = run(operands[0])
        return a.get(operands[1]) if a else None
    if kind == "share":
        a, b = run(operands[0]), run(operands[1])
        return real_ns(a) / (real_ns(a) + real_ns(b)) if a and b and real_ns(a) + real_ns(b) > 0 else None
    if kind == "rate":
        a = run(operands[0])
        return operands[1] / (real_ns(a) / 1e9) if a and real_ns(a) > 0 else None
    raise ValueError(kind)


def main():
    folder, cores, load_start, load_end = sys.argv[1:5]
    results = load(folder)
    lines = [
        "# Benchmark report",
        "",
        "Cores: %s. Load average (1, 5, 15 min) at the start: %s; at the end: %s." % (cores, load_start, load_end),
        "Every figure below comes from this one run.",
        "",
        "| Figure | Measured | Goal | Met |",
        "|---|---:|---:|:---:|",
    ]
    missed = 0
    for figure, kind, operands, goal, sense in GOALS:
        value = measure(results, kind, operands)
        bound = ("≤ %.2f" if sense == "max" else "≥ %.2f") % goal
        if value is None:
            lines.append("| %s | not run | %s | – |" % (figure, bound))
            missed += 1
            continue
        met = value <= goal if sense == "max" else value >= goal
        missed += 0 if met else 1
        lines.append("| %s | %.2f | %s | %s |" % (figure, value, bound, "yes" if met else "**no**"))
    lines += ["", "%d of %d goals met." % (len(GOALS) - missed, len(GOALS))]
    print("\n".join(lines))


if __name__ == "__main__":
    main()
