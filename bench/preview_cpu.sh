#!/usr/bin/env bash
# CPU use of the program with the window shown on the Light page, on the Key
# page, and hidden to the tray (bench/tray.cpp) by the window's close button, each over 10 s,
# with one virtual keyboard: first on the factory profile's "Wave", whose
# preview moves, then on the still "Normal". The load average is printed with
# the figures: they are the program's own CPU time, but a busy machine slows
# its frames down.
#
# The program runs from a scratch copy of the build whose profiles hold the
# effect measured, so that the Light page starts on it.
set -euo pipefail
source_root="$(cd "$(dirname "$0")/.." && pwd)"
scratch=$(mktemp -d /tmp/gearconsole-preview.XXXXXX)
[ -x "$source_root/build/gearconsole" ] || bash "$source_root/scripts/build.sh" >/dev/null
cp "$source_root/build/gearconsole" "$scratch/"
cp -r "$source_root/build/modules" "$scratch/"
export GEARCONSOLE_BUILD_DIR="$scratch"
export QT_QUICK_BACKEND=software
export GEARCONSOLE_VIRTUAL_DEVICES=0
source "$source_root/bench/common.sh"
[ -x "$source_root/build/bench/bench_tray" ] || ninja -C "$source_root/build" bench_tray >/dev/null
"$source_root/build/bench/bench_tray" &
tray_pid=$!
trap '[ -n "${PROGRAM_PID:-}" ] && stop_program; kill "$tray_pid"; stop_private_xvfb; rm -rf "$scratch" "$log"' EXIT
log=$(mktemp)

cpu_over_10s() {
  local before after
  before=$(cpu_ns "$PROGRAM_PID")
  sleep 10
  after=$(cpu_ns "$PROGRAM_PID")
  awk -v ns=$((after - before)) 'BEGIN { printf "%.3f", 100 * ns / 1e10 }'
}

# A click at a point of the window, then a moment for the UI to settle.
click_at() {
  xdotool mousemove --window "$window" "$1" "$2" click 1
  sleep 1
}
# The side menu's buttons (191 x 48 from y 81) and the title bar's close
# button (20 px, third of the row at x 900, y 11).
light_page() { click_at 95 105; }
key_page() { click_at 95 153; }
close_window() { click_at 982 21; }

# Sets LIGHT, KEY and HIDDEN: the CPU use of the program started on `effect`.
measure() {
  local effect=$1
  # full brightness, middle speed, white, multicolour, left to right
  sed -i "s/^lightValue=.*/lightValue=$effect, 218, 109, 255, 255, 255, 1, 0/" "$scratch"/modules/setting/p*.bin
  start_program "$log"
  wait_first_frame "$log" >/dev/null
  sleep 3
  window=$(xdotool search --sync --onlyvisible --name "VORTAN KELD SOFTWARE" | head -n 1)
  LIGHT=$(cpu_over_10s)
  key_page
  KEY=$(cpu_over_10s)
  light_page
  close_window
  if ! xwininfo -id "$window" | grep -q "IsUnMapped"; then
    echo "bench: the close button did not hide the window" >&2
    exit 1
  fi
  sleep 2
  HIDDEN=$(cpu_over_10s)
  stop_program
}

measure 2
printf "Wave (the factory effect), Light page shown, preview moving: %s %% of one core over 10 s (aim 1 %%)\n" "$LIGHT"
printf "Wave, Key page shown:                                       %s %% of one core over 10 s (aim 0.1 %%)\n" "$KEY"
printf "Wave, window hidden:                                        %s %% of one core over 10 s (limit 0.05 %%)\n" "$HIDDEN"
wave_hidden=$HIDDEN
# The still "Normal" effect runs no timer: what the rest of the program costs.
measure 0
printf "Normal (still), Light page shown:                           %s %% of one core over 10 s (aim 0.1 %%)\n" "$LIGHT"
printf "Normal, Key page shown:                                     %s %% of one core over 10 s (aim 0.1 %%)\n" "$KEY"
printf "Normal, window hidden:                                      %s %% of one core over 10 s\n" "$HIDDEN"
awk -v a="$wave_hidden" -v b="$HIDDEN" 'BEGIN { printf "the hidden preview'"'"'s own share: %.3f %% of one core (limit 0.05 %%)\n", a - b }'
echo "load average during the run: $(cut -d' ' -f1-3 /proc/loadavg)"
