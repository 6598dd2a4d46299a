#!/usr/bin/env bash
# Builds the libFuzzer targets (the fuzz preset: clang 14 with AddressSanitizer
# and UndefinedBehaviorSanitizer) and runs each for a while, one after the other.
# Each target starts from a fresh copy of its seeds (fuzz/corpus/<target>) in the
# build folder, so the repository's corpus never grows by itself; what a run
# found stays in <build>/corpus/<target> until the next run. A crash, a failed
# check, a leak or an input that hangs stops the script at once with the path
# of the input that did it. See docs/fuzzing.md.
# Usage: scripts/fuzz.sh [seconds-per-target] [target...]
#   seconds-per-target  default 20; a long run: scripts/fuzz.sh 3600
#   target              config_bin ini record_ini profile_json device (default: all)
# Environment:
#   KV12_JOBS        parallel build jobs (default 2)
#   KV12_BUILD_ROOT  the folder holding one build folder per preset (default: build)
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
seconds="${1:-20}"
[ $# -gt 0 ] && shift
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(config_bin ini record_ini profile_json device png)
if ! [[ "$seconds" =~ ^[1-9][0-9]*$ ]]; then
  echo "usage: scripts/fuzz.sh [seconds-per-target] [target...]" >&2
  exit 2
fi
jobs="${KV12_JOBS:-2}"
build="${KV12_BUILD_ROOT:-$root/build}/fuzz"
logs="$build/logs"
mkdir -p "$logs"

for target in "${targets[@]}"; do
  if [ ! -d "$root/fuzz/corpus/$target" ]; then
    echo "unknown target: $target (no fuzz/corpus/$target)" >&2
    exit 2
  fi
done

echo "== fuzz: configure and build"
if ! { cmake --preset fuzz -B "$build" && cmake --build "$build" -j "$jobs" \
         --target "${targets[@]/#/fuzz_}"; } >"$logs/build.log" 2>&1; then
  tail -n 40 "$logs/build.log" >&2
  echo "FAILED: building the fuzz targets (full log: $logs/build.log)" >&2
  exit 1
fi

# The last value of one of libFuzzer's final statistics in a log.
stat() {
  sed -n "s/^stat::$1: *//p" "$2" | tail -n 1
}

for target in "${targets[@]}"; do
  corpus="$build/corpus/$target"
  artifacts="$build/artifacts/$target"
  log="$logs/$target.log"
  rm -rf "$corpus"
  mkdir -p "$corpus" "$artifacts"
  cp "$root/fuzz/corpus/$target"/* "$corpus/"
  seeds=$(find "$corpus" -type f | wc -l)
  dict=()
  [ -f "$root/fuzz/dict/$target.dict" ] && dict=("-dict=$root/fuzz/dict/$target.dict")
  # -timeout: an input that takes this long counts as a hang; -max_len leaves
  # room for a whole config.bin and for profiles with long texts.
  if ! "$build/fuzz/fuzz_$target" "$corpus" "${dict[@]}" -max_total_time="$seconds" -timeout=10 \
       -max_len=8192 -print_final_stats=1 -artifact_prefix="$artifacts/" >"$log" 2>&1; then
    grep -E '^(==[0-9]+==ERROR|SUMMARY|fuzz check failed|ALARM)' "$log" | head -n 5 >&2 || true
    input=$(sed -n 's/.*Test unit written to \(.*\)$/\1/p' "$log" | head -n 1)
    echo "FAILED: fuzz_$target found a problem; the input: ${input:-(none written, see the log)}" >&2
    echo "  reproduce: $build/fuzz/fuzz_$target ${input:-<input>}  (full log: $log)" >&2
    exit 1
  fi
  runs=$(stat number_of_executed_units "$log")
  speed=$(stat average_exec_per_sec "$log")
  size=$(find "$corpus" -type f | wc -l)
  echo "  $target: ${runs:-?} executions, ${speed:-?} exec/s, corpus $seeds -> $size inputs in $seconds s"
done
echo "== fuzz: no findings"
