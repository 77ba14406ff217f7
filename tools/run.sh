#!/bin/bash
# Sets up, builds and runs the client side against the local test community
# server: the kit's server and two comm-drivers (the Windows build, under
# Wine) that enter one place and talk; every event each driver receives is
# shown. Pass --native to run the native build instead.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/tools/setup.sh"
"$root/tools/build.sh"
if [[ "${1:-}" == "--native" ]]; then
  driver=("$root/build/native/comm/comm-driver")
else
  source "$root/tools/wine-env.sh"
  zr_wine_start
  driver=("$root/build/win/wine-run" "$root/build/win/comm/comm-driver.exe")
fi
PYTHONPATH="$root/tests" /usr/bin/python3 "$root/tests/comm_e2e/demo.py" "${driver[@]}"
