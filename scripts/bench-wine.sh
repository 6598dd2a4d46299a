#!/usr/bin/env bash
# Builds KorvexKV12.exe and the empty tray program beside it, then runs the Wine
# benchmark (bench/wine/run.sh): start-up, memory, image decodes and first paint
# of the program next to the empty tray program. Prints figures; a missed target
# never fails it (see docs/performance.md).
#
#   scripts/bench-wine.sh [--runs N] [--show-cycles N] [--sweeps N] [--settle SECONDS]
#                         [--markdown FILE] [--out DIR]
#
# KV12_BENCH_BUILD names an already configured Windows build folder to use
# instead of the windows preset's build/windows.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
jobs="${KV12_JOBS:-2}"

"$root/scripts/setup.sh"
build="${KV12_BENCH_BUILD:-$root/build/windows}"
mkdir -p "$root/build"
if [ -z "${KV12_BENCH_BUILD:-}" ]; then
  echo "bench-wine: configuring the windows preset"
  cmake --preset windows >"$root/build/bench-wine-configure.log" 2>&1 ||
    { tail -n 40 "$root/build/bench-wine-configure.log"; exit 1; }
fi
echo "bench-wine: building KorvexKV12.exe and empty_tray.exe in $build"
cmake --build "$build" -j "$jobs" --target KorvexKV12 empty_tray >"$root/build/bench-wine-build.log" 2>&1 ||
  { tail -n 40 "$root/build/bench-wine-build.log"; exit 1; }

exec "$root/bench/wine/run.sh" "$@" "$build/src/win32/KorvexKV12.exe" "$build/src/win32/empty_tray.exe"
