#!/usr/bin/env bash
# The one test entry point. Prepares the machine (scripts/setup.sh), then
# configures, builds and tests three presets in turn, then checks the packages,
# stopping at the first failure:
#   native       Linux, g++
#   native-asan  Linux, g++ with AddressSanitizer and UndefinedBehaviorSanitizer
#   windows      MinGW-w64 cross build of everything; the core and Windows-layer
#                tests run under Wine (on Xvfb when no display is set)
#   package      the Windows zip and the Debian package (scripts/package.sh),
#                checked by tests/package/check.sh
# Usage: scripts/test.sh [step...]   (default: all four, in that order)
# Environment:
#   KV12_JOBS          parallel build and test jobs (default 2)
#   KV12_BUILD_ROOT    the folder holding one build folder per preset (default: build,
#                      as the presets say)
#   KV12_WINE_TESTS    test folders run under Wine (default "core win32"; "all" for every test)
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
jobs="${KV12_JOBS:-2}"
buildRoot="${KV12_BUILD_ROOT:-$root/build}"
logs="$buildRoot/test-logs"

presets=("$@")
[ ${#presets[@]} -gt 0 ] || presets=(native native-asan windows package)

"$root/scripts/setup.sh"
mkdir -p "$logs"

. "$root/scripts/wine-env.sh"
ownWineserver=1
cleanup() {
  if [ "$ownWineserver" -eq 0 ]; then kv12_wine_stop; fi
  kv12_stop_xvfb
}
trap cleanup EXIT

# Runs a command with its output in a log; on failure shows the end of the log and stops.
quiet() {
  local log="$1"
  shift
  if ! "$@" >"$log" 2>&1; then
    echo "FAILED: $*" >&2
    tail -n 60 "$log" >&2
    echo "(full log: $log)" >&2
    exit 1
  fi
}

# Runs ctest in a build folder (or one of its test folders); prints its summary
# lines, or on failure the first failures' output and the list of failed tests.
# A test that hangs fails after two minutes (the end-to-end test sets its own limit).
run_ctest() {
  local dir="$1" name="$2" log="$logs/$2-ctest.log"
  if [ ! -f "$dir/CTestTestfile.cmake" ]; then
    echo "FAILED: no tests in $dir" >&2
    exit 1
  fi
  echo "  $name:"
  if ! ctest --test-dir "$dir" -j "$jobs" --timeout 120 --output-on-failure >"$log" 2>&1; then
    # The first failures' output, then ctest's list of every failed test.
    grep -v -E '^ *(Start +[0-9]+:|[0-9]+/[0-9]+ Test +#[0-9]+:.* Passed )' "$log" |
      sed '/tests passed, /,$d' | head -n 120 >&2 || true
    sed -n '/tests passed, /,$p' "$log" | head -n 60 >&2
    echo "FAILED: ctest in $dir (full log: $log)" >&2
    exit 1
  fi
  grep -E 'tests passed|tests failed|Total Test time' "$log" | sed "s/^/    /"
}

# Brings up the display and a lasting wineserver for the Windows tests (the locale
# is set for each Windows program by scripts/wine-run.sh).
prepare_wine() {
  kv12_start_xvfb
  if kv12_wine_start; then ownWineserver=0; fi
}

# Builds both packages and checks them; prints the packages and the checks' summary.
run_package() {
  local start=$SECONDS
  echo "== package"
  quiet "$logs/package-build.log" "$root/scripts/package.sh"
  grep -E '^  .*: [0-9]+ bytes$' "$logs/package-build.log" | sed 's/^/  /'
  built=$SECONDS
  quiet "$logs/package-check.log" "$root/tests/package/check.sh" "$buildRoot/packages" "$buildRoot/package-check"
  echo "    $(tail -n 2 "$logs/package-check.log" | head -n 1)"
  echo "  package: build $((built - start)) s, checks $((SECONDS - built)) s"
}

total=$SECONDS
for preset in "${presets[@]}"; do
  case "$preset" in
    native|native-asan|windows) ;;
    package) run_package; continue ;;
    *) echo "unknown preset: $preset" >&2; exit 2 ;;
  esac
  start=$SECONDS
  echo "== $preset"
  quiet "$logs/$preset-configure.log" cmake --preset "$preset" -B "$buildRoot/$preset"
  quiet "$logs/$preset-build.log" cmake --build "$buildRoot/$preset" -j "$jobs"
  built=$SECONDS
  if [ "$preset" = windows ]; then
    prepare_wine
    wineTests="${KV12_WINE_TESTS:-core win32}"
    if [ "$wineTests" = all ]; then
      run_ctest "$buildRoot/$preset" "$preset"
    else
      for dir in $wineTests; do run_ctest "$buildRoot/$preset/tests/$dir" "$preset-$dir"; done
    fi
  else
    run_ctest "$buildRoot/$preset" "$preset"
  fi
  echo "  $preset: configure+build $((built - start)) s, tests $((SECONDS - built)) s"
done
echo "== all passed in $((SECONDS - total)) s"
