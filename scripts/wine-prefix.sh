#!/usr/bin/env bash
# Creates the project's Wine prefix once: fonts that can draw Chinese, no window
# manager delays, and the registry settings measured to make the GUI render.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
. "$root/scripts/wine-env.sh"

stamp="$WINEPREFIX/.kv12-ready"
[ -f "$stamp" ] && exit 0

# Two callers at once (parallel tests on a fresh checkout) build the prefix once.
# Wine's processes get the lock's descriptor closed (8>&-), so none of them keeps it.
mkdir -p "$(dirname "$WINEPREFIX")"
exec 8>"$WINEPREFIX.lock"
flock 8
[ -f "$stamp" ] && exit 0

echo "setup: preparing the Wine prefix in $WINEPREFIX"
mkdir -p "$WINEPREFIX"
kv12_start_xvfb 8>&-
trap kv12_stop_xvfb EXIT

wineboot --init >/dev/null 2>&1 8>&- || true
wineserver -w || true

fonts="$WINEPREFIX/drive_c/windows/Fonts"
mkdir -p "$fonts"
cp -n /usr/share/wine/fonts/*.ttf "$fonts/" 2>/dev/null || true

reg="$(mktemp --suffix=.reg)"
cat > "$reg" <<'REG'
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"宋体"="WenQuanYi Micro Hei"
"黑体"="WenQuanYi Micro Hei"
"SimSun"="WenQuanYi Micro Hei"
"SimHei"="WenQuanYi Micro Hei"
"Microsoft YaHei"="WenQuanYi Micro Hei"
"微软雅黑"="WenQuanYi Micro Hei"
"新細明體"="WenQuanYi Micro Hei"
"PMingLiU"="WenQuanYi Micro Hei"
"Microsoft JhengHei"="WenQuanYi Micro Hei"

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink]
"Tahoma"=hex(7):77,00,71,00,79,00,2d,00,6d,00,69,00,63,00,72,00,6f,00,68,00,65,00,69,00,2e,00,74,00,74,00,63,00,2c,00,57,00,65,00,6e,00,51,00,75,00,61,00,6e,00,59,00,69,00,20,00,4d,00,69,00,63,00,72,00,6f,00,20,00,48,00,65,00,69,00,00,00,00,00
"MS Shell Dlg"=hex(7):77,00,71,00,79,00,2d,00,6d,00,69,00,63,00,72,00,6f,00,68,00,65,00,69,00,2e,00,74,00,74,00,63,00,2c,00,57,00,65,00,6e,00,51,00,75,00,61,00,6e,00,59,00,69,00,20,00,4d,00,69,00,63,00,72,00,6f,00,20,00,48,00,65,00,69,00,00,00,00,00
"Liberation Sans"=hex(7):77,00,71,00,79,00,2d,00,6d,00,69,00,63,00,72,00,6f,00,68,00,65,00,69,00,2e,00,74,00,74,00,63,00,2c,00,57,00,65,00,6e,00,51,00,75,00,61,00,6e,00,59,00,69,00,20,00,4d,00,69,00,63,00,72,00,6f,00,20,00,48,00,65,00,69,00,00,00,00,00
REG
# regedit reads .reg files in the ANSI code page unless they carry a UTF-16 BOM.
iconv -f UTF-8 -t UTF-16 "$reg" > "$reg.u16"
wine regedit /S "$(winepath -w "$reg.u16" 2>/dev/null 8>&-)" >/dev/null 2>&1 8>&- || true
rm -f "$reg" "$reg.u16"
wineserver -k || true
wineserver -w || true
touch "$stamp"
