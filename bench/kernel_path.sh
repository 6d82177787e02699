#!/usr/bin/env bash
# Figures of the kernel path, in one boot of the kernel test VM
# (tests/kernel/run_in_vm.sh): the time from starting the VM to its first
# result; a full key matrix sent through hidapi, hidraw and the kernel's HID
# core to a uhid keyboard against its two mandatory 128 ms pauses (compare
# bench/key_matrix.sh, the virtual backend); burnlet's microseconds per KiB
# through libHIDDLL and hidraw to a uhid boot loader, beside the simulated
# boot loader's figures measured in the same VM (bench/burnlet_program.sh
# prints those on the host). The VM's CPU is emulated: its figures compare
# with each other, not with the host's.
# Usage: bench/kernel_path.sh   (GEARCONSOLE_BUILD_DIR picks another build, default build/)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${GEARCONSOLE_BUILD_DIR:-build}
[ -f "$build/build.ninja" ] || bash scripts/build.sh >/dev/null
cmake --build "$build" --target bench_kernel_path burnlet-bench udev_rules gearconsole-hidraw-usage >/dev/null

now_ns() { date +%s%N; }
out=$build/bench/kernel_path
mkdir -p "$out"
log=$out/console.log
started=$(now_ns)
status=0
TIMEFORMAT='%R %U %S'
# The bench's own lines are shown as they come; the first of them stamps the
# boot-to-first-result time. The kernel's messages stay in the console log.
{ time tests/kernel/run_in_vm.sh --build "$build" --log "$log" -- bash -c \
    "$PWD/$build/bench/bench_kernel_path && echo 'simulated boot loader, same VM:' && $PWD/$build/burnlet/bench/burnlet-bench" \
    2>&1; } 2>"$out/time.txt" | while IFS= read -r line; do
  case $line in '['*|kernel-test:*|'Starting systemd-udevd'*) continue ;; esac
  [ -f "$out/first_result" ] || echo $(( ($(now_ns) - started) / 1000000 )) >"$out/first_result"
  echo "$line"
done || status=$?
read -r wall user system <"$out/time.txt"
ready=$(sed -n 's/^kernel-test: ready after \([0-9.]*\) s$/\1/p' "$log")
first=$(cat "$out/first_result" 2>/dev/null || echo '?')
rm -f "$out/first_result"
printf 'kernel test VM: first result %s ms after the VM was started (udevd settled %s s into the boot); whole run %s s wall, %s s CPU (user %s, system %s)\n' \
  "$first" "${ready:-?}" "$wall" "$(awk -v u="$user" -v s="$system" 'BEGIN { printf "%.1f", u + s }')" "$user" "$system"
[ "$status" -eq 0 ] || { echo "bench: the VM run failed (status $status); console log: $log" >&2; exit "$status"; }
