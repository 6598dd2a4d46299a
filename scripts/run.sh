#!/usr/bin/env bash
# Builds KorvexKV12.exe and runs it under Wine with the simulated mouse, in a run
# folder build/run that holds the shipped skins and defaults (config.bin, str.ini;
# kept between runs, so that settings you apply stay).
#
#   scripts/run.sh [program options...]     e.g. scripts/run.sh --sim-sensor-type 1
#
# With a display the program runs until you choose Exit from its tray icon (the
# "Wine System Tray" window). Without a display it runs on a private Xvfb: the
# script opens the window from the tray, saves a screenshot, prints its path and
# ends the program.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
jobs="${KV12_JOBS:-2}"
# The e2e test's helpers: starting, clicking the tray icon, screenshots.
. "$root/tests/e2e/e2e_lib.sh"

"$root/scripts/setup.sh"
# KV12_RUN_BUILD names an already configured Windows build folder to use instead
# of the preset's.
build="${KV12_RUN_BUILD:-$root/build/windows}"
mkdir -p "$root/build"
if [ -z "${KV12_RUN_BUILD:-}" ]; then
  echo "run: configuring the windows preset"
  cmake --preset windows >"$root/build/run-configure.log" 2>&1 ||
    { tail -n 40 "$root/build/run-configure.log"; exit 1; }
fi
echo "run: building KorvexKV12.exe in $build"
cmake --build "$build" -j "$jobs" --target KorvexKV12 >"$root/build/run-build.log" 2>&1 ||
  { tail -n 40 "$root/build/run-build.log"; exit 1; }
exe="$build/src/win32/KorvexKV12.exe"

# A Wine prefix of its own, so that ending its wineserver never disturbs tests
# running in the project's prefix.
export KV12_WINEPREFIX="${KV12_WINEPREFIX:-$root/build/wineprefix-run}"
. "$root/scripts/wine-env.sh"
headless=0
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
  headless=1
  unset DISPLAY
  kv12_start_xvfb
fi
cleanup() {
  if [ "$headless" -eq 1 ]; then
    wineserver -k 2>/dev/null || true
    kv12_stop_xvfb
  fi
}
trap cleanup EXIT
"$root/scripts/wine-prefix.sh"
kv12_use_wine_locale

run="$root/build/run"
mkdir -p "$run"
cp "$exe" "$run/KorvexKV12.exe"
rm -rf "$run/Skins"
cp -r "$root/res/Skins" "$run/Skins"
# The shipped defaults, unless an earlier run left the user's own settings.
[ -f "$run/config.bin" ] || cp "$root/res/defaults/config.bin" "$run/config.bin"
[ -f "$run/str.ini" ] || cp "$root/res/defaults/str.ini" "$run/str.ini"

echo "run: starting $run/KorvexKV12.exe --simulate (log: $run/log.txt, device trace: $run/trace.jsonl)"
if [ "$headless" -eq 0 ]; then
  echo "run: the window starts hidden; click the icon in the \"Wine System Tray\" window to open it"
  cd "$run"
  exec wine KorvexKV12.exe --simulate --log log.txt --trace trace.jsonl "$@"
fi

# Headless: open the window from the tray, take a picture, end the program.
work="$(mktemp -d)"
screens="$run"
rm -f "$run/log.txt"
(cd "$run" && exec wine KorvexKV12.exe --simulate --log log.txt --trace trace.jsonl "$@") >"$run/wine.out" 2>&1 &
app_pid=$!
for _ in $(seq 1 150); do
  grep -qF "window: started" "$run/log.txt" 2>/dev/null && break
  kill -0 "$app_pid" 2>/dev/null || { echo "run: the program ended early (see $run/wine.out)"; exit 1; }
  sleep 0.2
done
if ! open_from_tray; then
  echo "run: the window did not open from the tray icon (log: $run/log.txt)"
  exit 1
fi
screenshot screenshot >/dev/null
exit_from_tray || kill "$app_pid" 2>/dev/null || true
wait "$app_pid" 2>/dev/null || true
rm -rf "$work"
echo "run: screenshot saved to $run/screenshot.png"
