#!/bin/bash
# Builds the benchmarks in an optimised native tree without sanitizers and runs them.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/tools/setup.sh"
dir="$root/build/bench"
if [[ ! -f "$dir/build.ninja" ]]; then
  cmake -G Ninja -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=Release \
    -DZR_SANITIZE=OFF -DZR_FUZZ=OFF -DZR_BENCH=ON >/dev/null
fi
cmake --build "$dir" -j "${ZR_JOBS:-$(nproc)}"
find "$dir" -type f -name 'bench_*' -perm -u+x | sort | while read -r prog; do
  echo "== $(basename "$prog")"
  "$prog"
done
