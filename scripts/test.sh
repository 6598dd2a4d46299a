#!/usr/bin/env bash
# The one test entry point. Prepares the machine (scripts/setup.sh), then
# configures, builds and tests the presets in turn (the fuzz step runs the fuzz
# targets briefly), then checks the packages,
# stopping at the first failure:
#   native       Linux, g++
#   fuzz         the libFuzzer targets (clang 14), each run briefly from its seeds
#                (scripts/fuzz.sh)
#   native-asan  Linux, g++ with AddressSanitizer and UndefinedBehaviorSanitizer
#   windows      MinGW-w64 cross build of everything; the tests of every folder of
#                tests/ run under Wine, one folder after the other (on Xvfb when
#                no display is set)
#   package      the Windows zip and the Debian package (scripts/package.sh),
#                checked by tests/package/check.sh
# Usage: scripts/test.sh [step...]   (default: all five, in that order)
# Environment:
#   KV12_JOBS          parallel build and test jobs (default 2)
#   KV12_BUILD_ROOT    the folder holding one build folder per preset (default: build,
#                      as the presets say)
#   KV12_WINE_TESTS    test folders run under Wine (default "all": every folder of
#                      tests/ in the Windows build; or a list such as "core win32")
#   KV12_NO_SKIP       1 (the default here): a test that cannot run on this machine
#                      fails instead of skipping, and a run with a skipped test fails;
#                      0 lets skips pass (a developer with the mouse plugged in)
#   KV12_FUZZ_SECONDS  seconds per fuzz target in the fuzz step (default 15)
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
jobs="${KV12_JOBS:-2}"
buildRoot="${KV12_BUILD_ROOT:-$root/build}"
logs="$buildRoot/test-logs"
# Where the tests run, nothing they need is missing: a skip would only hide a
# test that stopped running (tests/common/skip.h).
export KV12_NO_SKIP="${KV12_NO_SKIP:-1}"

presets=("$@")
[ ${#presets[@]} -gt 0 ] || presets=(native fuzz native-asan windows package)

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
  if [ "$KV12_NO_SKIP" != 0 ] && grep -q -F '***Skipped' "$log"; then
    grep -E '\(Skipped\)$' "$log" >&2 || true
    echo "FAILED: skipped tests in $dir (full log: $log)" >&2
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

# Runs every fuzz target briefly; prints each target's figures, or the input that failed.
run_fuzz() {
  local start=$SECONDS
  KV12_BUILD_ROOT="$buildRoot" KV12_JOBS="$jobs" "$root/scripts/fuzz.sh" "${KV12_FUZZ_SECONDS:-15}"
  echo "  fuzz: $((SECONDS - start)) s"
}

total=$SECONDS
for preset in "${presets[@]}"; do
  case "$preset" in
    native|native-asan|windows) ;;
    package) run_package; continue ;;
    fuzz) run_fuzz; continue ;;
    *) echo "unknown preset: $preset" >&2; exit 2 ;;
  esac
  start=$SECONDS
  echo "== $preset"
  quiet "$logs/$preset-configure.log" cmake --preset "$preset" -B "$buildRoot/$preset"
  quiet "$logs/$preset-build.log" cmake --build "$buildRoot/$preset" -j "$jobs"
  built=$SECONDS
  if [ "$preset" = windows ]; then
    prepare_wine
    # One test folder after the other, so that the output says which one failed.
    wineTests="${KV12_WINE_TESTS:-all}"
    if [ "$wineTests" = all ]; then
      wineTests=""
      for dir in "$buildRoot/$preset"/tests/*/; do
        if [ -f "$dir/CTestTestfile.cmake" ]; then wineTests+=" $(basename "$dir")"; fi
      done
    fi
    for dir in $wineTests; do run_ctest "$buildRoot/$preset/tests/$dir" "$preset-$dir"; done
  else
    run_ctest "$buildRoot/$preset" "$preset"
  fi
  echo "  $preset: configure+build $((built - start)) s, tests $((SECONDS - built)) s"
done
echo "== all passed in $((SECONDS - total)) s"
