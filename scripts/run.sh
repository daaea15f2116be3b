#!/usr/bin/env bash
# Sets up the machine, builds Pixorama and starts the workbench.
#   scripts/run.sh [image]
# Without an image the workbench shows its bundled sample radiograph. Where
# there is no display, it runs under Xvfb (or Qt's offscreen platform),
# writes a screenshot of its main window and says where it is
# (PIXORAMA_SCREENSHOT chooses the file).
set -euo pipefail
caller_dir=$PWD
cd "$(dirname "$0")/.."

# Paths given relative to the caller's folder stay valid after the cd.
args=()
for a in "$@"; do
  if [[ "$a" != -* && "$a" != /* && -e "$caller_dir/$a" ]]; then
    args+=("$caller_dir/$a")
  else
    args+=("$a")
  fi
done

bash scripts/setup.sh
cmake -S . -B build -G Ninja
cmake --build build -j "$(nproc)"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  shot=${PIXORAMA_SCREENSHOT:-$PWD/build/pixorama-screenshot.png}
  echo "No display: running the workbench without one to take a screenshot."
  if command -v xvfb-run > /dev/null; then
    xvfb-run -a -s "-screen 0 1600x1000x24" build/bin/pixorama --screenshot "$shot" ${args[@]+"${args[@]}"}
  else
    QT_QPA_PLATFORM=offscreen build/bin/pixorama --screenshot "$shot" ${args[@]+"${args[@]}"}
  fi
  echo "The screenshot of the main window is $shot"
  exit 0
fi
exec build/bin/pixorama ${args[@]+"${args[@]}"}
