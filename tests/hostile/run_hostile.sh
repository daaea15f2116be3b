#!/usr/bin/env bash
# Recreates the hostile pictures (a ~1 MB PNG of 30000 x 30000, a deflate
# TIFF of 30000 x 30000 16-bit, a truncated JPEG claiming 20000 x 20000) and
# opens each on a canvas: each must be refused or loaded within 2 s and
# 1 GB peak memory.
#   tests/hostile/run_hostile.sh BUILD_DIR
set -euo pipefail
tool=$1/bin/hostile_pictures
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
"$tool" make "$dir"
status=0
for f in bomb.png bomb.tif cut.jpg; do
  size=$(stat -c %s "$dir/$f")
  /usr/bin/time -v "$tool" open "$dir/$f" >"$dir/out" 2>"$dir/time"
  kb=$(awk -F': ' '/Maximum resident set size/ {print $2}' "$dir/time")
  elapsed=$(awk -F': ' '/Elapsed \(wall clock\)/ {print $2}' "$dir/time")
  seconds=$(echo "$elapsed" | awk -F: '{ if (NF == 3) print $1 * 3600 + $2 * 60 + $3; else print $1 * 60 + $2 }')
  echo "$f ($size bytes): $(tr '\n' ' ' <"$dir/out")| ${seconds}s, peak $((kb / 1024)) MB"
  if [ "$kb" -gt 1048576 ] || awk "BEGIN { exit !($seconds > 2) }"; then
    echo "  over 2 s or 1 GB"
    status=1
  fi
done
exit $status
