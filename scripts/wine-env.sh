# shellcheck shell=bash
# Sourced by the scripts that run Windows programs under Wine: one prefix for the
# project, no crash dialogs, no Mono/Gecko prompts, and a display for every call.
root="${root:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}"
export WINEPREFIX="${KV12_WINEPREFIX:-$root/build/wineprefix}"
export WINEARCH=win64
export WINEDEBUG=-all
# winedbg disabled: a crashing program exits at once (code 5) instead of opening a
# crash dialog that nobody can close.
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"

# Starts Xvfb on a free display when no display is set; the caller stops it with
# kv12_stop_xvfb. Wine must never run without a display: one such run leaves the
# wineserver unable to create windows until it is killed.
kv12_xvfb_pid=""
kv12_start_xvfb() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
  # Xvfb picks the display number itself (-displayfd), so two runs started at the
  # same moment never fight over one number.
  local numberFile number
  numberFile="$(mktemp)"
  Xvfb -displayfd 3 -screen 0 1280x900x24 -nolisten tcp 3>"$numberFile" >/dev/null 2>&1 &
  kv12_xvfb_pid=$!
  for _ in $(seq 1 100); do  # ten seconds at most
    if [ -s "$numberFile" ]; then
      number="$(tr -d '[:space:]' <"$numberFile")"
      export DISPLAY=":$number"
      rm -f "$numberFile"
      return 0
    fi
    # Xvfb exits at once when it cannot start.
    if ! kill -0 "$kv12_xvfb_pid" 2>/dev/null; then break; fi
    sleep 0.1
  done
  rm -f "$numberFile"
  kv12_stop_xvfb
  echo "Xvfb did not start" >&2
  return 1
}
kv12_stop_xvfb() {
  if [ -n "$kv12_xvfb_pid" ]; then
    kill "$kv12_xvfb_pid" 2>/dev/null || true
    wait "$kv12_xvfb_pid" 2>/dev/null || true
    kv12_xvfb_pid=""
  fi
}

# Windows programs run in a Chinese UTF-8 locale, as on the users' systems; without
# the locale generated, CreateFileW fails on Chinese file names.
kv12_use_wine_locale() {
  if locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
    export LANG=zh_CN.UTF-8
    unset LC_ALL
  fi
}

# Starts a wineserver that stays up, and Wine's own services, before a test run:
# started inside CTest, the services inherit its pipes and every test then takes
# seconds or never ends. Returns 0 when this call started the server (the caller
# then stops it with kv12_wine_stop), 1 when one was already running.
kv12_wine_start() {
  local started=1
  # Debian's wrapper passes -p0 first; a bare -p after it means "persist until killed".
  if wineserver -p 2>/dev/null; then started=0; fi
  (kv12_use_wine_locale && wine cmd /c exit </dev/null >/dev/null 2>&1) || true
  return $started
}
kv12_wine_stop() {
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
}
