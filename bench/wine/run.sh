#!/usr/bin/env bash
# What KorvexKV12.exe costs under Wine next to an empty tray program built the
# same way: start to tray icon, start to ready, private and resident memory
# hidden, shown and hidden again, image decodes per hover sweep, show to first
# paint, executable sizes. Prints figures and the targets beside them; a missed
# target is a figure, not a failure. Exits non-zero only when something could
# not be measured (a program did not start, its icon never came, ...).
#
# Usage: bench/wine/run.sh [--runs N] [--show-cycles N] [--sweeps N] [--settle SECONDS]
#                          [--markdown FILE] [--out DIR] KorvexKV12.exe empty_tray.exe
#
# Runs on an Xvfb display of its own and in the Wine prefix build/wineprefix-bench
# (KV12_BENCH_WINEPREFIX chooses another), so that nothing else on the machine
# shares its wineserver or its screen.
set -uo pipefail

runs=5
show_cycles=5
sweeps=3
settle=2  # seconds a program is left alone before its memory is read
markdown=""
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
out="$root/build/bench-wine"

usage() {
  sed -n 's/^# \{0,1\}//; 9,10p' "${BASH_SOURCE[0]}" >&2
  exit 2
}
positional=()
while [ $# -gt 0 ]; do
  case "$1" in
    --runs | --show-cycles | --sweeps | --settle | --markdown | --out)
      [ $# -ge 2 ] || { echo "bench: $1 needs a value" >&2; usage; } ;;&
    --runs) runs="$2"; shift 2 ;;
    --show-cycles) show_cycles="$2"; shift 2 ;;
    --sweeps) sweeps="$2"; shift 2 ;;
    --settle) settle="$2"; shift 2 ;;
    --markdown) markdown="$(realpath -m "$2")"; shift 2 ;;
    --out) out="$(realpath -m "$2")"; shift 2 ;;
    -h | --help) usage ;;
    -*) echo "bench: unknown option $1" >&2; usage ;;
    *) positional+=("$1"); shift ;;
  esac
done
[ ${#positional[@]} -eq 2 ] || usage
for n in "$runs" "$show_cycles" "$sweeps"; do
  [[ "$n" =~ ^[1-9][0-9]*$ ]] || { echo "bench: counts must be whole numbers from 1 up (got \"$n\")" >&2; exit 2; }
done
[[ "$settle" =~ ^[0-9]+([.][0-9]+)?$ ]] || { echo "bench: --settle takes seconds (got \"$settle\")" >&2; exit 2; }
exe="$(realpath "${positional[0]}")" || exit 2
empty_exe="$(realpath "${positional[1]}")" || exit 2
for file in "$exe" "$empty_exe"; do
  [ -f "$file" ] || { echo "bench: no such executable: $file" >&2; exit 2; }
done

# The e2e helpers: finding the windows, the tray icon, clicks and dialogs.
. "$root/tests/e2e/e2e_lib.sh"
. "$root/bench/wine/bench_lib.sh"

# --- set-up ---------------------------------------------------------------------

export KV12_WINEPREFIX="${KV12_BENCH_WINEPREFIX:-$root/build/wineprefix-bench}"
. "$root/scripts/wine-env.sh"
unset DISPLAY
kv12_start_xvfb || exit 1
"$root/scripts/wine-prefix.sh" >&2 || { kv12_stop_xvfb; exit 1; }
kv12_use_wine_locale
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true
# A wineserver that stays up with Wine's services and desktop already running:
# every start measured is then the program's own, not Wine's.
wineserver -p 2>/dev/null || true
wine cmd /c exit </dev/null >/dev/null 2>&1 || true

# shellcheck disable=SC2317  # called by the EXIT trap
bench_teardown() {
  if [ -n "$app_pid" ] && kill -0 "$app_pid" 2>/dev/null; then kill "$app_pid" 2>/dev/null || true; fi
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  kv12_stop_xvfb
}
trap bench_teardown EXIT

mkdir -p "$out"
build_tray_watch || exit 1
work="$out/work"
screens="$out/screens"
rm -rf "$work" "$screens"
mkdir -p "$work" "$screens"
# Copies taken once: a rebuild while the benchmark runs cannot mix two builds.
mkdir -p "$out/bin"
cp "$exe" "$out/bin/KorvexKV12.exe"
cp "$empty_exe" "$out/bin/empty_tray.exe"
exe="$out/bin/KorvexKV12.exe"
empty_exe="$out/bin/empty_tray.exe"
empty_dir="$out/empty"
rm -rf "$empty_dir"
mkdir -p "$empty_dir"
cp "$empty_exe" "$empty_dir/empty_tray.exe"

echo "bench: display $DISPLAY, prefix $WINEPREFIX, $(wine --version 2>/dev/null)"
echo "bench: $runs runs of each program, alternating, after one warm-up run of each"

# --- start-up, alternating ------------------------------------------------------------

empty_tray_ms=()
empty_private_kb=()
empty_rss_kb=()
program_tray_ms=()
program_ready_ms=()
program_private_kb=()
program_rss_kb=()

for round in $(seq 0 "$runs"); do
  label="run $round"
  [ "$round" -eq 0 ] && label="warm-up"

  start_empty || exit 1
  sleep "$settle"
  read -r private rss < <(process_memory "$app_pid") || { echo "bench: cannot read the memory of the empty program"; exit 1; }
  printf 'bench: %-8s empty:   tray %5d ms                 hidden %s private, %s resident\n' \
    "$label" "$tray_ms" "$(mb "$private")" "$(mb "$rss")"
  if [ "$round" -gt 0 ]; then
    empty_tray_ms+=("$tray_ms")
    empty_private_kb+=("$private")
    empty_rss_kb+=("$rss")
  fi
  stop_empty || exit 1

  start_program "$out/program-$round" || exit 1
  sleep "$settle"
  read -r private rss < <(process_memory "$app_pid") || { echo "bench: cannot read the memory of the program"; exit 1; }
  printf 'bench: %-8s program: tray %5d ms, ready %5d ms, hidden %s private, %s resident\n' \
    "$label" "$tray_ms" "$ready_ms" "$(mb "$private")" "$(mb "$rss")"
  if [ "$round" -gt 0 ]; then
    program_tray_ms+=("$tray_ms")
    program_ready_ms+=("$ready_ms")
    program_private_kb+=("$private")
    program_rss_kb+=("$rss")
  fi
  # The last run goes on: it is the one whose window is shown.
  [ "$round" -eq "$runs" ] || stop_program || exit 1
done

# --- the window: hover sweeps, every dialog, shown and hidden again ----------------

echo "bench: showing the window"
open_from_tray >/dev/null || { echo "bench: the window did not open from the tray icon"; exit 1; }
park_pointer
sleep 0.5

sweep_decodes=()
for _ in $(seq 1 "$sweeps"); do
  log_mark
  hover_sweep_basic_page
  sleep 0.3
  sweep_decodes+=("$(decodes_since_mark)")
done
decodes_logged=0
log_has_decodes && decodes_logged=1
if [ "$decodes_logged" -eq 1 ]; then
  echo "bench: image decodes per hover sweep of the basic page: ${sweep_decodes[*]}"
else
  echo "bench: image decodes per hover sweep: the log has no decode lines"
fi

tour_failed_before=$failed
tour_every_dialog >"$work/tour.log"
tour_missed=$((failed - tour_failed_before))
if [ "$tour_missed" -gt 0 ]; then
  echo "bench: the tour missed $tour_missed step(s):"
  grep -F "FAIL" "$work/tour.log" | sed 's/^/  /'
fi
[ -n "$(main_window)" ] || { echo "bench: the window is no longer shown after the tour"; exit 1; }
sleep "$settle"
read -r shown_private shown_rss < <(process_memory "$app_pid") || { echo "bench: cannot read the memory of the program"; exit 1; }
screenshot bench-shown >/dev/null
echo "bench: shown after both pages and every dialog: $(mb "$shown_private") private, $(mb "$shown_rss") resident"

hide_window || { echo "bench: the window did not hide"; exit 1; }
sleep "$settle"
read -r after_private after_rss < <(process_memory "$app_pid") || { echo "bench: cannot read the memory of the program"; exit 1; }
echo "bench: hidden again: $(mb "$after_private") private, $(mb "$after_rss") resident"

for _ in $(seq 1 "$show_cycles"); do
  open_from_tray >/dev/null || { echo "bench: the window did not open from the tray icon"; exit 1; }
  hide_window || { echo "bench: the window did not hide"; exit 1; }
done
mapfile -t paint_ms < <(first_paint_times)
if [ ${#paint_ms[@]} -gt 0 ]; then
  echo "bench: show to first paint (ms): ${paint_ms[*]}"
else
  echo "bench: show to first paint: the log has no first-paint lines"
fi

stop_program || exit 1

# --- figures ---------------------------------------------------------------------------

# report: the figures and the targets as markdown.
report() {
  local e_tray p_tray p_ready e_priv e_rss p_priv p_rss ratio paint first_sweep later_sweeps
  e_tray=$(median "${empty_tray_ms[@]}")
  p_tray=$(median "${program_tray_ms[@]}")
  p_ready=$(median "${program_ready_ms[@]}")
  e_priv=$(median "${empty_private_kb[@]}")
  e_rss=$(median "${empty_rss_kb[@]}")
  p_priv=$(median "${program_private_kb[@]}")
  p_rss=$(median "${program_rss_kb[@]}")
  ratio=$(awk -v p="$p_tray" -v e="$e_tray" 'BEGIN { printf "%.2f", p / e }')
  paint="n/a"
  [ ${#paint_ms[@]} -eq 0 ] || paint="$(median "${paint_ms[@]}") ms"
  if [ "$decodes_logged" -eq 1 ]; then
    first_sweep=${sweep_decodes[0]}
    later_sweeps=$(printf '%s ' "${sweep_decodes[@]:1}")
    later_sweeps=${later_sweeps% }
  else
    first_sweep="n/a"
    later_sweeps="n/a"
  fi
  local size size_empty stripped stripped_empty
  size=$(stat -c %s "$exe")
  size_empty=$(stat -c %s "$empty_exe")
  stripped=$(stripped_size "$exe")
  stripped_empty=$(stripped_size "$empty_exe")
  local stripped_row="| Executable size, stripped | $stripped bytes | $stripped_empty bytes | - |"
  [ "$stripped" != "$size" ] || [ "$stripped_empty" != "$size_empty" ] ||
    stripped_row="| Executable size, stripped | (built stripped) | (built stripped) | - |"

  local system="Linux"
  [ -f /etc/debian_version ] && system="Debian $(cat /etc/debian_version)"
  echo "Wine benchmark, $(date +%Y-%m-%d), $system, $(nproc) cores, $(wine --version 2>/dev/null);"
  echo "$runs runs of each program (medians), $sweeps hover sweeps, $show_cycles show/hide cycles."
  [ "$tour_missed" -eq 0 ] || echo "The tour of the dialogs missed $tour_missed step(s): the shown figures lack them."
  echo
  echo "| Figure | KorvexKV12 | Empty tray | Difference |"
  echo "|---|---|---|---|"
  echo "| Start to tray icon, median (fastest) | $p_tray ms ($(fastest "${program_tray_ms[@]}")) | $e_tray ms ($(fastest "${empty_tray_ms[@]}")) | ratio x $ratio |"
  echo "| Start to ready (mouse found), median (fastest) | $p_ready ms ($(fastest "${program_ready_ms[@]}")) | - | - |"
  echo "| Hidden after start, private | $(mb "$p_priv") | $(mb "$e_priv") | $(mb_diff "$p_priv" "$e_priv") |"
  echo "| Hidden after start, resident | $(mb "$p_rss") | $(mb "$e_rss") | $(mb_diff "$p_rss" "$e_rss") |"
  echo "| Shown (both pages, every dialog), private | $(mb "$shown_private") | - | $(mb_diff "$shown_private" "$e_priv") |"
  echo "| Shown (both pages, every dialog), resident | $(mb "$shown_rss") | - | $(mb_diff "$shown_rss" "$e_rss") |"
  echo "| Hidden again, private | $(mb "$after_private") | - | $(mb_diff "$after_private" "$e_priv") |"
  echo "| Hidden again, resident | $(mb "$after_rss") | - | $(mb_diff "$after_rss" "$e_rss") |"
  echo "| Image decodes, first hover sweep (later sweeps) | $first_sweep (${later_sweeps:-none}) | - | - |"
  echo "| Show to first paint | $paint | - | - |"
  echo "| Executable size | $size bytes | $size_empty bytes | - |"
  echo "$stripped_row"
  echo
  local limit_hidden
  limit_hidden=$(awk -v kb="$e_priv" 'BEGIN { print kb + 3 * 1024 }')
  echo "| Target | Figure | Limit | Result |"
  echo "|---|---|---|---|"
  echo "| Hidden after everything was shown: private <= empty + 3 MB | $(mb "$after_private") | $(mb "$limit_hidden") | $(mark "$after_private" "$limit_hidden") |"
  echo "| Shown: private <= 12 MB | $(mb "$shown_private") | 12.0 MB | $(mark "$shown_private" $((12 * 1024))) |"
  echo "| Start to tray icon <= 1.3 x empty | x $ratio | x 1.30 | $(mark "$ratio" 1.3) |"
  echo "| Image decodes per hover sweep = 0 | $first_sweep | 0 | $(mark "$first_sweep" 0) |"
}


report >"$work/report.md"
print_table "$work/report.md"
if [ -n "$markdown" ]; then
  mkdir -p "$(dirname "$markdown")"
  cp "$work/report.md" "$markdown"
  echo "bench: markdown table written to $markdown"
fi
exit 0
