#!/bin/bash
# Sets up, builds and runs the chat client against the local test community:
# the kit's community server with three bots that walk and talk in the place
# http://page/, and zrplaces.exe under Wine entering that place as "you".
#
# With a display ($DISPLAY) the client runs until its window is closed. With
# none, it runs on a virtual display: once it has been in the place for a few
# seconds a screenshot is saved, its path printed, and everything stops.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/tools/setup.sh"
"$root/tools/build.sh"

headless=1
if [[ -n "${DISPLAY:-}" ]] && xdpyinfo >/dev/null 2>&1; then
  headless=0
fi
source "$root/tools/wine-env.sh"
zr_wine_start

run="$root/build/run"
rm -rf "$run"
mkdir -p "$run/program"
cp "$root/build/win/bin/zrplaces.exe" "$root/build/win/bin/ZrRes.dll" "$run/program/"
printf '%s\r\n' '[Community]' 'HomeServer=127.0.0.1' 'ServerTitle=Local Community' \
  'HomeURL=http://page/' '[Identity-127.0.0.1]' 'NickName=you' \
  '[Settings]' 'MainXPos=0' 'MainYPos=0' 'WinWidth=1024' 'WinHeight=740' \
  > "$run/program/zrplaces.ini"

# The server and its bots; their lines go to a log, the port comes first.
mkfifo "$run/bots.out"
PYTHONPATH="$root/tests" /usr/bin/python3 -m zrkit.demo_bots --serve \
  --log "$run/server-log.jsonl" >"$run/bots.out" 2>"$run/bots.err" &
bots_pid=$!
exec {bots_fd}<"$run/bots.out"
read -r -t 60 word _ port <&"$bots_fd" || { echo "the community server did not start" >&2; exit 1; }
[[ "$word" == LISTENING ]] || { echo "the community server did not start" >&2; exit 1; }
# Each bot greets the place as it enters; READY follows the last.
ready=""
while [[ "$ready" != READY ]]; do
  read -r -t 60 ready <&"$bots_fd" || { echo "the bots did not enter the place" >&2; exit 1; }
done
cat <&"$bots_fd" >"$run/bots.log" &
echo "Community server on 127.0.0.1:$port with ann, bob and cat in http://page/"

switch_file="$WINEPREFIX/drive_c/windows/TVLDEBUG.INI"
printf '[Debug]\r\nZRS_PORT_NUM=%d\r\n' "$port" >"$switch_file"
stop_all() {
  kill "$bots_pid" 2>/dev/null || true
  wait "$bots_pid" 2>/dev/null || true
  rm -f "$switch_file"
  zr_wine_stop
}
trap stop_all EXIT

(cd "$run/program" && exec wine zrplaces.exe) >"$run/client.log" 2>&1 &
client_pid=$!
echo "zrplaces.exe started from $run/program"

if [[ $headless == 0 ]]; then
  wait "$client_pid" || true
  exit 0
fi

# Headless: wait for the frame, give the client time to enter and see the
# bots, then take the picture.
probe="$root/build/win/tests/app_window/window_probe.exe"
if [[ -f "$probe" ]]; then
  printf 'frame\n' | wine "$probe" --timeout 60 --program "$run/program/zrplaces.exe" >/dev/null 2>&1 || true
fi
sleep 15
import -silent -window root "$run/screenshot.png"
echo "Screenshot of the client at work: $run/screenshot.png"
