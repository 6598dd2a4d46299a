#!/usr/bin/env bash
# Checks the two packages that scripts/package.sh made (docs/install.md):
#   the Windows zip: exactly the files a user needs, stripped executables, the
#     shipped defaults; unpacked into a fresh folder, KorvexKV12.exe starts under
#     Wine, shows its tray icon, says that it finds no mouse and ends through
#     Exit; with the simulated mouse its window opens from the tray icon;
#   the Debian package: kv12ctl (stripped) and the udev rule, the library
#     dependency, a dpkg -i into a private root (the machine's package database
#     copied in, so the dependencies are checked and the machine is left alone),
#     kv12ctl --version from there.
# Usage: tests/package/check.sh PACKAGE_FOLDER OUTPUT_FOLDER
# Exit code 0 when every check passed.
set -uo pipefail

packages="$(realpath "$1")"
checks="$(realpath -m "$2")"
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
# The e2e helpers (check, wait_for, the tray and the window, the private display and prefix).
exe="" kv12ctl=""
. "$root/tests/e2e/e2e_lib.sh"

version="$(sed -n 's/^project(KorvexKV12 VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")"
zip="$packages/KorvexKV12-$version-windows-x64.zip"
deb="$(find "$packages" -maxdepth 1 -name "kv12ctl_${version}_*.deb" | head -n1)"

# No section named .debug* in a PE or ELF file.
no_debug_sections_pe() { ! x86_64-w64-mingw32-objdump -h "$1" | grep -q ' \.debug'; }
no_debug_sections_elf() { ! readelf -S -W "$1" | grep -q ' \.debug'; }

mkdir -p "$checks"

# --- the Windows zip -----------------------------------------------------------
step "the Windows zip"
check "the zip is there ($(basename "$zip"))" test -f "$zip"
top="KorvexKV12-$version-windows-x64"
expected="$checks/zip-expected.txt"
{
  printf '%s\n' "$top/KorvexKV12.exe" "$top/kv12ctl.exe" "$top/config.bin" "$top/str.ini" "$top/README.txt"
  (cd "$root/res" && find Skins -type f | sed "s|^|$top/|")
} | sort >"$expected"
unzip -Z1 "$zip" 2>/dev/null | grep -v '/$' | sort >"$checks/zip-files.txt"
check "it holds the programs, both skins, the defaults and the read-me, nothing else" \
  diff "$expected" "$checks/zip-files.txt"

e2e_setup "$checks/wine"
trap e2e_teardown EXIT
fresh="$checks/wine/fresh"
rm -rf "$fresh"
mkdir -p "$fresh"
unzip -q "$zip" -d "$fresh"
folder="$fresh/$top"
check "KorvexKV12.exe has no debug sections" no_debug_sections_pe "$folder/KorvexKV12.exe"
check "kv12ctl.exe has no debug sections" no_debug_sections_pe "$folder/kv12ctl.exe"
check "config.bin is the shipped default" cmp "$folder/config.bin" "$root/res/defaults/config.bin"
check "str.ini is the shipped default" cmp "$folder/str.ini" "$root/res/defaults/str.ini"
check "the read-me has Windows line ends" grep -q $'\r$' "$folder/README.txt"

step "the unpacked program runs under Wine as a user starts it"
run="$folder"
# No --simulate: the real HID backend, which finds no mouse under Wine. The log
# only records what the program does.
(cd "$run" && exec wine KorvexKV12.exe --log log.txt) >"$checks/wine/wine.out" 2>&1 &
app_pid=$!
app_status=""
noMouse="balloon: Warning: The system did not detect the gaming mouse!"
wait_for "the program starts from the unpacked folder" 30 log_has "window: started"
wait_for "its tray icon appears" 15 tray_icon_position
check "it found no mouse and said so" log_has "$noMouse"
# Without a mouse a click on the icon searches again and says so again.
log_mark
# shellcheck disable=SC2046
xdotool mousemove $(tray_icon_position) click 1
wait_for "a click on the tray icon searches for the mouse again" 10 log_has_since "$noMouse"
exit_from_tray
wait_for "Exit ends the program" 20 app_ended
check "exit code 0" test "$(app_exit_code)" = 0
check "the tray icon is gone" tray_icon_gone

step "the unpacked program shows its window (simulated mouse)"
# The skins and defaults of the zip draw the window; --simulate gives it a mouse.
rm -f "$run/log.txt"
(cd "$run" && exec wine KorvexKV12.exe --simulate --log log.txt) >"$checks/wine/wine-sim.out" 2>&1 &
app_pid=$!
app_status=""
wait_for "the program starts" 30 log_has "window: started"
check "the window opens from the tray icon" open_from_tray
check "every skin image was drawn, no message box" sh -c "! grep -qE '^(image: cannot|message:)' '$run/log.txt'"
screenshot zip-window
exit_from_tray
wait_for "Exit ends the program" 20 app_ended
check "exit code 0" test "$(app_exit_code)" = 0
wineVersion="$(wine "$folder/kv12ctl.exe" --version 2>/dev/null | tr -d '\r')"
check "kv12ctl.exe --version runs ($wineVersion)" test "$wineVersion" = "kv12ctl $version"

# --- the Debian package ------------------------------------------------------------
step "the Debian package"
check "the package is there ($(basename "${deb:-kv12ctl_$version.deb}"))" test -n "$deb"
dpkg-deb -c "$deb" 2>/dev/null | awk '{print $NF}' >"$checks/deb-files.txt"
check "it holds /usr/bin/kv12ctl" grep -qx './usr/bin/kv12ctl' "$checks/deb-files.txt"
check "it holds the udev rule" grep -qx './usr/lib/udev/rules.d/70-korvexkv12.rules' "$checks/deb-files.txt"
check "it depends on libhidapi-hidraw0" sh -c "dpkg-deb -f '$deb' Depends | grep -q libhidapi-hidraw0"

instroot="$checks/deb-root"
rm -rf "$instroot"
mkdir -p "$instroot/var/lib/dpkg/info" "$instroot/var/lib/dpkg/updates"
cp /var/lib/dpkg/status "$instroot/var/lib/dpkg/status"
touch "$instroot/var/lib/dpkg/available"
notRoot=()
[ "$(id -u)" -eq 0 ] || notRoot=(--force-not-root)
check "dpkg -i installs it" dpkg --root="$instroot" "${notRoot[@]}" -i "$deb"
check "dpkg counts it as installed" sh -c \
  "dpkg --root='$instroot' -s kv12ctl 2>/dev/null | grep -qx 'Status: install ok installed'"
installed="$instroot/usr/bin/kv12ctl"
check "the installed kv12ctl has no debug sections" no_debug_sections_elf "$installed"
check "kv12ctl --version runs" test "$("$installed" --version 2>&1)" = "kv12ctl $version"
check "the installed rule tags the mouse's hidraw nodes with uaccess" grep -qE \
  '^SUBSYSTEM=="hidraw", ATTRS\{idVendor\}=="04d9", ATTRS\{idProduct\}=="a09f", TAG\+="uaccess"$' \
  "$instroot/usr/lib/udev/rules.d/70-korvexkv12.rules"
if ! grep -qs '000004D9:0000A09F' /sys/class/hidraw/*/device/uevent; then
  "$installed" device list >"$checks/device-list.out" 2>&1
  status=$?
  check "without a mouse, device list says none is connected and exits with 2" test "$status" = 2 -a \
    "$(cat "$checks/device-list.out")" = "kv12ctl: no mouse connected (HID vendor 04d9, product a09f)"
fi

e2e_summary
