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

step() { echo "== [$SECONDS s] $*"; }

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
  # KV12_E2E_WINEPREFIX chooses another one, for runs side by side.
  export KV12_WINEPREFIX="${KV12_E2E_WINEPREFIX:-$root/build/wineprefix-e2e}"
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
log_since_match() { tail -n +$((log_start + 1)) "$run/log.txt" | grep -qE -- "$1"; }

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

# first_visible_window --class|--name PATTERN CONDITION: the first visible window
# xdotool finds by its class or name whose size passes CONDITION, an arithmetic
# test of WIDTH and HEIGHT; nothing when none does.
first_visible_window() {
  local id
  for id in $(xdotool search --onlyvisible "$1" "$2" 2>/dev/null); do
    WIDTH=0 HEIGHT=0
    eval "$(xdotool getwindowgeometry --shell "$id" 2>/dev/null)"
    if (($3)); then
      echo "$id"
      return 0
    fi
  done
}

# The visible main window (the program's window at least 600 px wide: the
# dialogs are about 400), or nothing.
main_window() { first_visible_window --class korvexkv12 'WIDTH >= 600'; }

# A visible dialog of the program over the main window (300 to 599 px wide and
# at least 200 high: neither the main window nor a popup menu), or nothing.
dialog_window() { first_visible_window --class korvexkv12 'WIDTH >= 300 && WIDTH < 600 && HEIGHT >= 200'; }
dialog_open() { test -n "$(dialog_window)"; }
dialog_closed() { test -z "$(dialog_window)"; }

# A visible popup menu of the program (a small window), or nothing.
menu_window() { first_visible_window --class korvexkv12 'WIDTH < 300 && HEIGHT < 60'; }

menu_open() { test -n "$(menu_window)"; }
menu_closed() { test -z "$(menu_window)"; }

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
  screenshot_of "" "$(basename "$run")-tray-menu-missing"  # the screen, to see what was there instead
  return 1
}

# click_client X Y: a left click at a point of the main window's client area.
click_client() {
  xdotool mousemove $((win_x + $1)) $((win_y + $2)) click 1
  sleep 0.4
}

# screenshot NAME: the main window as it is on the screen, into the screenshots folder.
screenshot() { screenshot_of "$(main_window)" "$1"; }

# screenshot_of WINDOW NAME: that window as it is on the screen (the whole
# screen when there is none).
screenshot_of() {
  if [ -n "$1" ]; then
    eval "$(xdotool getwindowgeometry --shell "$1")"
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$screens/$2.png"
  else
    import -window root "$screens/$2.png"
  fi
  echo "  saved $screens/$2.png"
}

# crop_client NAME LEFT TOP RIGHT BOTTOM: a part of the client area, for comparisons.
crop_client() {
  sleep 0.3
  import -window root -crop "$(($4 - $2))x$(($5 - $3))+$((win_x + $2))+$((win_y + $3))" +repage "$work/$1.png"
}

images_equal() { [ "$(compare -metric AE "$work/$1.png" "$work/$2.png" null: 2>&1)" = "0" ]; }
images_differ() { ! images_equal "$1" "$2"; }

# --- dialogs, lists and keys ---------------------------------------------------

dlg_x=0
dlg_y=0

# wait_for_dialog DESCRIPTION: waits until a dialog shows and remembers where it is.
wait_for_dialog() {
  wait_for "$1" 10 dialog_open || return 1
  local id
  id=$(dialog_window)
  [ -n "$id" ] || return 1
  eval "$(xdotool getwindowgeometry --shell "$id")"
  dlg_x=$X
  dlg_y=$Y
  sleep 0.5  # its first paint
}

# click_dialog X Y: a left click at a point of the dialog's client area.
click_dialog() {
  xdotool mousemove $((dlg_x + $1)) $((dlg_y + $2)) click 1
  sleep 0.4
}

# press KEY...: key names or X key codes to the focused window, one after the other.
press() {
  xdotool key --delay 80 "$@"
  sleep 0.4
}

# screenshot_dialog NAME: the dialog as it is on the screen, into the screenshots folder.
screenshot_dialog() { screenshot_of "$(dialog_window)" "$1"; }

# crop_dialog NAME LEFT TOP RIGHT BOTTOM: a part of the dialog's client area.
crop_dialog() {
  sleep 0.3
  import -window root -crop "$(($4 - $2))x$(($5 - $3))+$((dlg_x + $2))+$((dlg_y + $3))" +repage "$work/$1.png"
}

# The height of a list item: the list boxes keep their default item height,
# 14 pixels with the fonts of the Wine prefix (measured on the page's and the
# dialogs' lists, in English and in Chinese).
list_item_height=14

# list_item_y LIST_TOP POSITION: the middle of an item of a list whose top
# (border included) is LIST_TOP, while the list is scrolled to its start.
list_item_y() { echo $(($1 + 1 + list_item_height * $2 + list_item_height / 2)); }

# The assignment boxes of buttons 1..6 and their lists (client coordinates).
assignment_box_top() { echo $((199 + 23 * ($1 - 1))); }
assignment_list_top() { echo $((221 + 23 * ($1 - 1))); }
# crop_assignment_box NAME BUTTON: the box with the pointer away from the boxes,
# so that none has the hover look (a window hidden under the pointer keeps it).
crop_assignment_box() {
  local top
  top=$(assignment_box_top "$2")
  xdotool mousemove $((win_x + 600)) $((win_y + 100)) sleep 0.1 mousemove_relative 4 0
  crop_client "$1" 252 "$top" 463 $((top + 21))
}

# choose_assignment BUTTON POSITION: opens the list of the button and clicks
# the item at that position (the kind value).
choose_assignment() {
  click_client 300 $(($(assignment_box_top "$1") + 10))
  click_client 300 "$(list_item_y "$(assignment_list_top "$1")" "$2")"
}

# command_data_since CODE ARGUMENT CHUNKS: the data phase of the last command
# CODE (two hexadecimal digits) with that first argument (1..255) since the
# mark, as hexadecimal: the CHUNKS data reports of 32 bytes that follow it,
# report IDs left out. Fails when the trace has no such command with all its chunks.
command_data_since() {
  local chunks="$3" data
  data=$(tail -n +$((trace_start + 1)) "$run/trace.jsonl" |
    awk -v command="\"command\":\"$1$(printf '%02x' "$2")" -v chunks="$chunks" '
      index($0, command) { left = chunks; data = ""; next }
      left > 0 && /"op":"write"/ { match($0, /"report":"[0-9a-f]*"/); data = data substr($0, RSTART + 12, 64); left--
                                   if (left == 0) last = data }
      END { print last }')
  [ ${#data} -eq $((64 * chunks)) ] || return 1
  echo "$data"
}

# The 64 bytes of key matrix N (1..4) in the last command 12 since the mark,
# as hexadecimal: the two data reports that follow it, report IDs left out.
key_matrix_since() { command_data_since 12 "$1" 2; }

# macro_slot_is SLOT HEX: the 128 bytes of macro slot 1..12 in the last macro
# write (command 13, four data reports) since the mark, given without the
# zeros that end the slot.
macro_slot_is() {
  local data
  data=$(command_data_since 13 "$1" 4) || return 1
  [ "$data" = "$2$(printf '%0*d' $((256 - ${#2})) 0)" ]
}

# key_code_is MATRIX BUTTON HEX8: the code of button 1..8 in that matrix, byte 0 first.
key_code_is() {
  local matrix
  matrix=$(key_matrix_since "$1") || return 1
  [ "${matrix:$((8 * ($2 - 1))):8}" = "$3" ]
}

# config_bytes FOLDER OFFSET "VALUE...": the settings block's bytes from that offset on.
config_bytes() {
  local expected values
  read -ra expected <<<"$3"
  values=$(od -An -tu1 -v -j $(($2 + 1)) -N ${#expected[@]} "$1/config.bin" | xargs)
  [ "$values" = "${expected[*]}" ]
}

# button_rows_are FOLDER BUTTON "ROW:VALUE...": parameter rows 1..15 of button
# 1..8 in Mode A (row 0: the kind) as config.bin holds them.
button_rows_are() {
  local pair
  for pair in $3; do
    config_byte "$1" $((8 * ${pair%%:*} + $2 - 1)) "${pair##*:}" || return 1
  done
}

# macro_slot_bytes_are FOLDER SLOT "VALUE...": the 128 bytes of macro slot
# 0..11 in config.bin, given without the zeros that end the slot.
macro_slot_bytes_are() {
  local values="$3" i given
  read -ra given <<<"$values"
  for ((i = ${#given[@]}; i < 128; i++)); do values="$values 0"; done
  config_bytes "$1" $((163 + 128 * $2)) "$values"
}

# ini_sections_are FILE "NAME|NAME...": the section names of an INI file in file order.
ini_sections_are() {
  [ "$(sed 's/\r$//; 1s/^\xEF\xBB\xBF//' "$1" | sed -n 's/^\[\(.*\)\]$/\1/p' | paste -sd'|')" = "$2" ]
}

# ini_value FILE SECTION KEY: a value of an INI file (UTF-8, CRLF or LF lines).
ini_value() {
  sed 's/\r$//; 1s/^\xEF\xBB\xBF//' "$1" | awk -v section="[$2]" -v key="$3" '
    /^\[/ { inside = (tolower($0) == tolower(section)); next }
    inside { at = index($0, "="); if (at > 0 && tolower(substr($0, 1, at - 1)) == tolower(key)) { print substr($0, at + 1); exit } }'
}
ini_value_is() { [ "$(ini_value "$1" "$2" "$3")" = "$4" ]; }

# Client coordinates of what every dialog has: OK, Cancel, the close mark.
DLG_OK="218 263"
DLG_CANCEL="322 263"
DLG_CLOSE="361 15"
# The list-choice dialogs (Windows, multimedia) and the macro dialog: the box
# that opens the list, the list's top; the fire-key and combination dialogs:
# the box of their key or modifier list, the list's top, the two fields.
CHOICE_BOX="97 136"
CHOICE_LIST_TOP=145
MACRO_LIST_TOP=146
KEY_BOX="91 77"
KEY_LIST_TOP=86
FIELD_1="90 127"
FIELD_2="90 177"

# write_record_ini FOLDER NAME...: a record.ini with a short macro under each name.
write_record_ini() {
  local folder="$1" name
  shift
  : >"$folder/record.ini"
  for name in "$@"; do
    printf '[%s]\r\nItemCount=4\r\nItem0=H   Dn\r\nItem1=50 ms\r\nItem2=H   Up\r\nItem3=50 ms\r\n' "$name" \
      >>"$folder/record.ini"
  done
}

# open_dialog BUTTON POSITION WHAT: the button's list, the item, and its dialog.
open_dialog() {
  choose_assignment "$1" "$2"
  wait_for_dialog "$3 opens from item $2 of button $1"
}

# close_dialog HOW WHAT: ends the dialog with a click (DLG_OK, DLG_CANCEL,
# DLG_CLOSE) and waits until it has gone.
close_dialog() {
  # shellcheck disable=SC2086
  click_dialog $1
  wait_for "$2" 10 dialog_closed
}

# key_closes_dialog KEY BUTTON WHAT: Enter or Esc ends the dialog, as the
# button would. When it does not, the check fails and the button ends the
# dialog instead, and a main window that the key hid is brought back, so that
# the run goes on.
key_closes_dialog() {
  local key="$1" button="$2" ended=0
  press "$key"
  wait_for "$3" 5 dialog_closed && ended=1
  check "the main window is still shown after $key in the dialog" test -n "$(main_window)"
  [ "$ended" -eq 0 ] || return 0
  # shellcheck disable=SC2086
  click_dialog $button
  wait_for "(the dialog ends with its button instead)" 5 dialog_closed
  [ -n "$(main_window)" ] || open_from_tray
}

# button_unchanged NAME BUTTON WHAT / button_changed: with the main window
# shown and no dialog over it, the box of the button against its crop NAME.
button_unchanged() {
  crop_assignment_box box-now "$2"
  check "$3 leaves the text of button $2" eval "page_uncovered && images_equal $1 box-now"
}
button_changed() {
  crop_assignment_box box-now "$2"
  check "$3 changes the text of button $2" eval "page_uncovered && images_differ $1 box-now"
}
page_uncovered() { test -n "$(main_window)" && dialog_closed; }

# dialog_choice_shows NAME LEFT TOP RIGHT BOTTOM WHAT: after a choice, that part
# of the dialog differs from its crop NAME taken before.
dialog_choice_shows() {
  crop_dialog choice-now "$2" "$3" "$4" "$5"
  check "$6" eval "dialog_open && images_differ $1 choice-now"
}

# key_is KEY NAME [VK]: pressed in the open single-key dialog, the key (an X key
# code or name) is captured under the key table's name (and virtual key).
key_is() {
  log_mark
  press "$1"
  local pattern="^keys: down vk=${3:-0x[0-9A-F]+} scan=0x[0-9A-F]+ ext=[01] name=$2\$"
  check "key $1 is named \"$2\"${3:+ (vk $3)}" log_since_match "$pattern"
}

# lighting_choice MODE PARAMETER [EFFECT]: list positions in the three rows.
lighting_choice() {
  click_client 800 337
  click_client 800 "$(list_item_y 347 "$1")"
  click_client 800 367
  click_client 800 "$(list_item_y 377 "$2")"
  if [ $# -ge 3 ]; then
    click_client 800 397
    click_client 800 "$(list_item_y 407 "$3")"
  fi
}

# The texts the program reported as not fitting their rectangles (for the reviewer).
report_overflowing_texts() {
  grep -F "text: does not fit" "$run/log.txt" 2>/dev/null | sort -u | sed 's/^/  note  /'
}

# report_overflowing_texts_since WHAT: the same for the lines logged since the
# log mark, under a heading naming what was drawn meanwhile.
report_overflowing_texts_since() {
  local lines
  lines=$(tail -n +$((log_start + 1)) "$run/log.txt" | grep -F "text: does not fit" | sort -u)
  if [ -z "$lines" ]; then
    echo "  note  $1: every text fits"
  else
    echo "  note  $1:"
    printf '%s\n' "$lines" | sed 's/^/  note    /'
  fi
}

# --- the advanced page ---------------------------------------------------------------

# The macro area's controls and the pointer area's steps (client coordinates).
MACRO_LIST_RECT="462 220 591 512"
SEQUENCE_LIST_RECT="592 220 725 512"
SEQUENCE_LIST_TOP=220
MACRO_NAME_BOX="767 329"
LOOP_TIMES_BOX="767 369"
MOUSE_EVENT_BOX="794 409"
MOUSE_EVENT_LIST_TOP=419
START_RECORDING="749 243"
STOP_RECORDING="749 279"
MACRO_NEW="565 538"
MACRO_CONFIRM="773 538"
PRECISION_BOX="59 263"
ONE_SCREEN_BOX="59 413"
POINTER_DEFAULT="246 583"
# click_pointer_step SLIDER STEP: a click in the middle of step 1..11 of slider 1..3.
click_pointer_step() { click_client $((52 + 24 * ($2 - 1) + 12)) $((200 + 150 * ($1 - 1) + 5)); }

# replace_text X Y TEXT: clicks the edit box there and types TEXT over all it holds
# (one change: the loop count box turns an empty text into "1" at once).
replace_text() {
  click_client "$1" "$2"
  press End shift+Home
  xdotool type --delay 80 "$3"
  sleep 0.4
}

# A visible message box of the program (captioned with its title, smaller than
# the main window and taller than a menu), or nothing.
message_window() { first_visible_window --name '^KorvexKV12$' 'WIDTH < 600 && HEIGHT >= 60'; }
message_open() { test -n "$(message_window)"; }
message_closed() { test -z "$(message_window)"; }

# confirm_message WHAT: waits for a message box and clicks its OK button, which
# sits in the middle of its bottom. A click, not a key: a recording captures
# the keys typed while its notices are shown.
confirm_message() {
  wait_for "$1" 10 message_open || return 1
  local id
  id=$(message_window)
  eval "$(xdotool getwindowgeometry --shell "$id")"
  xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT - 25)) click 1
  wait_for "(its OK closes it)" 5 message_closed
}

# The title of the main window.
main_window_title() { xdotool getwindowname "$(main_window)" 2>/dev/null; }

# registry_value KEY NAME: a value of the Wine prefix's registry as the running
# wineserver holds it, volatile keys included (Wine keeps there the system
# parameters set without SPIF_UPDATEINIFILE).
registry_value() {
  wine reg query "$1" /v "$2" </dev/null 2>/dev/null | tr -d '\r' | awk -v name="$2" '$1 == name { print $NF }'
}
registry_value_is() { [ "$(registry_value "$1" "$2")" = "$3" ]; }

# The volatile key where Wine keeps the system parameters set without
# SPIF_UPDATEINIFILE (pointer speed, mouse parameters, wheel lines); the
# double-click time, which the program writes to the user profile, is under
# HKCU\Control Panel\Mouse.
WINE_TEMPORARY='HKCU\Software\Wine\Temporary System Parameters\Control Panel'
