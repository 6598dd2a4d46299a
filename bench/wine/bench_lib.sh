# shellcheck shell=bash
# shellcheck disable=SC2154,SC2034  # variables shared with run.sh and tests/e2e/e2e_lib.sh
# Helpers of bench/wine/run.sh: starting and ending the two programs with a
# stopwatch on the tray icon, reading a process's memory, the hover sweep and
# the tour of every dialog. Sourced after tests/e2e/e2e_lib.sh; expects root,
# out, work, exe and empty_dir to be set; launch_timed leaves its figures in
# tray_ms and ready_ms.

# The log line of a start that found the mouse (the program runs in English).
READY_LINE="balloon: Info: The system detect the gaming mouse."

tray_ms=""
ready_ms=""
tray_watch="$out/tray_watch"

# build_tray_watch: the native stopwatch, rebuilt when its source is newer.
build_tray_watch() {
  local source="$root/bench/wine/tray_watch.cpp"
  [ "$tray_watch" -nt "$source" ] && return 0
  g++ -std=c++20 -O2 -Wall -Wextra "$source" -lX11 -o "$tray_watch" ||
    { echo "bench: cannot build $source (is libx11-dev installed? scripts/setup.sh installs it)"; return 1; }
}

# The pointer away from the tray window and from where the main window opens.
park_pointer() { xdotool mousemove 1270 890; }

# wait_tray_gone: Wine hides its tray window when the last icon goes; a start
# is only timed from a screen without one.
wait_tray_gone() {
  "$tray_watch" --gone --timeout 15 || { echo "bench: the tray window of the previous run stays"; return 1; }
}

# launch_timed FOLDER PROGRAM [ARGS...]: starts the program in its folder and
# waits for its tray icon and, when it is given --log, for READY_LINE in its
# log; sets app_pid, tray_ms and ready_ms (milliseconds after the launch).
launch_timed() {
  local folder="$1" timings log_args=()
  shift
  wait_tray_gone || return 1
  park_pointer
  case " $* " in *" --log "*) log_args=(--log "$folder/log.txt" --line "$READY_LINE") ;; esac
  local start=${EPOCHREALTIME//[!0-9]/}
  (cd "$folder" && exec wine "$@") >"$folder/wine.out" 2>&1 &
  app_pid=$!
  timings=$("$tray_watch" --since "$start" --pid "$app_pid" --timeout 60 "${log_args[@]}")
  local status=$?
  tray_ms=$(awk '$1 == "tray" { printf "%d", $2 + 0.5 }' <<<"$timings")
  ready_ms=$(awk '$1 == "ready" { printf "%d", $2 + 0.5 }' <<<"$timings")
  if [ "$status" -ne 0 ]; then
    echo "bench: $1 in $folder did not get as far as expected (see $folder/wine.out)"
    return 1
  fi
}

start_empty() { launch_timed "$empty_dir" empty_tray.exe; }

# stop_empty: a click on its icon ends the empty program.
stop_empty() {
  local position
  position=$(tray_icon_position) || { echo "bench: the empty program's icon is gone"; return 1; }
  # shellcheck disable=SC2086
  xdotool mousemove $position click 1
  wait_ended "the empty program"
}

# wait_ended WHAT: waits for app_pid to end; kills it after 20 s (a figure
# taken meanwhile is still good, but the run is not).
wait_ended() {
  local deadline=$((SECONDS + 20))
  while kill -0 "$app_pid" 2>/dev/null; do
    if [ $SECONDS -ge $deadline ]; then
      echo "bench: $1 did not end; killed"
      kill "$app_pid" 2>/dev/null || true
      return 1
    fi
    sleep 0.1
  done
  wait "$app_pid" 2>/dev/null || true
  app_pid=""
}

# prepare_program_folder FOLDER: the executable, the skins, the shipped
# config.bin and str.ini in English, and three macros (the delay dialog opens
# on one of their items).
prepare_program_folder() {
  local folder="$1"
  rm -rf "$folder"
  mkdir -p "$folder"
  cp "$exe" "$folder/KorvexKV12.exe"
  cp -r "$root/res/Skins" "$folder/Skins"
  cp "$root/res/defaults/config.bin" "$folder/config.bin"
  sed "s/^Lan=.*/Lan=EN/" "$root/res/defaults/str.ini" >"$folder/str.ini"
  write_record_ini "$folder" Greeting "Copy line" Reload
}

# start_program FOLDER: a fresh folder, the program started there with the
# simulated mouse and a log; `run` names the folder for the e2e helpers.
start_program() {
  prepare_program_folder "$1"
  run="$1"
  launch_timed "$1" KorvexKV12.exe --simulate --log log.txt
}

stop_program() {
  exit_from_tray >/dev/null || { echo "bench: the program's tray menu did not open"; return 1; }
  wait_ended "the program"
}

# process_memory PID: "PRIVATE RESIDENT" in kB: the private pages
# (Private_Clean + Private_Dirty of smaps_rollup) and VmRSS.
process_memory() {
  local private rss
  private=$(awk '/^Private_(Clean|Dirty):/ { sum += $2; found = 1 } END { if (found) print sum }' \
    "/proc/$1/smaps_rollup" 2>/dev/null)
  rss=$(awk '/^VmRSS:/ { print $2 }' "/proc/$1/status" 2>/dev/null)
  [ -n "$private" ] && [ -n "$rss" ] || return 1
  echo "$private $rss"
}

# mb KB: kilobytes as megabytes (MiB) with one decimal; mb_diff KB KB: their difference, signed.
mb() { awk -v kb="$1" 'BEGIN { printf "%.1f MB", kb / 1024 }'; }
mb_diff() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%+.1f MB", (a - b) / 1024 }'; }

# median VALUE...: the middle value (the mean of the two middle ones for an even count).
median() {
  printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END {
    if (NR == 0) exit 1
    if (NR % 2) printf "%g", v[(NR + 1) / 2]; else printf "%g", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# fastest VALUE...: the smallest value; on a busy machine the least disturbed run.
fastest() { printf '%s\n' "$@" | sort -n | head -n1; }

# --- the window ------------------------------------------------------------------

# The hover regions of the basic page as the window lists them (left, top,
# right, bottom in client coordinates): skin, minimise and close buttons, the
# page arrows, OK, Apply, Cancel, the key defaults button and the six
# drop-down boxes.
BASIC_HOVER_REGIONS=(
  "701 5 719 23" "825 5 843 23" "850 5 868 23" "20 58 60 98" "70 58 110 98"
  "562 623 667 644" "666 623 771 644" "770 623 875 644" "307 549 412 570"
  "252 199 463 220" "252 222 463 243" "252 245 463 266" "252 268 463 289" "252 291 463 312" "252 314 463 335"
)
# A point of the basic page that is no hover region, nor anything clickable.
NEUTRAL_POINT="150 400"

# hover_sweep_basic_page: the pointer rests on each region's middle long
# enough for its over image (the window asks for the hover after 10 ms), then
# on the neutral point, which puts the region back to normal.
hover_sweep_basic_page() {
  local region left top right bottom
  for region in "${BASIC_HOVER_REGIONS[@]}"; do
    read -r left top right bottom <<<"$region"
    xdotool mousemove $((win_x + (left + right) / 2)) $((win_y + (top + bottom) / 2))
    sleep 0.15
    # shellcheck disable=SC2086
    xdotool mousemove $((win_x + ${NEUTRAL_POINT% *})) $((win_y + ${NEUTRAL_POINT#* }))
    sleep 0.1
  done
}

# The program logs each image it decodes; a log without any such line comes
# from a build that does not, and the count is then unknown rather than zero.
DECODE_LINE="image: decoded "
log_has_decodes() { grep -qF -- "$DECODE_LINE" "$run/log.txt"; }
decodes_since_mark() { tail -n +$((log_start + 1)) "$run/log.txt" | grep -cF -- "$DECODE_LINE" || true; }

# first_paint_times: the milliseconds of every "paint: first paint N ms after show" line.
first_paint_times() {
  sed -n 's/^paint: first paint \([0-9][0-9.]*\) ms after show.*$/\1/p' "$run/log.txt"
}

# hide_window: the minimise button hides the window to the tray.
hide_window() {
  click_client 834 14
  local deadline=$((SECONDS + 5))
  while [ -n "$(main_window)" ]; do
    [ $SECONDS -lt $deadline ] || return 1
    sleep 0.2
  done
  park_pointer
}

# The number of visible top-level windows of the program.
program_windows() { xdotool search --onlyvisible --class korvexkv12 2>/dev/null | wc -l; }

# colour_dialog WHAT X Y: a click at that screen point opens the system's
# colour dialog over what is shown; Esc cancels it.
colour_dialog() {
  local before
  before=$(program_windows)
  xdotool mousemove "$2" "$3" click 1
  wait_for "$1 opens" 10 eval "[ \"\$(program_windows)\" -gt $before ]" || return
  sleep 0.5
  press Escape
  wait_for "Esc ends $1" 10 eval "[ \"\$(program_windows)\" -le $before ]"
}

# tour_every_dialog: with the basic page shown, both pages and every dialog the
# window opens, each ended without a change: the advanced page with the delay
# dialog of a macro item and the two notices of a recording; the six parameter
# dialogs of the assignment menus; the colour dialog of a DPI stage; the skins
# dialog with its colour dialog and its list. Ends on the basic page.
# shellcheck disable=SC2086  # the coordinate pairs split into X and Y
tour_every_dialog() {
  step "the advanced page: a macro's delay dialog"
  click_client 90 78
  sleep 1
  click_client 526 "$(list_item_y 220 0)"  # the first macro
  xdotool mousemove $((win_x + 650)) $((win_y + $(list_item_y 220 1))) click --repeat 2 --delay 80 1
  if wait_for_dialog "a double click on a delay opens the delay dialog"; then
    close_dialog "$DLG_CANCEL" "Cancel ends the delay dialog"
  fi
  step "the advanced page: the notices of a recording"
  click_client 749 243  # Start Recording
  confirm_message "Start Recording shows its notice"
  click_client 749 279  # Stop Recording
  confirm_message "Stop Recording shows its notice"
  step "the advanced page: the mouse-event list"
  click_client 794 409
  click_client 794 409
  click_client 40 78
  sleep 1

  local dialog button item what
  for dialog in "5 11 single-key" "4 12 combination" "6 10 fire-key" "2 8 Windows-key" "3 9 multimedia" "3 13 macro"; do
    read -r button item what <<<"$dialog"
    step "the $what dialog (button $button)"
    open_dialog "$button" "$item" "the $what dialog" || continue
    close_dialog "$DLG_CANCEL" "Cancel ends the $what dialog"
  done

  step "the colour dialog of DPI stage 1"
  colour_dialog "the colour dialog of stage 1" $((win_x + 562)) $((win_y + 531))

  step "the skins dialog, its colour dialog and its list"
  click_client 710 14
  if wait_for_dialog "the skin button opens the skins dialog"; then
    colour_dialog "the skins dialog's colour dialog" $((dlg_x + 96)) $((dlg_y + 102))
    click_dialog 96 135  # the list of skins opens
    click_dialog 96 135  # and closes
    close_dialog "$DLG_CANCEL" "Cancel ends the skins dialog"
  fi
  [ -n "$(main_window)" ] || open_from_tray
  park_pointer
}

# --- the report ------------------------------------------------------------------

# mark VALUE LIMIT: PASS when VALUE <= LIMIT, MISS otherwise, n/a without a value.
mark() {
  if [ -z "$1" ] || [ "$1" = n/a ]; then
    echo "n/a"
    return
  fi
  awk -v value="$1" -v limit="$2" 'BEGIN { print (value <= limit) ? "PASS" : "MISS" }'
}

# stripped_size FILE: the size of a stripped copy.
stripped_size() {
  local copy
  copy="$work/stripped-$(basename "$1")"
  x86_64-w64-mingw32-strip -o "$copy" "$1" 2>/dev/null || { echo "n/a"; return; }
  stat -c %s "$copy"
}

# print_table FILE: the markdown report with the columns of each table lined up.
print_table() {
  echo
  awk '
    function trim(text) { gsub(/^ +| +$/, "", text); return text }
    { line[NR] = $0 }
    END {
      for (r = 1; r <= NR; r++) {
        if (line[r] !~ /^[|]/) { print line[r]; continue }
        first = r
        while (r <= NR && line[r] ~ /^[|]/) r++
        last = r - 1
        r = last
        split("", width)
        for (k = first; k <= last; k++) {
          if (line[k] ~ /^[|](-+[|])+$/) continue
          m = split(line[k], cell, "|")
          for (i = 2; i < m; i++) {
            text = trim(cell[i])
            if (length(text) > width[i]) width[i] = length(text)
          }
        }
        for (k = first; k <= last; k++) {
          separator = line[k] ~ /^[|](-+[|])+$/
          m = split(line[k], cell, "|")
          out = ""
          for (i = 2; i < m; i++) {
            text = trim(cell[i])
            if (separator) { text = ""; while (length(text) < width[i]) text = text "-" }
            out = out sprintf("  %-" width[i] "s", text)
          }
          sub(/ +$/, "", out)
          print out
        }
      }
    }' "$1"
}
