#!/usr/bin/env bash
# End-to-end test of the Windows program: the real KorvexKV12.exe under Wine on a
# private Xvfb display, with the simulated mouse, in fresh folders holding the
# shipped defaults. Driven by xdotool; checked through the debug log, the device
# trace, config.bin and screenshots (saved for a reviewer to look at).
#
# Usage: tests/e2e/run.sh KorvexKV12.exe kv12ctl.exe OUTPUT_FOLDER
# The screenshots land in OUTPUT_FOLDER/screens. Exit code 0 when every check passed.
set -uo pipefail

exe="$(realpath "$1")"
kv12ctl="$(realpath "$2")"
out="$(realpath -m "$3")"
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
. "$root/tests/e2e/e2e_lib.sh"

e2e_setup "$out"
trap e2e_teardown EXIT

# --- English -------------------------------------------------------------------
run="$out/run-en"
e2e_prepare_folder "$run" EN
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
e2e_start "$run"
open_from_tray
check "the Chinese main window appears" test -n "$(main_window)"
screenshot chs-basic
click_client 90 78
sleep 1
screenshot chs-advanced
exit_from_tray
wait_for "the Chinese run ends" 20 app_ended

e2e_summary
