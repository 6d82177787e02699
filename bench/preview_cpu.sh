#!/usr/bin/env bash
# CPU use of the program while the Light page's preview animates the Wave
# effect (window shown, software renderer), and after the window's close
# button has hidden it to the tray, each over 10 s, with one virtual keyboard.
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
trap '[ -n "${PROGRAM_PID:-}" ] && stop_program; stop_private_xvfb; rm -rf "$scratch" "$log"' EXIT
log=$(mktemp)

cpu_over_10s() {
  local before after
  before=$(cpu_ns "$PROGRAM_PID")
  sleep 10
  after=$(cpu_ns "$PROGRAM_PID")
  awk -v ns=$((after - before)) 'BEGIN { printf "%.3f", 100 * ns / 1e10 }'
}

# Sets SHOWN and HIDDEN: the CPU use of the program started on `effect`.
measure() {
  local effect=$1
  # full brightness, middle speed, white, multicolour, left to right
  sed -i "s/^lightValue=.*/lightValue=$effect, 218, 109, 255, 255, 255, 1, 0/" "$scratch"/modules/setting/p*.bin
  start_program "$log"
  wait_first_frame "$log" >/dev/null
  sleep 3
  local window
  window=$(xdotool search --sync --onlyvisible --name "VORTAN KELD SOFTWARE" | head -n 1)
  SHOWN=$(cpu_over_10s)
  # The title bar's close button (20 px, third of the row at x 900, y 11).
  xdotool mousemove --window "$window" 982 21 click 1
  sleep 1
  if ! xwininfo -id "$window" | grep -q "IsUnMapped"; then
    echo "bench: the close button did not hide the window" >&2
    exit 1
  fi
  sleep 2
  HIDDEN=$(cpu_over_10s)
  stop_program
}

measure 2
printf "preview CPU, Wave animating, window shown: %s %% of one core over 10 s (aim 5 %%)\n" "$SHOWN"
printf "whole program, Wave, window hidden: %s %% of one core over 10 s (limit 0.05 %%)\n" "$HIDDEN"
wave_hidden=$HIDDEN
# The same program hidden on the still "Normal" effect, which runs no timer:
# what the rest of the program costs.
measure 0
printf "without the animation (Normal), window hidden: %s %% of one core over 10 s\n" "$HIDDEN"
awk -v a="$wave_hidden" -v b="$HIDDEN" 'BEGIN { printf "the hidden preview'"'"'s own share: %.3f %% of one core (limit 0.05 %%)\n", a - b }'
