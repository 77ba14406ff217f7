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

# The avatar windows of zrplaces.exe under Wine (an X display of its own when
# none is set): needs the Windows tree (tools/build.sh).
if [[ -f "$root/build/win/bin/zrplaces.exe" ]]; then
  echo "== bench_avatars (Wine)"
  (
    source "$root/tools/wine-env.sh"
    zr_wine_start
    ZR_BUILD_WIN="$root/build/win" PYTHONPATH="$root/tests" /usr/bin/python3 \
      "$root/tests/app_avatars/bench_avatars.py" "${ZR_BENCH_AVATARS:-200}"
  )
fi
