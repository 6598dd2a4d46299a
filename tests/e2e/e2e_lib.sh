# Helpers of tests/e2e/run.sh: a private display and Wine prefix, run folders
# with the shipped defaults, the program started and driven with xdotool, and
# checks on its log, its device trace, config.bin and the screen.
# Sourced; expects root, exe and kv12ctl to be set.

passed=0
failed=0
app_pid=""
app_status=""
run=""
win_x=0
win_y=0

step() { echo "== $*"; }

# check DESCRIPTION COMMAND...: runs the command; counts and reports the result.
check() {
  local description="$1"
  shift
  if "$@" >/dev/null 2>&1; then
    passed=$((passed + 1))
    echo "  ok    $description"
  else
    failed=$((failed + 1))
    echo "  FAIL  $description"
  fi
}

# wait_for DESCRIPTION SECONDS COMMAND...: polls the command until it succeeds.
wait_for() {
  local description="$1" seconds="$2"
  shift 2
  local deadline=$((SECONDS + seconds))
  while [ $SECONDS -lt $deadline ]; do
    if "$@" >/dev/null 2>&1; then
      check "$description" true
      return 0
    fi
    sleep 0.2
  done
  check "$description (waited ${seconds} s)" false
  return 1
}

e2e_summary() {
  echo "$passed passed, $failed failed"
  echo "screenshots: $screens"
  [ "$failed" -eq 0 ]
}

e2e_setup() {
  out="$1"
  screens="$out/screens"
  work="$out/work"
  rm -rf "$screens" "$work"
  mkdir -p "$screens" "$work"
  # A prefix of its own: its wineserver can be stopped without touching the
  # unit tests that CTest may run at the same time in the project's prefix.
  export KV12_WINEPREFIX="$root/build/wineprefix-e2e"
  . "$root/scripts/wine-env.sh"
  # A display of its own too: the clicks go to absolute screen positions.
  unset DISPLAY
  kv12_start_xvfb || exit 1
  "$root/scripts/wine-prefix.sh" >&2 || exit 1
  kv12_use_wine_locale
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  wineserver -p 2>/dev/null || true
  wine cmd /c exit </dev/null >/dev/null 2>&1 || true
}

e2e_teardown() {
  if [ -n "$app_pid" ] && kill -0 "$app_pid" 2>/dev/null; then kill "$app_pid" 2>/dev/null || true; fi
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  kv12_stop_xvfb
}

# e2e_prepare_folder FOLDER LANGUAGE: the executable, the skins, a config.bin made
# from the shipped default profile, and the shipped str.ini with "Lan" set.
e2e_prepare_folder() {
  local folder="$1" language="$2"
  rm -rf "$folder"
  mkdir -p "$folder"
  cp "$exe" "$folder/KorvexKV12.exe"
  cp -r "$root/res/Skins" "$folder/Skins"
  wine "$kv12ctl" --dir "$(winepath -w "$folder" 2>/dev/null)" profile import \
    "$(winepath -w "$root/res/defaults/profile.json" 2>/dev/null)" >"$work/import.log" 2>&1 ||
    { echo "kv12ctl profile import failed:"; cat "$work/import.log"; exit 1; }
  # The import writes str.ini from the profile; the shipped one replaces it.
  sed "s/^Lan=.*/Lan=$language/" "$root/res/defaults/str.ini" >"$folder/str.ini"
}

# e2e_start FOLDER: starts the program there with the simulated mouse, a log and
# a trace, and waits until its window has been set up.
e2e_start() {
  run="$1"
  (cd "$run" && exec wine KorvexKV12.exe --simulate --log log.txt --trace trace.jsonl) >"$run/wine.out" 2>&1 &
  app_pid=$!
  app_status=""
  wait_for "the program starts ($(basename "$run"))" 30 log_has "window: started"
}

app_ended() { ! kill -0 "$app_pid" 2>/dev/null; }
app_exit_code() {
  if [ -z "$app_status" ]; then
    wait "$app_pid"
    app_status=$?
  fi
  echo "$app_status"
}

log_has() { grep -qF -- "$1" "$run/log.txt"; }
log_match() { grep -qE -- "$1" "$run/log.txt"; }
log_mark() { log_start=$(wc -l <"$run/log.txt"); }
log_has_since() { tail -n +$((log_start + 1)) "$run/log.txt" | grep -qF -- "$1"; }

trace_mark() { trace_start=$(wc -l <"$run/trace.jsonl"); }
trace_has_since() { tail -n +$((trace_start + 1)) "$run/trace.jsonl" | grep -qF "\"op\":\"$1\""; }
# The unscrambled commands sent since the mark, one hex string a line.
trace_commands_since() {
  tail -n +$((trace_start + 1)) "$run/trace.jsonl" | grep -F '"op":"set_feature"' |
    grep -o '"command":"[0-9a-f]*"' | cut -d'"' -f4
}
trace_since_has_command() { trace_commands_since | grep -qE -- "$1"; }

# dpi_stage_flags_since "on on on off": the enable bits of the four stage codes in
# the data report that follows the last DPI stages command (0x11) since the mark.
dpi_stage_flags_since() {
  local report flags="" i byte
  report=$(tail -n +$((trace_start + 1)) "$run/trace.jsonl" |
    awk '/"command":"11/ { found = 1; next } found && /"op":"write"/ { print; found = 0 }' | tail -n1 |
    grep -o '"report":"[0-9a-f]*"' | cut -d'"' -f4)
  [ -n "$report" ] || return 1
  for i in 1 2 3 4; do
    byte=$((16#${report:$((2 * i)):2}))
    if [ $((byte & 0x80)) -eq 0 ]; then flags="$flags on"; else flags="$flags off"; fi
  done
  [ "${flags# }" = "$1" ]
}

# config_byte FOLDER OFFSET VALUE: the settings block's byte (config.bin has the flag byte first).
config_byte() {
  local value
  value=$(od -An -tu1 -j $(($2 + 1)) -N1 "$1/config.bin" | tr -d ' ')
  [ "$value" = "$3" ]
}

# sim_control LINE...: hands commands to the simulated mouse, whole or not at all.
sim_control() {
  printf '%s\n' "$@" >"$run/sim-control.txt.new"
  mv "$run/sim-control.txt.new" "$run/sim-control.txt"
}

# The visible main window (the program's window at least 300 px wide), or nothing.
main_window() {
  local id
  for id in $(xdotool search --onlyvisible --class korvexkv12 2>/dev/null); do
    eval "$(xdotool getwindowgeometry --shell "$id" 2>/dev/null)"
    if [ "${WIDTH:-0}" -ge 300 ]; then
      echo "$id"
      return 0
    fi
  done
}

# A visible popup menu of the program (a small window), or nothing.
menu_window() {
  local id
  for id in $(xdotool search --onlyvisible --class korvexkv12 2>/dev/null); do
    eval "$(xdotool getwindowgeometry --shell "$id" 2>/dev/null)"
    if [ "${WIDTH:-0}" -lt 300 ] && [ "${HEIGHT:-0}" -lt 60 ]; then
      echo "$id"
      return 0
    fi
  done
}

# The screen position of the icon in Wine's tray window ("Wine System Tray").
tray_icon_position() {
  local id
  id=$(xdotool search --onlyvisible --name "Wine System Tray" 2>/dev/null | head -n1)
  [ -n "$id" ] || return 1
  eval "$(xdotool getwindowgeometry --shell "$id")"
  echo "$((X + 12)) $((Y + 32))"
}

tray_icon_gone() {
  # Wine hides its tray window when the last icon goes.
  [ -z "$(xdotool search --onlyvisible --name "Wine System Tray" 2>/dev/null)" ]
}

# Clicks the tray icon until the main window shows; remembers its position.
open_from_tray() {
  local attempt position id
  for attempt in 1 2 3; do
    position=$(tray_icon_position) || { sleep 0.5; continue; }
    # shellcheck disable=SC2086
    xdotool mousemove $position click 1
    local deadline=$((SECONDS + 5))
    while [ $SECONDS -lt $deadline ]; do
      id=$(main_window)
      if [ -n "$id" ]; then
        eval "$(xdotool getwindowgeometry --shell "$id")"
        win_x=$X
        win_y=$Y
        sleep 0.5
        return 0
      fi
      sleep 0.2
    done
  done
  return 1
}

exit_from_tray() {
  local attempt position id
  for attempt in 1 2 3; do
    position=$(tray_icon_position) || { sleep 0.5; continue; }
    # shellcheck disable=SC2086
    xdotool mousemove $position click 3
    local deadline=$((SECONDS + 3))
    while [ $SECONDS -lt $deadline ]; do
      id=$(menu_window)
      if [ -n "$id" ]; then
        eval "$(xdotool getwindowgeometry --shell "$id")"
        xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 1
        return 0
      fi
      sleep 0.2
    done
  done
  check "the tray menu opens" false
  return 1
}

# click_client X Y: a left click at a point of the main window's client area.
click_client() {
  xdotool mousemove $((win_x + $1)) $((win_y + $2)) click 1
  sleep 0.4
}

# screenshot NAME: the main window as it is on the screen, into the screenshots folder.
screenshot() {
  import -window root "$work/screen.png"
  local id
  id=$(main_window)
  if [ -n "$id" ]; then
    eval "$(xdotool getwindowgeometry --shell "$id")"
    /usr/bin/convert "$work/screen.png" -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$screens/$1.png"
  else
    cp "$work/screen.png" "$screens/$1.png"
  fi
  echo "  saved $screens/$1.png"
}

# crop_client NAME LEFT TOP RIGHT BOTTOM: a part of the client area, for comparisons.
crop_client() {
  sleep 0.3
  import -window root "$work/screen.png"
  /usr/bin/convert "$work/screen.png" -crop "$(($4 - $2))x$(($5 - $3))+$((win_x + $2))+$((win_y + $3))" +repage \
    "$work/$1.png"
}

images_equal() { [ "$(compare -metric AE "$work/$1.png" "$work/$2.png" null: 2>&1)" = "0" ]; }
images_differ() { ! images_equal "$1" "$2"; }
