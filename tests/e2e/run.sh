#!/usr/bin/env bash
# End-to-end test of the Windows program: the real KorvexKV12.exe under Wine on a
# private Xvfb display, with the simulated mouse, in fresh folders holding the
# shipped defaults. Driven by xdotool; checked through the debug log, the device
# trace, config.bin, str.ini and screenshots (saved for a reviewer to look at).
# English and traditional Chinese go through every parameter dialog of the
# assignment menus and the lighting rows; English also makes a macro on the
# advanced page, assigns it and sets the Windows pointer settings there;
# simplified Chinese is photographed.
#
# Usage: tests/e2e/run.sh KorvexKV12.exe kv12ctl.exe OUTPUT_FOLDER
# The screenshots land in OUTPUT_FOLDER/screens. Exit code 0 when every check passed.
set -uo pipefail

exe="$(realpath "$1")"
kv12ctl="$(realpath "$2")"
out="$(realpath -m "$3")"
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
. "$root/tests/e2e/e2e_lib.sh"

# --- the assignment dialogs and the lighting rows --------------------------------

# Texts of the interface language that the checks expect in str.ini.
use_language() {
  case "$1" in
    EN)
      section=Setting-EN t_media=Multimedia t_fire="Fire Key" t_single="Single Key" t_combo="Combo Key"
      t_macro="Macro Key" t_refresh=Browser-Refresh t_vol_down=Vol- ;;
    CHT)
      section=Setting-CHT t_media=多媒體 t_fire=火力鍵 t_single=單鍵 t_combo=複合鍵 t_macro=巨集
      t_refresh=瀏覽器-刷新 t_vol_down=音量- ;;
  esac
}

# Each dialog_* function below opens one dialog of the basic page from its list
# item and stops when the dialog does not come (that is a failed check already).

# Esc in the single-key dialog (button 5) is a key to capture: the dialog
# stays and shows its name, and the main window stays as it is. (Enter is
# pressed there in dialog_single_ok.)
dialog_single_escape() {
  step "$1: Single Key (button 5): Esc is a key there; Cancel keeps the button"
  crop_assignment_box box5 5
  open_dialog 5 11 "the single-key dialog" || return
  screenshot_dialog "$1-dialog-single"
  crop_dialog single-empty 74 128 150 142
  press Escape
  check "Esc does not end the single-key dialog" dialog_open
  check "the main window is still shown after Esc in the single-key dialog" test -n "$(main_window)"
  dialog_choice_shows single-empty 74 128 150 142 "the key display shows a name after Esc"
  close_dialog "$DLG_CANCEL" "Cancel ends the single-key dialog"
  [ -n "$(main_window)" ] || open_from_tray  # so that the run goes on
  button_unchanged box5 5 "Cancel in the single-key dialog"
}

dialog_fire_escape() {
  step "$1: Fire Key (button 6): Esc cancels"
  crop_assignment_box box6 6
  open_dialog 6 10 "the fire-key dialog" || return
  screenshot_dialog "$1-dialog-fire"
  key_closes_dialog Escape "$DLG_CANCEL" "Esc ends the fire-key dialog"
  button_unchanged box6 6 "Esc in the fire-key dialog"
}

dialog_windows() {
  step "$1: Windows (button 2): the close mark cancels; OK takes Browser-Refresh"
  crop_assignment_box box2 2
  open_dialog 2 8 "the Windows-key dialog" || return
  screenshot_dialog "$1-dialog-windows"
  close_dialog "$DLG_CLOSE" "the close mark ends the Windows-key dialog"
  button_unchanged box2 2 "the close mark of the Windows-key dialog"
  open_dialog 2 8 "the Windows-key dialog" || return
  crop_dialog choice-before 43 129 135 143
  # shellcheck disable=SC2086
  click_dialog $CHOICE_BOX
  screenshot_dialog "$1-dialog-windows-list"
  click_dialog 97 "$(list_item_y $CHOICE_LIST_TOP 9)"  # Browser-Refresh
  dialog_choice_shows choice-before 43 129 135 143 "the box shows the chosen function"
  close_dialog "$DLG_OK" "OK ends the Windows-key dialog"
  button_changed box2 2 "OK in the Windows-key dialog"
}

dialog_media() {
  step "$1: Multimedia (button 3): Cancel keeps the button; Enter takes Vol-"
  crop_assignment_box box3 3
  open_dialog 3 9 "the multimedia dialog" || return
  screenshot_dialog "$1-dialog-media"
  close_dialog "$DLG_CANCEL" "Cancel ends the multimedia dialog"
  button_unchanged box3 3 "Cancel in the multimedia dialog"
  open_dialog 3 9 "the multimedia dialog" || return
  crop_dialog choice-before 43 129 135 143
  # shellcheck disable=SC2086
  click_dialog $CHOICE_BOX
  screenshot_dialog "$1-dialog-media-list"
  click_dialog 97 "$(list_item_y $CHOICE_LIST_TOP 6)"  # Vol-
  dialog_choice_shows choice-before 43 129 135 143 "the box shows the chosen function"
  key_closes_dialog Return "$DLG_OK" "Enter ends the multimedia dialog as OK"
  button_changed box3 3 "OK in the multimedia dialog"
}

dialog_combo() {
  step "$1: Combo Key (button 4): the close mark cancels; OK takes Right Shift, A, F5"
  crop_assignment_box box4 4
  open_dialog 4 12 "the combination dialog" || return
  screenshot_dialog "$1-dialog-combo"
  close_dialog "$DLG_CLOSE" "the close mark ends the combination dialog"
  button_unchanged box4 4 "the close mark of the combination dialog"
  open_dialog 4 12 "the combination dialog" || return
  crop_dialog modifier-before 50 70 116 84
  # shellcheck disable=SC2086
  click_dialog $KEY_BOX
  screenshot_dialog "$1-dialog-combo-list"
  click_dialog 91 "$(list_item_y $KEY_LIST_TOP 5)"  # Right Shift
  dialog_choice_shows modifier-before 50 70 116 84 "the modifier box shows the chosen modifier"
  crop_dialog fields-before 50 120 131 184
  # shellcheck disable=SC2086
  click_dialog $FIELD_1
  press a
  # shellcheck disable=SC2086
  click_dialog $FIELD_2
  press F5
  dialog_choice_shows fields-before 50 120 131 184 "the key fields show the keys pressed"
  screenshot_dialog "$1-dialog-combo-keys"
  close_dialog "$DLG_OK" "OK ends the combination dialog"
  button_changed box4 4 "OK in the combination dialog"
}

dialog_single_ok() {
  step "$1: Single Key (button 5): Enter is a key there; OK takes it"
  crop_assignment_box box5 5
  open_dialog 5 11 "the single-key dialog" || return
  crop_dialog single-empty 74 128 150 142
  press Return
  check "Enter does not end the single-key dialog" dialog_open
  check "the main window is still shown after Enter in the single-key dialog" test -n "$(main_window)"
  dialog_choice_shows single-empty 74 128 150 142 "the key display shows a name after Enter"
  screenshot_dialog "$1-dialog-single-enter"
  close_dialog "$DLG_OK" "OK ends the single-key dialog"
  button_changed box5 5 "OK in the single-key dialog"
}

dialog_fire_ok() {
  step "$1: Fire Key (button 6): OK takes key H, speed 60, times 3"
  crop_assignment_box box6 6
  open_dialog 6 10 "the fire-key dialog" || return
  crop_dialog key-before 50 70 116 84
  # shellcheck disable=SC2086
  click_dialog $KEY_BOX
  screenshot_dialog "$1-dialog-fire-list"
  click_dialog 91 "$(list_item_y $KEY_LIST_TOP 7)"  # H
  dialog_choice_shows key-before 50 70 116 84 "the key box shows the chosen key"
  crop_dialog fields-before 50 120 131 184
  # shellcheck disable=SC2086
  click_dialog $FIELD_1
  press End BackSpace BackSpace BackSpace 6 0
  # shellcheck disable=SC2086
  click_dialog $FIELD_2
  press End BackSpace 3
  dialog_choice_shows fields-before 50 120 131 184 "the fields show the numbers typed"
  close_dialog "$DLG_OK" "OK ends the fire-key dialog"
  button_changed box6 6 "OK in the fire-key dialog"
}

dialog_macro() {
  step "$1: Macro Key (button 3): Cancel keeps the button; OK takes the second macro, repeat option 2"
  crop_assignment_box box3 3
  open_dialog 3 13 "the macro dialog" || return
  screenshot_dialog "$1-dialog-macro"
  close_dialog "$DLG_CANCEL" "Cancel ends the macro dialog"
  button_unchanged box3 3 "Cancel in the macro dialog"
  open_dialog 3 13 "the macro dialog" || return
  crop_dialog choice-before 43 129 135 143
  # shellcheck disable=SC2086
  click_dialog $CHOICE_BOX
  screenshot_dialog "$1-dialog-macro-list"
  click_dialog 97 "$(list_item_y $MACRO_LIST_TOP 1)"
  dialog_choice_shows choice-before 43 129 135 143 "the box shows the chosen macro"
  crop_dialog options-before 220 78 236 194
  click_dialog 228 136  # repeat option 2
  dialog_choice_shows options-before 220 78 236 194 "the tick moves to option 2"
  close_dialog "$DLG_OK" "OK ends the macro dialog"
  button_changed box3 3 "OK in the macro dialog"
}

# assignment_dialogs PREFIX: every parameter dialog of the basic page but the
# macro dialog (screenshots PREFIX-dialog-*.png): ending one without OK keeps
# the button's text, OK with a choice changes it. Enter and Esc come first,
# while the page holds nothing unapplied. Nothing is applied here:
# check_assigned_buttons follows an Apply.
assignment_dialogs() {
  step "$1: the assignment list of button 2"
  click_client 300 $(($(assignment_box_top 2) + 10))
  screenshot "$1-assignment-list"
  click_client 300 $(($(assignment_box_top 2) + 10))
  dialog_single_escape "$1"
  dialog_fire_escape "$1"
  dialog_windows "$1"
  dialog_media "$1"
  dialog_combo "$1"
  dialog_single_ok "$1"
  dialog_fire_ok "$1"
}

# apply_and_wait WHAT: Apply on the basic page, then the last key matrix in the trace.
apply_and_wait() {
  trace_mark
  click_client 718 633  # Apply
  wait_for "Apply $1 reaches the mouse" 10 trace_since_has_command "^1204"
}

# The codes after the dialogs of assignment_dialogs: the key matrices in the
# trace since the mark, the kinds and parameter rows in config.bin, the texts in str.ini.
check_assigned_buttons() {
  check "key matrix 1, button 2: consumer 0x0227 (Browser-Refresh)" key_code_is 1 2 03002702
  check "key matrix 1, button 3: consumer 0x00EA (Vol-)" key_code_is 1 3 0300ea00
  check "key matrix 1, button 4: keyboard, Right Shift bit, A, F5" key_code_is 1 4 0020043e
  check "key matrix 1, button 5: keyboard Enter (0x28)" key_code_is 1 5 00002800
  check "key matrix 1, button 6: fire H (0x0B), speed 60, 3 times" key_code_is 1 6 0a0b3c03
  check "key matrix 1, button 1 keeps Left Click" key_code_is 1 1 0100f000
  check "key matrix 3 (Mode B), button 2 keeps Right Click" key_code_is 3 2 0100f100
  check "config.bin: kinds 0, 8, 9, 12, 11, 10 for buttons 1 to 6" config_bytes "$run" 0 "0 8 9 12 11 10"
  check "config.bin: button 2 rows 3, 4, 5 = 9, 0x27, 2" button_rows_are "$run" 2 "3:9 4:39 5:2"
  check "config.bin: button 3 rows 1, 2 = 6, 0xEA" button_rows_are "$run" 3 "1:6 2:234"
  check "config.bin: button 4 rows 11, 12, 13 = 0x20, 0x04, 0x3E" button_rows_are "$run" 4 "11:32 12:4 13:62"
  check "config.bin: button 5 row 10 = 0x28" button_rows_are "$run" 5 "10:40"
  check "config.bin: button 6 rows 6 to 9 = 7, 0x0B, 60, 3" button_rows_are "$run" 6 "6:7 7:11 8:60 9:3"
  check "str.ini: Item2=$t_refresh" ini_value_is "$run/str.ini" "$section" Item2 "$t_refresh"
  check "str.ini: Item3=$t_media-$t_vol_down" ini_value_is "$run/str.ini" "$section" Item3 "$t_media-$t_vol_down"
  check "str.ini: Item4=$t_combo-Right Shift+A+F5" ini_value_is "$run/str.ini" "$section" Item4 "$t_combo-Right Shift+A+F5"
  check "str.ini: Item5=$t_single-Enter" ini_value_is "$run/str.ini" "$section" Item5 "$t_single-Enter"
  check "str.ini: Item6=$t_fire-H" ini_value_is "$run/str.ini" "$section" Item6 "$t_fire-H"
}

# macro_key PREFIX NAME: the macro dialog for button 3 (NAME is the second
# macro of record.ini), then Apply and what reached the mouse and the files.
macro_key() {
  dialog_macro "$1"
  apply_and_wait "after the macro key"
  check "key matrix 1, button 3: macro 2 (index 1 + 1), repeat mode 2 (stored as 1)" key_code_is 1 3 09010200
  check "config.bin: button 3 kind 13, rows 14 and 15 = 1, 1" button_rows_are "$run" 3 "0:13 14:1 15:1"
  check "str.ini: Item3=$t_macro-$2" ini_value_is "$run/str.ini" "$section" Item3 "$t_macro-$2"
}

# key_names: the keys whose names the platform gets wrong or that arrive in
# unusual ways, pressed by X key code in the single-key dialog of button 5 (X
# names would press the left-hand modifier too, or toggle Num Lock): each is
# named from its scan code with the key table's English names. Right Ctrl
# comes last; OK and Apply then store its usage.
key_names() {
  step "key names in the single-key dialog"
  open_dialog 5 11 "the single-key dialog" || return
  key_is 105 "Right Ctrl"
  key_is 62 "Right Shift"
  key_is 108 "Right Alt"
  key_is 133 "Left Windows"
  key_is 134 "Right Windows"
  key_is 104 "Num Enter"
  check "keypad Enter does not end the single-key dialog" dialog_open
  key_is 106 "Num /"
  # The keypad without Num Lock: the cursor keys' virtual keys, the digits' names.
  key_is 87 "Num 1" 0x23
  key_is 91 "Num Del" 0x2E
  key_is 77 "Num Lock" 0x90
  # With Num Lock on: the digit keys' virtual keys, the same names.
  key_is 87 "Num 1" 0x61
  key_is 91 "Num Del" 0x6E
  key_is 77 "Num Lock" 0x90
  key_is Pause "Pause" 0x13
  key_is Print "Prnt Scrn" 0x2C
  key_is 105 "Right Ctrl"
  check "the keys left the main window shown" test -n "$(main_window)"
  screenshot_dialog en-dialog-single-right-ctrl
  close_dialog "$DLG_OK" "OK ends the single-key dialog"
  [ -n "$(main_window)" ] || open_from_tray  # so that the run goes on
  apply_and_wait "after the captured key"
  check "key matrix 1, button 5: keyboard Right Ctrl (0xE4)" key_code_is 1 5 0000e400
  check "config.bin: button 5 row 10 = 0xE4" button_rows_are "$run" 5 "10:228"
  check "str.ini: Item5=Single Key-Right Ctrl" ini_value_is "$run/str.ini" Setting-EN Item5 "Single Key-Right Ctrl"
}

# --- the advanced page: a macro made in the window, the pointer settings --------------

# The macro that macro_editor makes: its name, its items as record.ini holds
# them after Confirm, and its slot: loop count 3 (big-endian), then one pair
# per event, a timing byte (bit 7 release, the following delay in 10 ms) and
# the key code: A (0x04) pressed for 120 ms, released with no delay (the delay
# after it was deleted), L-Button (0xF0) pressed and released 50 ms apart, B
# (0x05) pressed for 50 ms and released.
new_macro=Dash
new_macro_items=("A   Dn" "120 ms" "A   Up" "L-Button   Dn" "50 ms" "L-Button   Up" "50 ms" "B   Dn" "50 ms"
  "B   Up")
new_macro_slot_hex=00030c04800405f085f005058005
new_macro_slot_bytes="0 3 12 4 128 4 5 240 133 240 5 5 128 5"

# macro_editor: with record.ini holding Greeting, Copy line and Reload, a
# fourth macro (slot 3) is made on the advanced page: New with the typed name,
# a recording of the keys A and B (X key codes 38 and 56), "L-Button Click"
# inserted after the release of A, the first delay set to 120 ms in the delay
# dialog, the delay after the release of A deleted through the sequence's
# context menu, loop count 3, Confirm; then Apply.
# shellcheck disable=SC2086  # the coordinate pairs split into X and Y
macro_editor() {
  step "en: advanced page: New adds the typed name"
  crop_client macros-before $MACRO_LIST_RECT
  replace_text $MACRO_NAME_BOX "$new_macro"
  click_client $MACRO_NEW
  crop_client macros-new $MACRO_LIST_RECT
  check "New adds the name to the macro list" images_differ macros-before macros-new
  check "New leaves record.ini as it was" ini_sections_are "$run/record.ini" "Greeting|Copy line|Reload"

  step "en: advanced page: Start Recording, keys A and B, Stop Recording"
  crop_client sequence-empty $SEQUENCE_LIST_RECT
  log_mark
  click_client $START_RECORDING
  confirm_message "Start Recording shows its notice"
  check "the notice says \"Start Recording\"" log_has_since "message: : Start Recording"
  wait_for "the recording captures the keys" 5 log_has_since "keys: capture started"
  check "the window's title tells how to stop" test "$(main_window_title)" = "Press Ctrl+Break key to stop recording"
  press 38 56  # a, b
  check "the capture names the keys A and B" eval \
    'log_since_match "^keys: down .* name=A\$" && log_since_match "^keys: up .* name=B\$"'
  crop_client sequence-recorded $SEQUENCE_LIST_RECT
  check "the recording fills the key press sequence" images_differ sequence-empty sequence-recorded
  log_mark
  click_client $STOP_RECORDING
  confirm_message "Stop Recording shows its notice"
  check "the notice says \"Stop Recording\"" log_has_since "message: : Stop Recording"
  wait_for "Stop Recording ends the capture" 5 log_has_since "keys: capture stopped"

  step "en: advanced page: L-Button Click after the release of A"
  click_client 650 "$(list_item_y $SEQUENCE_LIST_TOP 2)"  # A   Up
  crop_client event-box-before 735 402 839 416
  click_client $MOUSE_EVENT_BOX
  screenshot en-advanced-mouse-events
  click_client 794 "$(list_item_y $MOUSE_EVENT_LIST_TOP 0)"  # L-Button Click
  crop_client event-box-after 735 402 839 416
  check "the mouse-event box shows the event chosen" images_differ event-box-before event-box-after
  crop_client sequence-click $SEQUENCE_LIST_RECT
  check "the event enters the key press sequence" images_differ sequence-recorded sequence-click

  step "en: advanced page: a double click on the first 50 ms; the delay dialog takes 120"
  xdotool mousemove $((win_x + 650)) $((win_y + $(list_item_y $SEQUENCE_LIST_TOP 1))) click --repeat 2 --delay 80 1
  if wait_for_dialog "the double click opens the delay dialog"; then
    screenshot_dialog en-dialog-delay
    click_dialog 112 136  # the delay field
    press 1 2 0
    close_dialog "$DLG_OK" "OK ends the delay dialog"
  fi
  crop_client sequence-delay $SEQUENCE_LIST_RECT
  check "the sequence shows the new delay" images_differ sequence-click sequence-delay

  step "en: advanced page: the context menu's Delete removes the delay after the release of A"
  xdotool mousemove $((win_x + 650)) $((win_y + $(list_item_y $SEQUENCE_LIST_TOP 3))) click 3
  if wait_for "a right click on the sequence opens its menu" 5 menu_open; then
    screenshot en-advanced-sequence-menu
    local id
    id=$(menu_window)
    eval "$(xdotool getwindowgeometry --shell "$id")"
    xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 1  # its one item, Delete
    wait_for "Delete closes the menu" 5 menu_closed
  fi
  crop_client sequence-deleted $SEQUENCE_LIST_RECT
  check "the sequence loses an item" images_differ sequence-delay sequence-deleted

  step "en: advanced page: loop count 3, Confirm, Apply"
  replace_text $LOOP_TIMES_BOX 3
  click_client $MACRO_CONFIRM
  check "Confirm writes the macro after the other three" ini_sections_are "$run/record.ini" \
    "Greeting|Copy line|Reload|$new_macro"
  check "record.ini: [$new_macro] ItemCount=${#new_macro_items[@]}" \
    ini_value_is "$run/record.ini" "$new_macro" ItemCount "${#new_macro_items[@]}"
  local i
  for i in "${!new_macro_items[@]}"; do
    check "record.ini: [$new_macro] Item$i=${new_macro_items[i]}" \
      ini_value_is "$run/record.ini" "$new_macro" "Item$i" "${new_macro_items[i]}"
  done
  apply_and_wait "after Confirm"
  check "the macro write for slot 4 (index 3 + 1) reaches the mouse" trace_since_has_command "^130480"
  check "its 128 bytes: loop count 3, then the seven events" macro_slot_is 4 "$new_macro_slot_hex"
  check "config.bin: slot 3 holds the same bytes" macro_slot_bytes_are "$run" 3 "$new_macro_slot_bytes"
  check "config.bin: Confirm compiled Copy line into slot 1 (H press, release, 50 ms each)" \
    config_bytes "$run" $((163 + 128 + 2)) "5 11 133 11 0 0"
}

# windows_pointer_are WHAT SPEED ACCELERATION WHEEL_LINES DOUBLE_CLICK_MS: what
# Windows (the Wine prefix's registry) holds, each checked on its own (waited
# for: the program may write them after the last command to the mouse); "-"
# leaves a value out where it would be the same before and after.
windows_pointer_are() {
  [ "$2" = - ] ||
    wait_for "$1: Windows pointer speed $2" 5 registry_value_is "$WINE_TEMPORARY\Mouse" MouseSensitivity "$2"
  [ "$3" = - ] ||
    wait_for "$1: Windows mouse acceleration $3" 5 registry_value_is "$WINE_TEMPORARY\Mouse" MouseSpeed "$3"
  [ "$4" = - ] ||
    wait_for "$1: Windows wheel lines $4" 5 registry_value_is "$WINE_TEMPORARY\Desktop" WheelScrollLines "$4"
  [ "$5" = - ] || wait_for "$1: Windows double-click time $5 ms" 5 \
    registry_value_is 'HKCU\Control Panel\Mouse' DoubleClickSpeed "$5"
}

# pointer_settings: "Default" writes the Windows defaults at once (here only
# the acceleration and the double-click time differ from what the earlier
# Applies wrote: pointer_defaults sees the other two change); speed step 8,
# wheel step 5, double-click step 4 and precision reach config.bin and Windows
# on Apply (speed 2 x 8 - 2, five lines, 970 - 70 x 4 ms); "Scroll One Screen"
# then makes the wheel scroll by pages (WHEEL_PAGESCROLL, 0xFFFFFFFF).
# shellcheck disable=SC2086  # the coordinate pairs split into X and Y
pointer_settings() {
  step "en: advanced page: Default writes the Windows defaults"
  click_client $POINTER_DEFAULT
  windows_pointer_are "Default" - 0 - 500
  step "en: advanced page: speed 8, wheel 5, double-click 4, precision on; Apply"
  click_pointer_step 1 8
  click_pointer_step 2 5
  click_pointer_step 3 4
  click_client $PRECISION_BOX
  apply_and_wait "after the pointer settings"
  check "config.bin 1699..1703: precision 1, one screen 0, positions 8 5 4" config_bytes "$run" 1699 "1 0 8 5 4"
  windows_pointer_are "Apply" 14 1 5 690
  step "en: advanced page: Scroll One Screen; Apply"
  click_client $ONE_SCREEN_BOX
  screenshot en-advanced-edited
  apply_and_wait "after Scroll One Screen"
  check "config.bin 1699..1703: precision 1, one screen 1, positions 8 5 4" config_bytes "$run" 1699 "1 1 8 5 4"
  wait_for "Apply: Windows scrolls a screen per wheel notch" 5 \
    registry_value_is "$WINE_TEMPORARY\Desktop" WheelScrollLines 4294967295
}

# record_c HOW: a recording of the key C (X key code 54) on the selected macro,
# ended by HOW: "stop" (Stop Recording) or "ctrl-break" (the key the window's
# title names; the Ctrl pressed with it is no part of the macro).
# shellcheck disable=SC2086  # the coordinate pairs split into X and Y
record_c() {
  log_mark
  click_client $START_RECORDING
  confirm_message "Start Recording shows its notice"
  wait_for "the recording captures the keys" 5 log_has_since "keys: capture started"
  if [ "$1" = stop ]; then
    press 54
    click_client $STOP_RECORDING
    confirm_message "Stop Recording shows its notice"
  else
    press 54 ctrl+Pause
  fi
  wait_for "the capture ends" 5 log_has_since "keys: capture stopped"
}

# ending_recordings: Ctrl+Break ends a recording as Stop Recording does: the
# same items (C pressed, 50 ms, C released), and the window stays shown. The
# notice of Stop Recording is a message box of its own: Enter answers it.
# Nothing is confirmed: record.ini and the slots keep the macro made before.
# shellcheck disable=SC2086  # the coordinate pairs split into X and Y
ending_recordings() {
  step "en: advanced page: a recording of C ended by Stop Recording, then one ended by Ctrl+Break"
  record_c stop
  crop_client sequence-stopped $SEQUENCE_LIST_RECT
  record_c ctrl-break
  check "the main window is still shown after Ctrl+Break" test -n "$(main_window)"
  [ -n "$(main_window)" ] || open_from_tray  # so that the run goes on
  crop_client sequence-ctrl-break $SEQUENCE_LIST_RECT
  check "Ctrl+Break leaves the same sequence as Stop Recording (no Ctrl in it)" \
    images_equal sequence-stopped sequence-ctrl-break

  step "en: advanced page: Enter answers the notice of Stop Recording"
  log_mark
  click_client $START_RECORDING
  confirm_message "Start Recording shows its notice"
  wait_for "the recording captures the keys" 5 log_has_since "keys: capture started"
  press 54
  click_client $STOP_RECORDING
  wait_for "Stop Recording shows its notice" 10 message_open
  press Return
  wait_for "Enter closes the notice" 3 message_closed ||
    confirm_message "(the notice is answered with a click instead)"
  wait_for "the capture ends" 5 log_has_since "keys: capture stopped"
}

# macro_key_new_macro: the macro dialog for button 2 offers the macro made in
# the window as the fourth; OK with repeat option 3 and Apply.
macro_key_new_macro() {
  step "en: Macro Key (button 2): the new macro, repeat option 3"
  crop_assignment_box box2 2
  open_dialog 2 13 "the macro dialog" || return
  crop_dialog choice-before 43 129 135 143
  # shellcheck disable=SC2086
  click_dialog $CHOICE_BOX
  screenshot_dialog en-dialog-macro-list-new
  click_dialog 97 "$(list_item_y "$MACRO_LIST_TOP" 3)"
  dialog_choice_shows choice-before 43 129 135 143 "the box shows the new macro"
  crop_dialog options-before 220 78 236 194
  click_dialog 228 186  # repeat option 3
  dialog_choice_shows options-before 220 78 236 194 "the tick moves to option 3"
  close_dialog "$DLG_OK" "OK ends the macro dialog"
  button_changed box2 2 "OK in the macro dialog"
  apply_and_wait "after the macro key"
  check "key matrix 1, button 2: macro 4 (index 3 + 1), repeat mode 3 (stored as 2)" key_code_is 1 2 09020400
  check "config.bin: button 2 kind 13, rows 14 and 15 = 3, 2" button_rows_are "$run" 2 "0:13 14:3 15:2"
  check "str.ini: Item2=Macro Key-$new_macro" ini_value_is "$run/str.ini" Setting-EN Item2 "Macro Key-$new_macro"
}

# pointer_defaults: "Default" writes the Windows defaults at once, and Apply
# then writes the positions 6, 3, 6 that Default shows: 550 ms, not 500. The
# prefix keeps the double-click time, and every run leaves it at 550 ms.
# shellcheck disable=SC2086  # the coordinate pairs split into X and Y
pointer_defaults() {
  step "en: advanced page: Default, then Apply"
  click_client $POINTER_DEFAULT
  windows_pointer_are "Default" 10 0 3 500
  apply_and_wait "after Default"
  check "config.bin 1699..1703: both boxes clear, positions 6 3 6" config_bytes "$run" 1699 "0 0 6 3 6"
  windows_pointer_are "Apply after Default" 10 0 3 550
}

e2e_setup "$out"
trap e2e_teardown EXIT

# --- English -------------------------------------------------------------------
run="$out/run-en"
e2e_prepare_folder "$run" EN
write_record_ini "$run" Greeting "Copy line" Reload
e2e_start "$run"

step "a second copy ends at once with exit code 0"
(cd "$run" && timeout 30 wine KorvexKV12.exe --simulate >/dev/null 2>&1)
check "second copy's exit code is 0" test $? -eq 0
check "first copy still runs" kill -0 "$app_pid"

step "the window starts hidden"
sleep 1
check "no main window is visible after start-up" test -z "$(main_window)"
check "the mouse was found at start-up" log_has "balloon: Info: The system detect the gaming mouse."

step "the tray icon shows the window"
open_from_tray
check "the main window appears from the tray icon" test -n "$(main_window)"
screenshot en-basic
click_client 90 78  # next page
sleep 1
screenshot en-advanced
click_client 40 78  # previous page
sleep 1

step "report rate, DPI stage box and DPI step reach the mouse on Apply"
trace_mark
click_client 577 209  # 125 Hz
click_client 643 549  # stage 4 enable box: off
click_client 562 436  # stage 1, fifth step
click_client 718 633  # Apply
wait_for "trace grows after Apply" 10 trace_has_since "set_feature"
wait_for "the last command of Apply (key matrix 4)" 10 trace_since_has_command "^1204"
check "report rate command 125 Hz (code 8)" trace_since_has_command "^0108"
check "DPI stages command (always four stages)" trace_since_has_command "^1104"
check "stage data: stage 4 disabled (bit 7), stages 1 to 3 enabled" dpi_stage_flags_since "on on on off"
check "config.bin: report rate 8" config_byte "$run" 133 8
check "config.bin: stage 4 disabled" config_byte "$run" 142 0
check "config.bin: stage 1 at level 4 (fifth step)" config_byte "$run" 135 4

trace_mark
click_client 793 209  # 1000 Hz
click_client 718 633  # Apply
wait_for "Apply after 1000 Hz" 10 trace_since_has_command "^1204"
check "report rate command 1000 Hz (code 1)" trace_since_has_command "^0101"
check "config.bin: report rate 1" config_byte "$run" 133 1

step "Cancel after an edit restores the saved settings"
crop_client rate-before 530 195 840 225
click_client 649 209  # 250 Hz
crop_client rate-edited 530 195 840 225
check "the edit shows on the page" images_differ rate-before rate-edited
click_client 822 633  # Cancel
sleep 1
check "Cancel hides the window" test -z "$(main_window)"
open_from_tray
crop_client rate-restored 530 195 840 225
check "shown again, the page has the saved report rate" images_equal rate-before rate-restored
trace_mark
click_client 718 633  # Apply
wait_for "Apply after Cancel" 10 trace_since_has_command "^1204"
check "Apply after Cancel sends the saved 1000 Hz, not 250 Hz" trace_since_has_command "^0101"
check "config.bin keeps report rate 1" config_byte "$run" 133 1

use_language EN
assignment_dialogs en
step "en: lighting: Neon, 1S, RGB Fixed On"
lighting_choice 2 1 1
screenshot en-basic-assigned
apply_and_wait "after the dialogs"
check_assigned_buttons
check "lighting state command: neon (3), cycle 1S (index 1, sent as 2)" trace_since_has_command "^0d0302"
check "LED group 0 of RGB Fixed On: 3 10 10" trace_since_has_command "^0700030a0a"
check "config.bin 155..161: neon, cycles 9 2 1, effects 1 1 3" config_bytes "$run" 155 "3 9 2 1 1 1 3"
macro_key en "Copy line"
key_names
log_mark
click_client 90 78  # next page
sleep 1
macro_editor
pointer_settings
ending_recordings
report_overflowing_texts_since "texts that do not fit on the English advanced page and its delay dialog"
click_client 40 78  # previous page
sleep 1
macro_key_new_macro
click_client 90 78
sleep 1
pointer_defaults
click_client 40 78
sleep 1
report_overflowing_texts

step "a notice of the mouse shows its balloon"
sim_control "notice 7 2"
wait_for "DPI stage 2 balloon" 10 log_has "balloon: Info: Switch DPI into the second stage "

step "unplug hides the window, plugging in again says so"
sim_control "unplug"
wait_for "not-detected balloon" 10 log_has "balloon: Warning: The system did not detect the gaming mouse!"
sleep 1
check "the window is hidden after unplug" test -z "$(main_window)"
log_mark
sim_control "plug"
wait_for "detected balloon after plugging in" 10 log_has_since "balloon: Info: The system detect the gaming mouse."
check "removal named the mouse" log_match "device: removal .*VID_04D9&PID_A09F"
check "arrival named the mouse" log_match "device: arrival .*VID_04D9&PID_A09F"

step "Exit from the tray menu ends the program and removes the icon"
exit_from_tray
wait_for "the program ends" 20 app_ended
check "exit code 0" test "$(app_exit_code)" = 0
check "the tray icon is gone" tray_icon_gone
check "shutdown ran" log_has "window: shut down"

# --- simplified Chinese ----------------------------------------------------------
run="$out/run-chs"
e2e_prepare_folder "$run" CHS
write_record_ini "$run" 问候 复制一行 重新加载
e2e_start "$run"
open_from_tray
check "the Chinese main window appears" test -n "$(main_window)"
screenshot chs-basic
log_mark
click_client 90 78
sleep 1
screenshot chs-advanced
report_overflowing_texts_since "texts that do not fit on the simplified Chinese advanced page"
exit_from_tray
wait_for "the Chinese run ends" 20 app_ended

# --- traditional Chinese -----------------------------------------------------------
run="$out/run-cht"
e2e_prepare_folder "$run" CHT
write_record_ini "$run" 問候 複製一行 重新整理
e2e_start "$run"
open_from_tray
check "the traditional Chinese main window appears" test -n "$(main_window)"
screenshot cht-basic
use_language CHT
assignment_dialogs cht
step "cht: lighting: Respiration, 5S"
lighting_choice 1 3
screenshot cht-basic-assigned
apply_and_wait "after the dialogs"
check_assigned_buttons
check "lighting state command: respiration (2), cycle 5S (index 3, sent as 4)" trace_since_has_command "^0d0204"
check "config.bin 155..161: respiration, cycles 9 3 3, effects 1 1 2" config_bytes "$run" 155 "2 9 3 3 1 1 2"
macro_key cht 複製一行
report_overflowing_texts
exit_from_tray
wait_for "the traditional Chinese run ends" 20 app_ended

# --- a skin that is not there ---------------------------------------------------------
# str.ini names a skin folder that does not exist: the program says which picture
# is missing, draws with a shipped skin, and the tray shows a whole window.
run="$out/run-missing-skin"
e2e_prepare_folder "$run" EN
sed -i 's/^Path=.*/Path=Gone/' "$run/str.ini"
(cd "$run" && exec wine KorvexKV12.exe --simulate --log log.txt --trace trace.jsonl) >"$run/wine.out" 2>&1 &
app_pid=$!
app_status=""
step "a missing skin: the message names the picture and the skin used instead"
wait_for "the message about the missing skin is logged" 30 log_match 'message: : The skin picture ".*Skins/Gone/BasicSet2.png" is missing. The window uses the skin "Graphite" instead'
confirm_message "the message about the missing skin is shown"
wait_for "start-up ends after the message" 20 log_has "window: started"
open_from_tray
check "the main window appears, drawn with the shipped skin" test -n "$(main_window)"
screenshot missing-skin-basic
check "str.ini keeps the stored skin name" grep -q '^Path=Gone' "$run/str.ini"
exit_from_tray
wait_for "the missing-skin run ends" 20 app_ended

e2e_summary
