#!/usr/bin/env bash
# The time to update a 64 KiB image with verification through the update engine, in one
# boot of the kernel test VM (tests/kernel/run_in_vm.sh): through libHIDDLL, hidraw and the
# kernel's HID core to a uhid boot loader, beside the same update against the simulated
# boot loader in the same VM. The VM's CPU is emulated: its figures compare with each
# other, not with the host's; the simulator's figure on the host follows for scale.
# Usage: bench/firmware_update.sh   (GEARCONSOLE_BUILD_DIR picks another build, default build/)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${GEARCONSOLE_BUILD_DIR:-build}
[ -f "$build/build.ninja" ] || bash scripts/build.sh >/dev/null
cmake --build "$build" --target bench_firmware_update_kernel bench_firmware_update_simulated udev_rules \
  gearconsole-hidraw-usage >/dev/null

out=$build/bench/firmware_update
mkdir -p "$out"
lock=$(mktemp -d)
trap 'rm -rf "$lock"' EXIT
status=0
tests/kernel/run_in_vm.sh --build "$build" --log "$out/console.log" -- bash -c \
  "export BURNLET_UPDATE_LOCK=$PWD/$build/bench/firmware_update/vm.lock &&
   $PWD/$build/bench/bench_firmware_update_kernel && $PWD/$build/bench/bench_firmware_update_simulated" 2>&1 |
  while IFS= read -r line; do
    case $line in '['*|kernel-test:*|'Starting systemd-udevd'*) continue ;; esac
    echo "in the VM: $line"
  done || status=$?
[ "$status" -eq 0 ] || { echo "bench: the VM run failed (status $status); console log: $out/console.log" >&2; exit "$status"; }
echo -n "on the host: "
BURNLET_UPDATE_LOCK="$lock/host.lock" "$build/bench/bench_firmware_update_simulated"
