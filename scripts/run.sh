#!/usr/bin/env bash
# Sets up the machine, builds Pixorama and starts the workbench.
#   scripts/run.sh [image]
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
cmake -S . -B build -G Ninja
cmake --build build -j "$(nproc)"

if [ ! -x build/bin/pixorama ]; then
  echo "The workbench program is not built yet: this tree holds the platform layer and the common image library only."
  echo "Run scripts/test.sh to build and test them."
  exit 0
fi
exec build/bin/pixorama "$@"
