#!/usr/bin/env bash
# Resident memory of the program once start-up has settled (the main screen
# built, the start-up heap handed back), with one virtual keyboard so that
# the keyboard pages are shown; median of 5 starts, and where it goes.
source "$(dirname "$0")/common.sh"
log=$(mktemp)
export GEARCONSOLE_VIRTUAL_DEVICES=0
settle_s=5
# The keyboard pages with their keycap legends and lighting preview in place
# stay within this.
readonly PAGES_RESIDENT_LIMIT_MIB=60.0
values=()
for run in 1 2 3 4 5; do
  start_program "$log"
  wait_first_frame "$log" >/dev/null
  sleep "$settle_s"
  values+=("$(rss_kib "$PROGRAM_PID")")
  [ "$run" -eq 5 ] && smaps=$(cat "/proc/$PROGRAM_PID/smaps")
  stop_program
done
median=$(printf '%s\n' "${values[@]}" | sort -n | sed -n 3p)
runs=$(printf '%s\n' "${values[@]}" | awk '{ printf "%s%.1f", (NR > 1 ? " " : ""), $1 / 1024 }')
awk -v kib="$median" -v base="$FOUNDATION_RESIDENT_MIB" -v limit="$RESIDENT_LIMIT_MIB" \
    -v same="$FOUNDATION_RESIDENT_SAME_SCENARIO_MIB" -v same_limit="$RESIDENT_SAME_SCENARIO_LIMIT_MIB" \
    -v pages_limit="$PAGES_RESIDENT_LIMIT_MIB" -v runs="$runs" -v s="$settle_s" 'BEGIN {
  mib = kib / 1024
  printf "resident memory: %.1f MiB (median of 5, %d s after the first frame; runs: %s MiB)\n", mib, s, runs
  printf "  against the program before its real UI, first figure: %.1f MiB, limit %.1f MiB (%+.1f %%)\n",
    base, limit, (mib / base - 1) * 100
  printf "  against the same, re-measured in this scenario:       %.1f MiB, limit %.1f MiB (%+.1f %%)\n",
    same, same_limit, (mib / same - 1) * 100
  printf "  limit with keycap legends and the lighting preview:   %.1f MiB (%.1f MiB to spare)\n",
    pages_limit, pages_limit - mib }'
# The last run's resident set by kind of mapping.
echo "$smaps" | awk '
  /^[0-9a-f]+-[0-9a-f]+ / {
    name = $6
    if (name == "") kind = "anonymous (thread heaps, large images)"
    else if (name == "[heap]") kind = "main heap"
    else if (name ~ /JSGCHeap/) kind = "JavaScript heap"
    else if (name ~ /xorg/) kind = "window backing store (shared with X)"
    else if (name ~ /\/fonts\//) kind = "font files"
    else if (name ~ /\.so/) kind = "libraries"
    else if (name ~ /^\[/) kind = "stacks and other"
    else kind = "program and other files"
  }
  /^Rss:/ { rss[kind] += $2 }
  END { for (k in rss) printf "  %6.1f MiB  %s\n", rss[k] / 1024, k }' | sort -rn
rm -f "$log"
