#!/usr/bin/env bash
# Time from process start to the window's first frame under Xvfb, median of 5
# after one uncounted start.
source "$(dirname "$0")/common.sh"
log=$(mktemp)
# One start first, not counted: it loads a freshly built program from disk.
start_program "$log"
wait_first_frame "$log" >/dev/null
stop_program
times=()
for run in 1 2 3 4 5; do
  started=$(now_ms)
  start_program "$log"
  frame=$(wait_first_frame "$log")
  stop_program
  times+=($((frame - started)))
done
median=$(printf '%s\n' "${times[@]}" | sort -n | sed -n 3p)
echo "start-up to first frame: ${median} ms (foundation ${FOUNDATION_FIRST_FRAME_MS} ms, limit ${FIRST_FRAME_LIMIT_MS} ms; median of 5, runs: ${times[*]} ms)"
rm -f "$log"
