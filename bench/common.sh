# Sourced by the benchmark scripts: a built program and a private X server.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
[ -x build/gearconsole ] || bash scripts/build.sh >/dev/null
source scripts/xvfb.sh
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d /tmp/gearconsole-runtime.XXXXXX)}"
chmod 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM
start_private_xvfb
trap stop_private_xvfb EXIT

now_ms() { date +%s%3N; }

# Starts the program in the background with its log in $1; sets PROGRAM_PID.
start_program() {
  ./build/gearconsole >"$1" 2>&1 &
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
