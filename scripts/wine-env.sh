# Sourced by the scripts that run Windows programs under Wine: one prefix for the
# project, no crash dialogs, no Mono/Gecko prompts, and a display for every call.
root="${root:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}"
export WINEPREFIX="${KV12_WINEPREFIX:-$root/build/wineprefix}"
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"

# Starts Xvfb on a free display when no display is set; the caller stops it with
# kv12_stop_xvfb. Wine must never run without a display: one such run leaves the
# wineserver unable to create windows until it is killed.
kv12_xvfb_pid=""
kv12_start_xvfb() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
  local n
  for n in $(seq 91 140); do
    if [ ! -e "/tmp/.X${n}-lock" ] && [ ! -e "/tmp/.X11-unix/X${n}" ]; then
      Xvfb ":$n" -screen 0 1280x900x24 -nolisten tcp >/dev/null 2>&1 &
      kv12_xvfb_pid=$!
      export DISPLAY=":$n"
      local i
      for i in $(seq 1 50); do
        xdpyinfo >/dev/null 2>&1 && return 0
        sleep 0.1
      done
      echo "Xvfb did not start on :$n" >&2
      return 1
    fi
  done
  echo "no free X display number" >&2
  return 1
}
kv12_stop_xvfb() {
  if [ -n "$kv12_xvfb_pid" ]; then
    kill "$kv12_xvfb_pid" 2>/dev/null || true
    wait "$kv12_xvfb_pid" 2>/dev/null || true
    kv12_xvfb_pid=""
  fi
}
