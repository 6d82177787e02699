#!/usr/bin/env bash
# Time from process start to the window's first frame under Xvfb, median of 5
# after one uncounted start.
source "$(dirname "$0")/common.sh"
log=$(mktemp)

# Sets MEDIAN and RUNS for the program given as arguments.
measure_first_frame() {
  # One start first, not counted: it loads a freshly built program from disk.
  "$@" >"$log" 2>&1 &
  PROGRAM_PID=$!
  wait_first_frame "$log" >/dev/null
  stop_program
  local times=() started frame
  for run in 1 2 3 4 5; do
    started=$(now_ms)
    "$@" >"$log" 2>&1 &
    PROGRAM_PID=$!
    frame=$(wait_first_frame "$log")
    stop_program
    times+=($((frame - started)))
  done
  MEDIAN=$(printf '%s\n' "${times[@]}" | sort -n | sed -n 3p)
  RUNS="${times[*]}"
}

measure_first_frame "$build_dir/gearconsole"
program=$MEDIAN
echo "start-up to first frame: ${program} ms (foundation ${FOUNDATION_FIRST_FRAME_MS} ms, limit ${FIRST_FRAME_LIMIT_MS} ms; median of 5, runs: ${RUNS} ms)"
# Machines differ: the same figure for a bare Qt Quick window of the same
# kind (frameless, translucent, 1000 x 640, software renderer) tells what
# this machine gives any such program.
if [ -x "$build_dir/bench/bench_bare_window" ]; then
  measure_first_frame "$build_dir/bench/bench_bare_window"
  echo "a bare Qt Quick window on this machine: ${MEDIAN} ms (runs: ${RUNS} ms); the program takes $((program - MEDIAN)) ms more"
fi
rm -f "$log"
