#!/usr/bin/env bash
# Installs every Debian package Pixorama needs to build, test and run.
# Idempotent: packages already present are left alone.
set -euo pipefail

packages=(
  build-essential cmake ninja-build ccache pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev qt6-image-formats-plugins
  qt6-l10n-tools qt6-tools-dev
  libtiff-dev libgdcm-dev zlib1g-dev time
  libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  fonts-wqy-microhei fonts-dejavu-core
  xvfb xauth x11-utils
  python3
)
if [ "${PIXORAMA_BENCH_PEERS:-0}" = 1 ]; then
  packages+=(libfftw3-dev libopencv-dev python3-skimage)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
