#!/bin/bash
# A protocol test tool: the kit's server and two comm-drivers (the Windows
# build, under Wine) that enter one place and talk; every event each driver
# receives is shown. Pass --native to run the native build instead. Expects
# a built tree (tools/build.sh).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
if [[ "${1:-}" == "--native" ]]; then
  driver=("$root/build/native/comm/comm-driver")
else
  source "$root/tools/wine-env.sh"
  zr_wine_start
  driver=("$root/build/win/wine-run" "$root/build/win/comm/comm-driver.exe")
fi
PYTHONPATH="$root/tests" /usr/bin/python3 "$root/tests/comm_e2e/demo.py" "${driver[@]}"
