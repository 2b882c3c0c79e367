# Sourced by the scripts: makes sure there is an X display for Wine's windows (an Xvfb of our own
# when none is usable) and a Wine prefix.
tk_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
# wineserver lives here too, whether or not the wine package put it on the PATH.
export PATH="$PATH:/usr/lib/wine"

# Commands to run when the script ends, the last added first. One EXIT trap runs them all, so
# that no script's clean-up replaces another's.
tk_exit_commands=()
tk_on_exit() {
  tk_exit_commands=("$1" "${tk_exit_commands[@]}")
  trap 'for tk_c in "${tk_exit_commands[@]}"; do eval "$tk_c" || true; done' EXIT
}

tk_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
  if [ "${1:-}" = "--need-existing" ]; then
    echo "There is no X display (DISPLAY is empty or unreachable). Start the program from a desktop" >&2
    echo "session, or run it in a virtual one:  xvfb-run -a scripts/run" >&2
    exit 1
  fi
  local n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    tk_xvfb_pid=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
    if xdpyinfo >/dev/null 2>&1; then
      tk_on_exit 'kill $tk_xvfb_pid 2>/dev/null'
      return 0
    fi
    kill "$tk_xvfb_pid" 2>/dev/null || true
  done
  echo "Could not start Xvfb" >&2
  exit 1
}

# A Wine prefix made once; later runs reuse it. With --desktop its windows live in a virtual
# desktop, where showing a window does not wait for a window manager (tests run much faster).
tk_wineprefix() {
  local desktop=""
  if [ "${1:-}" = "--desktop" ]; then desktop=1; shift; fi
  export WINEPREFIX=${WINEPREFIX:-${1:-${XDG_CACHE_HOME:-$HOME/.cache}/tarvenik-wine}}
  export WINEDEBUG=${WINEDEBUG:--all}
  export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
  mkdir -p "$(dirname "$WINEPREFIX")"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Creating the Wine prefix $WINEPREFIX ..."
    "$tk_root/scripts/wine-run" wineboot -i >/dev/null 2>&1 || true
    if [ -n "$desktop" ]; then
      "$tk_root/scripts/wine-run" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
      "$tk_root/scripts/wine-run" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f \
        >/dev/null 2>&1
    fi
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
  fi
}

# Makes ready to run the Windows tests of the build in $1 under Wine: a virtual display when there
# is none, a fresh prefix (once per script) with a virtual desktop, and one Wine server for all the
# test programs (instead of one started and stopped for each). Again after `wineserver -k`.
tk_wine_setup() {
  local build=$1
  tk_display
  if [ -z "${tk_wine_prefix_dir:-}" ]; then
    tk_wine_prefix_dir=$(mktemp -d /tmp/tarvenik-test.XXXXXX)
    tk_on_exit 'wineserver -k 2>/dev/null; rm -rf "$tk_wine_prefix_dir"'
  fi
  tk_wineprefix --desktop "$tk_wine_prefix_dir/wine"
  wineserver -p 2>/dev/null || true
  # The first program with a window starts the virtual desktop's process, which outlives it and
  # would keep holding that program's output open, so that CTest would wait for it. Let a first
  # program start it with its output going nowhere.
  timeout 60 "$tk_root/scripts/wine-run" "$build/tests/toolkit/toolkit_tests.exe" \
    --gtest_filter='ToolkitTest.CheckBox*' </dev/null >/dev/null 2>&1 || true
}

# Runs the Windows tests of the build in $1 under Wine, as tk_wine_setup makes ready.
tk_wine_tests() {
  local build=$1
  tk_wine_setup "$build"
  ctest --test-dir "$build" --output-on-failure --timeout 120
  wineserver -k 2>/dev/null || true
}
