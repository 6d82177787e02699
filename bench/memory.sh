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
# Sets MEDIAN_KIB, RUNS_MIB and SMAPS (the last run's) for the program given
# as arguments.
measure_resident() {
  local values=()
  for run in 1 2 3 4 5; do
    "$@" >"$log" 2>&1 &
    PROGRAM_PID=$!
    wait_first_frame "$log" >/dev/null
    sleep "$settle_s"
    values+=("$(rss_kib "$PROGRAM_PID")")
    [ "$run" -eq 5 ] && SMAPS=$(cat "/proc/$PROGRAM_PID/smaps")
    stop_program
  done
  MEDIAN_KIB=$(printf '%s\n' "${values[@]}" | sort -n | sed -n 3p)
  RUNS_MIB=$(printf '%s\n' "${values[@]}" | awk '{ printf "%s%.1f", (NR > 1 ? " " : ""), $1 / 1024 }')
}

# A bare Qt Quick window of the program's kind, measured the same way: the
# toolkit's own floor on this machine.
[ -x "$build_dir/bench/bench_bare_window" ] || ninja -C "$build_dir" bench_bare_window >/dev/null
measure_resident "$build_dir/bench/bench_bare_window"
bare_kib=$MEDIAN_KIB
bare_runs=$RUNS_MIB
bare_smaps=$SMAPS
measure_resident "$build_dir/bench/bench_bare_window" --with-text
text_kib=$MEDIAN_KIB
measure_resident "$build_dir/gearconsole"
median=$MEDIAN_KIB
runs=$RUNS_MIB
smaps=$SMAPS
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
awk -v kib="$median" -v bare="$bare_kib" -v runs="$bare_runs" 'BEGIN {
  printf "a bare Qt Quick window, measured the same way in this run: %.1f MiB (runs: %s MiB)\n", bare / 1024, runs
  printf "  the program holds %.1f MiB more (aim: at most 12 MiB more)\n", (kib - bare) / 1024 }'
awk -v kib="$median" -v bare="$bare_kib" -v text="$text_kib" 'BEGIN {
  printf "the same bare window with one line of text: %.1f MiB (the text stack alone: %.1f MiB);\n", text / 1024, (text - bare) / 1024
  printf "  the program holds %.1f MiB more than that\n", (kib - text) / 1024 }'
# The last run's resident set by kind of mapping, the program's and the bare
# window's.
by_kind() {
  awk '
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
  END { for (k in rss) printf "%s\t%.1f\n", k, rss[k] / 1024 }' | sort
}
echo "where it goes (MiB, the program's last run | the bare window's):"
join -t $'\t' -a 1 -a 2 -e 0 -o 0,1.2,2.2 <(echo "$smaps" | by_kind) <(echo "$bare_smaps" | by_kind) |
  awk -F '\t' '{ printf "  %6.1f | %5.1f  %s\n", $2, $3, $1 }' | sort -rn
echo "load average during the run: $(cut -d' ' -f1-3 /proc/loadavg)"
rm -f "$log"
