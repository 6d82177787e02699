# Sourced by the benchmark scripts: a built program and a private X server.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
# GEARCONSOLE_BUILD_DIR picks another build of the program (default: build/).
build_dir="${GEARCONSOLE_BUILD_DIR:-build}"
if [ ! -x "$build_dir/gearconsole" ]; then
  [ "$build_dir" = build ] || { echo "bench: no program in $build_dir/" >&2; exit 1; }
  bash scripts/build.sh >/dev/null
fi
source scripts/xvfb.sh
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d /tmp/gearconsole-runtime.XXXXXX)}"
chmod 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM
start_private_xvfb
trap stop_private_xvfb EXIT

# The program before its real UI (placeholder root document, same machine,
# Xvfb, software renderer) started to its first frame in 80 ms (median of 5)
# and settled at 48.0 MiB resident. The real UI stays within 20 % of both.
readonly FOUNDATION_FIRST_FRAME_MS=80
readonly FOUNDATION_RESIDENT_MIB=48.0
readonly FIRST_FRAME_LIMIT_MS=$((FOUNDATION_FIRST_FRAME_MS * 120 / 100))
readonly RESIDENT_LIMIT_MIB=$(awk -v base="$FOUNDATION_RESIDENT_MIB" 'BEGIN { printf "%.1f", base * 1.2 }')
# The same program before its real UI (commit 251c22b), built and measured
# again by memory.sh in memory.sh's own scenario (one virtual keyboard, 5 s
# after the first frame): 49.4–49.6 MiB, median 49.5.
readonly FOUNDATION_RESIDENT_SAME_SCENARIO_MIB=49.5
readonly RESIDENT_SAME_SCENARIO_LIMIT_MIB=$(awk -v base="$FOUNDATION_RESIDENT_SAME_SCENARIO_MIB" 'BEGIN { printf "%.1f", base * 1.2 }')

now_ms() { date +%s%3N; }

# Starts the program in the background with its log in $1; sets PROGRAM_PID.
start_program() {
  "$build_dir/gearconsole" >"$1" 2>&1 &
  PROGRAM_PID=$!
}

stop_program() {
  kill "$PROGRAM_PID" 2>/dev/null || true
  wait "$PROGRAM_PID" 2>/dev/null || true
}

# Waits until the program has logged its first frame; prints that time (ms).
wait_first_frame() {
  local log=$1
  for _ in $(seq 1 200); do
    local at
    at=$(sed -n 's/.*first frame at \([0-9]*\).*/\1/p' "$log" | head -n 1)
    [ -n "$at" ] && { echo "$at"; return 0; }
    sleep 0.05
  done
  echo "bench: the program drew no frame; its log:" >&2
  cat "$log" >&2
  return 1
}

# CPU time of all the program's threads in nanoseconds (finer than clock ticks).
cpu_ns() { cat /proc/"$1"/task/*/schedstat | awk '{ sum += $1 } END { printf "%d", sum }'; }
rss_kib() { awk '/^VmRSS:/ { print $2 }' "/proc/$1/status"; }
