#!/usr/bin/env bash
# Runs one command as root inside a small VM with the kernel's own HID stack
# (uhid, hidraw), systemd-udevd and the build's device access rule, and
# returns the command's exit status.
#
#   tests/kernel/run_in_vm.sh --build BUILD_DIR [--log CONSOLE_LOG] [--timeout SECONDS] -- COMMAND [ARGS...]
#
# The VM (qemu-system-x86_64, software emulation) boots Debian's stock kernel,
# fetched once into BUILD_DIR/kernel-cache, from an initramfs of busybox and a
# few modules; it sees the host's root file system read-only (with a tmpfs
# layer over it) and one writable folder, BUILD_DIR/tests/kernel/run, at the
# same path as on the host. Inside, the command runs in BUILD_DIR with
#   KERNEL_TEST_OUT=BUILD_DIR/tests/kernel/run/out   (kept after the run)
#   GEARCONSOLE_IN_VM=1
# and the host's QT_*, QTEST_*, GEARCONSOLE_* and *SAN_OPTIONS variables.
# The serial console (kernel messages, the command's output, the end marker
# "kernel-test: command finished ... with exit status N") is copied to
# CONSOLE_LOG (default BUILD_DIR/tests/kernel/console.log), the kernel's whole
# log to CONSOLE_LOG with .dmesg.log for .log (once the command has ended).
#
# Exit status: the command's; 77 (one line saying why) when qemu cannot start
# at all; 1 when the VM fails or does not finish within the time limit.
set -euo pipefail
readonly SKIP=77
here=$(cd "$(dirname "$0")" && pwd)

usage() { echo "usage: $0 --build BUILD_DIR [--log CONSOLE_LOG] [--timeout SECONDS] -- COMMAND [ARGS...]" >&2; exit 2; }
build= log= limit=600
while [ $# -gt 0 ]; do
  case $1 in
    --build) build=${2:?}; shift 2 ;;
    --log) log=${2:?}; shift 2 ;;
    --timeout) limit=${2:?}; shift 2 ;;
    --) shift; break ;;
    *) usage ;;
  esac
done
[ -n "$build" ] && [ $# -gt 0 ] || usage
build=$(cd "$build" && pwd)
log=${log:-$build/tests/kernel/console.log}
mkdir -p "$build/tests/kernel" "$(dirname "$log")"
log=$(cd "$(dirname "$log")" && pwd)/$(basename "$log")

qemu=$(command -v qemu-system-x86_64 || true)
if [ -z "$qemu" ] || ! "$qemu" -version >/dev/null 2>&1; then
  echo "kernel-test: SKIP: qemu-system-x86_64 cannot run here (scripts/setup.sh installs qemu-system-x86)"
  exit $SKIP
fi

# One VM at a time per build: they share the run folder, and each would slow
# the other down.
exec 9>"$build/tests/kernel/vm.lock"
flock 9

cache=$build/kernel-cache
bash "$here/fetch_kernel.sh" "$cache"
initramfs=$cache/initramfs.cpio
if [ ! -f "$initramfs" ] || [ "$here/vm_init.sh" -nt "$initramfs" ] || [ "$here/make_initramfs.sh" -nt "$initramfs" ]; then
  bash "$here/make_initramfs.sh" "$cache" "$initramfs"
fi
kernel=$cache/vmlinux
[ -f "$kernel" ] || kernel=$cache/vmlinuz

run=$build/tests/kernel/run
rm -rf "$run"
mkdir -p "$run/out"
{
  printf 'BUILD_DIR=%q\n' "$build"
  while IFS= read -r name; do
    printf 'export %s=%q\n' "$name" "${!name}"
  done < <(compgen -e | grep -E '^(QT_|QTEST_|GEARCONSOLE_|(A|UB|L|T)SAN_OPTIONS$)' || true)
} >"$run/settings.sh"
# A program named by a relative path is found from here, as on the host; the
# command itself runs in BUILD_DIR.
program=$1
shift
case $program in /*) ;; */*) program=$PWD/$program ;; esac
printf 'exec' >"$run/command.sh"
printf ' %q' "$program" "$@" >>"$run/command.sh"
echo >>"$run/command.sh"

# Paths travel on the kernel command line, which splits at spaces.
case "$run$here" in *' '*) echo "kernel-test: the build and source paths must not contain spaces" >&2; exit 1 ;; esac
cmdline="console=ttyS0 quiet loglevel=5 panic=-1 mitigations=off random.trust_cpu=on"
cmdline+=" KERNEL_TEST_RUN=$run KERNEL_TEST_SESSION=$here/vm_session.sh"

echo "kernel-test: starting the VM"
started=$(date +%s%N)
set +e
timeout "$limit" "$qemu" -machine pc,accel=tcg -cpu max -smp 2 -m 1024 \
  -nodefaults -display none -no-reboot -serial stdio \
  -kernel "$kernel" -initrd "$initramfs" -append "$cmdline" \
  -virtfs local,path=/,mount_tag=hostroot,security_model=none,readonly=on,multidevs=remap \
  -virtfs local,path="$run",mount_tag=run,security_model=none,multidevs=remap \
  </dev/null 2>&1 | sed -u 's/\r$//' | tee "$log"
qemu_status=${PIPESTATUS[0]}
set -e
seconds=$(awk -v ns=$(($(date +%s%N) - started)) 'BEGIN { printf "%.1f", ns / 1e9 }')

# The kernel's whole log, beside the console's copy.
[ ! -f "$run/dmesg.log" ] || cp "$run/dmesg.log" "${log%.log}.dmesg.log"
if [ -f "$run/status" ]; then
  status=$(cat "$run/status")
  echo "kernel-test: VM ran ${seconds} s; console log: $log"
  # 77 means "skipped" to CTest; a command that fails with it still failed.
  [ "$status" -ne $SKIP ] || status=1
  exit "$status"
fi
if [ "$qemu_status" -eq 124 ]; then
  echo "kernel-test: the VM did not finish within $limit s; console log: $log"
  exit 1
fi
if [ "$qemu_status" -ne 0 ] && ! grep -q '^kernel-test:' "$log"; then
  echo "kernel-test: SKIP: qemu cannot start here (exit status $qemu_status; its words are in $log)"
  exit $SKIP
fi
echo "kernel-test: the VM stopped before the command finished; console log: $log"
exit 1
