#!/usr/bin/env bash
# Builds the two packages with CPack into build/packages (docs/install.md):
#   KorvexKV12-<version>-windows-x64.zip  from the windows preset's build folder
#   kv12ctl_<version>_<arch>.deb          from the native preset's build folder
# Each folder is configured from its preset when it has not been yet; only the
# packaged programs are built. Runs scripts/setup.sh first.
# Usage: scripts/package.sh
# Environment: KV12_JOBS (default 2), KV12_BUILD_ROOT (default build), as for scripts/test.sh.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
jobs="${KV12_JOBS:-2}"
buildRoot="${KV12_BUILD_ROOT:-$root/build}"
out="$buildRoot/packages"
logs="$buildRoot/package-logs"

"$root/scripts/setup.sh"
rm -rf "$out"
mkdir -p "$out" "$logs"

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

package() {
  local preset="$1" pattern="$2"
  shift 2
  local build="$buildRoot/$preset"
  if [ ! -f "$build/CMakeCache.txt" ]; then
    quiet "$logs/$preset-configure.log" cmake --preset "$preset" -B "$build"
  fi
  quiet "$logs/$preset-build.log" cmake --build "$build" -j "$jobs" --target "$@"
  # CPack's work folder stays in the build folder; only the package goes to $out.
  mkdir -p "$build/cpack"
  find "$build/cpack" -maxdepth 1 -name "$pattern" -delete
  quiet "$logs/$preset-cpack.log" cpack --config "$build/CPackConfig.cmake" -B "$build/cpack"
  local file
  file="$(find "$build/cpack" -maxdepth 1 -name "$pattern" | head -n1)"
  if [ -z "$file" ]; then
    echo "FAILED: cpack made no $pattern in $build/cpack (log: $logs/$preset-cpack.log)" >&2
    exit 1
  fi
  mv "$file" "$out/"
  echo "  $(basename "$file"): $(stat -c %s "$out/$(basename "$file")") bytes"
}

package windows "KorvexKV12-*-windows-x64.zip" KorvexKV12 kv12ctl
package native "kv12ctl_*.deb" kv12ctl
echo "packages in $out"
