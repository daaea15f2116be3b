#!/usr/bin/env bash
# Checks that every source folder includes only headers of its own folder and
# of the folders it is allowed to use (the layers of ARCHITECTURE.md), and
# that no headers include each other in a circle.
# Header names are unique across the tree, so a name tells its folder.
#   check_layers.sh [SOURCE_ROOT]
set -euo pipefail
root=${1:-$(dirname "$0")/../..}
cd "$root"

# folder: the folders it may use
declare -A uses=(
  [platform]=""
  [common]="platform"
  [dialogs]="common platform"
  [canvas]="dialogs common platform"
  [views]="canvas dialogs common platform"
  [browser]="common platform"
  [core]="views canvas dialogs browser common platform"
  [ct]="core views canvas dialogs browser common platform"
  [processing]="ct core views canvas dialogs browser common platform"
  [app]="processing ct core views canvas dialogs browser common platform"
)

declare -A owner=()
for folder in "${!uses[@]}"; do
  [ -d "$folder" ] || continue
  while IFS= read -r header; do
    owner[$(basename "$header")]=$folder
  done < <(find "$folder" -name '*.h')
done

faults=0
for folder in "${!uses[@]}"; do
  [ -d "$folder" ] || continue
  while IFS=: read -r file line text; do
    name=$(sed -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]([^>"]*)[>"].*/\1/' <<<"$text")
    used=${owner[$(basename "$name")]:-}
    [ -n "$used" ] && [ "$used" != "$folder" ] || continue
    if [[ " ${uses[$folder]} " != *" $used "* ]]; then
      echo "$file:$line: $folder/ includes $name from $used/"
      faults=$((faults + 1))
    fi
  done < <(grep -rnE '^[[:space:]]*#[[:space:]]*include' "$folder" --include='*.h' --include='*.cpp')
done

# No include circles: a header and the source of the same name are one node,
# and the nodes must sort one way.
edges=$(for folder in "${!uses[@]}"; do
  [ -d "$folder" ] || continue
  grep -rE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$folder" --include='*.h' --include='*.cpp' |
    sed -E 's|^([^:]*/)?([^/:]*)\.[a-z]+:.*"([^"]*/)?([^/"]*)\.h".*|\2 \4|' | awk '$1 != $2'
done)
if ! loops=$(tsort <<<"$edges" 2>&1 >/dev/null) || [ -n "$loops" ]; then
  sed -n -e 's/^tsort: .*loop:$/include circle:/p' -e 's/^tsort: \([^ ]*\)$/  \1/p' <<<"$loops"
  faults=$((faults + 1))
fi

if [ "$faults" -gt 0 ]; then
  echo "$faults fault(s) against the layers"
  exit 1
fi
echo "layers hold: ${#owner[@]} headers checked"
