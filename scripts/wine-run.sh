#!/usr/bin/env bash
# Runs one Windows program under the project's Wine prefix; CTest uses it as the
# cross-compiling emulator, so ctest also works when called by hand in the Windows
# build folder (with DISPLAY set).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
. "$root/scripts/wine-env.sh"

if [ -z "${DISPLAY:-}" ]; then
  echo "wine-run: DISPLAY is not set; run scripts/test.sh, or start Xvfb and export DISPLAY" >&2
  exit 125
fi
[ -f "$WINEPREFIX/.kv12-ready" ] || "$root/scripts/wine-prefix.sh" >&2
kv12_use_wine_locale

# When no wineserver is up (ctest run by hand), start one that outlives this
# program by a minute and bring up Wine's services with our pipes closed, under a
# lock so that parallel tests wait for that instead of starting the services
# themselves inside CTest's pipes.
# (The lock's descriptor is kept from the processes that outlive this script.)
exec 9>"$WINEPREFIX/.kv12-start.lock"
flock 9
if wineserver -p60 2>/dev/null 9>&-; then
  wine cmd /c exit </dev/null >/dev/null 2>&1 9>&- || true
fi
flock -u 9
exec 9>&-

exec wine "$@"
