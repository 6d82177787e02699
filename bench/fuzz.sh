#!/usr/bin/env bash
# Runs every fuzz target (fuzz/) for a fixed time and prints, per target, the
# inputs executed and the crashes found (memory errors, undefined behaviour,
# failed checks, time-outs over 10 s and memory over 2 GiB all count; leaks
# are looked for when each run ends, as in CTest's runs). After
# a crash the target starts again for the rest of its time, so one fault does
# not end the count. Crashing inputs are kept in build-fuzz/bench-crashes/.
#   FUZZ_SECONDS=30 bash bench/fuzz.sh [target...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${FUZZ_SECONDS:-30}"
[ -n "${FUZZ_SKIP_BUILD:-}" ] || bash scripts/build_fuzz.sh >/dev/null

if [ "$#" -gt 0 ]; then targets=("$@"); else
  targets=(); for dir in fuzz/corpus/*/; do targets+=("$(basename "$dir")"); done
fi
work=$(mktemp -d /tmp/gearconsole-fuzz-bench.XXXXXX)
trap 'rm -rf "$work"' EXIT
crashes_dir=$PWD/build-fuzz/bench-crashes

printf '%-20s %6s %6s %12s %9s %8s %8s\n' target seeds secs executions exec/s crashes cover
failures=()
for target in "${targets[@]}"; do
  mkdir -p "$work/$target" "$crashes_dir/$target"
  executions=0 crashes=0 cover=0 started=$(date +%s)
  while :; do
    left=$((seconds - ($(date +%s) - started)))
    [ "$left" -gt 0 ] || break
    log="$work/$target.log"
    status=0
    "build-fuzz/fuzz_$target" -max_total_time="$left" -timeout=10 -detect_leaks=0 -print_final_stats=1 \
      -artifact_prefix="$crashes_dir/$target/" "$work/$target" "fuzz/corpus/$target" >"$log" 2>&1 || status=$?
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    [ -n "$runs" ] || runs=$(sed -n 's/^#\([0-9]*\)\t.*/\1/p' "$log" | tail -n 1)
    executions=$((executions + ${runs:-0}))
    now_cover=$(sed -n 's/.* cov: \([0-9]*\) .*/\1/p' "$log" | tail -n 1)
    [ "${now_cover:-0}" -gt "$cover" ] && cover=$now_cover
    if [ "$status" -ne 0 ]; then
      crashes=$((crashes + 1))
      artifact=$(sed -n 's/.*Test unit written to \(.*\)$/\1/p' "$log" | tail -n 1)
      reason=$(grep -m1 -E '^(==[0-9]+==ERROR|SUMMARY|.*runtime error|ALARM)' "$log" || echo "exit $status")
      failures+=("$target: ${artifact:-no input written}: $reason")
    fi
  done
  elapsed=$(($(date +%s) - started))
  seeds=$(find "fuzz/corpus/$target" -type f | wc -l)
  printf '%-20s %6d %6d %12d %9d %8d %8d\n' "$target" "$seeds" "$elapsed" "$executions" \
    $((executions / (elapsed > 0 ? elapsed : 1))) "$crashes" "$cover"
done
for failure in "${failures[@]}"; do echo "crash: $failure"; done
