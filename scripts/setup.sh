#!/usr/bin/env bash
# Installs everything the build and the tests need on Debian 12 and prepares the
# Wine prefix used by the Windows tests. Safe to run again: it only installs what
# is missing and stays quiet when everything is present.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

packages=(
  build-essential cmake ninja-build pkg-config git
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  nlohmann-json3-dev libcli11-dev
  g++-mingw-w64-x86-64-posix mingw-w64-tools
  wine wine64 xvfb xdotool imagemagick x11-apps x11-utils fonts-wqy-microhei locales
  librsvg2-bin
  clang-14 libclang-rt-14-dev
  libhidapi-dev libx11-dev unzip dpkg-dev
  zlib1g-dev libz-mingw-w64-dev
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Chinese file names only work under Wine with a UTF-8 Chinese locale present.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf8$'; then
  echo "setup: generating the zh_CN.UTF-8 locale"
  localedef -i zh_CN -f UTF-8 zh_CN.UTF-8 >/dev/null 2>&1 || true
fi

"$root/scripts/wine-prefix.sh"
