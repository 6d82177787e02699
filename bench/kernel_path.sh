#!/usr/bin/env bash
# Figures of the kernel path, in one boot of the kernel test VM
# (tests/kernel/run_in_vm.sh): the time from starting the VM to its first
# result; a full key matrix sent through hidapi, hidraw and the kernel's HID
# core to a uhid keyboard against its two mandatory 128 ms pauses (compare
# the virtual backend's, measured in the same VM as bench/key_matrix.sh does on
# the host); burnlet's microseconds per KiB through libHIDDLL and hidraw to a
# uhid boot loader, beside the simulated boot loader's figures in the same VM
# (bench/burnlet_program.sh prints those on the host). The VM's CPU is
# emulated: its figures compare with each other, not with the host's.
# Usage: bench/kernel_path.sh   (GEARCONSOLE_BUILD_DIR picks another build, default build/)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${GEARCONSOLE_BUILD_DIR:-build}
[ -f "$build/build.ninja" ] || bash scripts/build.sh >/dev/null
cmake --build "$build" --target bench_kernel_path bench_key_matrix burnlet-bench udev_rules gearconsole-hidraw-usage >/dev/null

now_ns() { date +%s%N; }
out=$build/bench/kernel_path
mkdir -p "$out"
log=$out/console.log
status=0
TIMEFORMAT='%R %U %S'
# The bench's own lines are shown as they come; the first of them stamps the
# time from the VM's start (after any other VM run of this build has ended).
# The kernel's messages stay in the console log.
{ time tests/kernel/run_in_vm.sh --build "$build" --log "$log" -- bash -c \
    "$PWD/$build/bench/bench_kernel_path && echo 'the virtual backend and the simulated boot loader, same VM:' &&
     QT_QPA_PLATFORM=offscreen $PWD/$build/bench/bench_key_matrix 2>/dev/null && $PWD/$build/burnlet/bench/burnlet-bench" \
    2>&1; } 2>"$out/time.txt" | while IFS= read -r line; do
  case $line in
    'kernel-test: starting the VM') now_ns >"$out/started"; continue ;;
    'kernel-test: VM ran '*) line=${line#kernel-test: VM ran }; echo "${line%% s;*}" >"$out/vm_seconds"; continue ;;
    '['*|kernel-test:*|'Starting systemd-udevd'*) continue ;;
  esac
  [ -f "$out/first_result" ] || echo $(( ($(now_ns) - $(cat "$out/started")) / 1000000 )) >"$out/first_result"
  echo "$line"
done || status=$?
read -r _ user system <"$out/time.txt"
ready=$(sed -n 's/^kernel-test: ready after \([0-9.]*\) s$/\1/p' "$log")
first=$(cat "$out/first_result" 2>/dev/null || echo '?')
vm_seconds=$(cat "$out/vm_seconds" 2>/dev/null || echo '?')
rm -f "$out/first_result" "$out/started" "$out/vm_seconds"
printf 'kernel test VM: first result %s ms after the VM was started (udevd settled %s s into the boot); VM ran %s s; CPU %s s (user %s, system %s)\n' \
  "$first" "${ready:-?}" "$vm_seconds" "$(awk -v u="$user" -v s="$system" 'BEGIN { printf "%.1f", u + s }')" "$user" "$system"
[ "$status" -eq 0 ] || { echo "bench: the VM run failed (status $status); console log: $log" >&2; exit "$status"; }
