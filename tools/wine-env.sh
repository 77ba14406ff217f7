# Sourced by the test and run scripts: an X display, the Wine prefix of the
# Windows tree and one persistent wineserver for the whole run.
# Call zr_wine_start after sourcing; zr_wine_stop runs at exit.

zr_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export WINEPREFIX="$zr_root/build/win/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
zr_xvfb_pid=""
zr_keeper_dir=""

zr_start_display() {
  if [[ -n "${DISPLAY:-}" ]] && xdpyinfo >/dev/null 2>&1; then
    return
  fi
  local fdfile
  fdfile="$(mktemp)"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$fdfile" >/dev/null 2>&1 &
  zr_xvfb_pid=$!
  for _ in $(seq 100); do
    [[ -s "$fdfile" ]] && break
    sleep 0.1
  done
  export DISPLAY=":$(head -n1 "$fdfile")"
  rm -f "$fdfile"
}

zr_init_prefix() {
  if [[ -f "$WINEPREFIX/.zr-ready-2" ]]; then
    return
  fi
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1
  wineserver -w
  # The same text metrics on every machine: Arial is drawn with Liberation Sans.
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Arial /t REG_SZ \
    /d "Liberation Sans" /f >/dev/null 2>&1
  # A crashing test program prints its crash and ends instead of waiting on a
  # crash dialog that nobody closes.
  wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD \
    /d 0 /f >/dev/null 2>&1
  wineserver -w
  touch "$WINEPREFIX/.zr-ready-2"
}

# Wine closes the desktop (and its explorer) a second after the last program
# ends, and a program starting just then can fail to make a window. One idle
# program for the whole run keeps the desktop open: a cmd pausing on a pipe
# that never gets a byte.
zr_start_desktop_keeper() {
  zr_keeper_dir="$(mktemp -d)"
  mkfifo "$zr_keeper_dir/hold"
  exec {zr_keeper_fd}<>"$zr_keeper_dir/hold"
  wine cmd.exe /c pause <&"$zr_keeper_fd" >/dev/null 2>&1 &
}

zr_wine_start() {
  zr_start_display
  zr_init_prefix
  # A wineserver left running by an earlier session of this prefix may hold
  # its desktop on another display, where this run's windows cannot be
  # mapped: the run starts its own.
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w
  wineserver -p
  trap zr_wine_stop EXIT
  zr_start_desktop_keeper
}

# A fresh wineserver (and desktop keeper) for the next stage of a run. Under
# one wineserver, Wine's COM never again starts a local server whose process
# was ended while it served.
zr_wine_restart() {
  zr_stop_desktop_keeper
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w
  wineserver -p
  zr_start_desktop_keeper
}

zr_stop_desktop_keeper() {
  if [[ -n "$zr_keeper_dir" ]]; then
    exec {zr_keeper_fd}>&-
    rm -rf "$zr_keeper_dir"
    zr_keeper_dir=""
  fi
}

zr_wine_stop() {
  wineserver -k >/dev/null 2>&1 || true
  zr_stop_desktop_keeper
  if [[ -n "$zr_xvfb_pid" ]]; then
    kill "$zr_xvfb_pid" 2>/dev/null || true
  fi
}
