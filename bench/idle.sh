#!/usr/bin/env bash
# CPU use of the program at rest over 10 s, with no device and with one
# virtual keyboard and with a polled virtual lighting accessory, and its
# resident memory at rest.
#
# First on the factory profile as a user gets it ("Wave", previewed on the
# shown Light page), then at rest on a still lighting effect: the program
# runs from a scratch copy of the build whose profiles then hold "Normal"
# (bench/preview_cpu.sh prints the preview's figures page by page).
set -euo pipefail
source_root="$(cd "$(dirname "$0")/.." && pwd)"
measured_build="${GEARCONSOLE_BUILD_DIR:-$source_root/build}"
scratch=$(mktemp -d /tmp/gearconsole-idle.XXXXXX)
[ -x "$measured_build/gearconsole" ] || bash "$source_root/scripts/build.sh" >/dev/null
cp "$measured_build/gearconsole" "$scratch/"
cp -r "$measured_build/modules" "$scratch/"
export GEARCONSOLE_BUILD_DIR="$scratch"
source "$source_root/bench/common.sh"
trap 'stop_private_xvfb; rm -rf "$scratch"' EXIT
log=$(mktemp)

measure() {
  local label=$1 limit=${2:-0.5}
  start_program "$log"
  wait_first_frame "$log" >/dev/null
  sleep 3
  local before after rss
  before=$(cpu_ns "$PROGRAM_PID")
  sleep 10
  after=$(cpu_ns "$PROGRAM_PID")
  rss=$(rss_kib "$PROGRAM_PID")
  stop_program
  awk -v ns=$((after - before)) -v label="$label" -v rss="$rss" -v cpu_limit="$limit" -v limit="$RESIDENT_LIMIT_MIB" 'BEGIN {
    printf "idle CPU %s: %.3f %% of one core over 10 s (limit %s %%); resident memory: %.1f MiB (limit %.1f MiB)\n",
      label, 100 * ns / 1e10, cpu_limit, rss / 1024, limit }'
}

export GEARCONSOLE_VIRTUAL_DEVICES=0
measure "with one virtual keyboard, factory profile (Wave previewed)" 1
sed -i "s/^lightValue=[0-9]*,/lightValue=0,/" "$scratch"/modules/setting/p*.bin

unset GEARCONSOLE_VIRTUAL_DEVICES
measure "with no device"
export GEARCONSOLE_VIRTUAL_DEVICES=0
measure "with one virtual keyboard, still effect (Normal)"
# The lighting accessory has a secondary interface: the vendor-report poll
# then waits in its 400 ms reads instead of pausing between empty cycles.
export GEARCONSOLE_VIRTUAL_DEVICES=5
measure "with the poll reading a virtual lighting accessory"
echo "load average during the run: $(cut -d' ' -f1-3 /proc/loadavg)"
rm -f "$log"
