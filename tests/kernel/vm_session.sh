#!/bin/bash
# Runs as the first process of the kernel test VM, on the host's system (under
# a tmpfs overlay) after vm_init.sh: the usual mounts, systemd-udevd with the
# host's rules and the build's device access rule installed, then the command
# from KERNEL_TEST_RUN/command.sh as root in the build folder. Its status goes
# to KERNEL_TEST_RUN/status and into the end marker line, then the VM powers off.
export PATH=/usr/sbin:/usr/bin:/sbin:/bin
run=$KERNEL_TEST_RUN

mount -t proc proc /proc
mount -t sysfs sysfs /sys
mount -t devtmpfs devtmpfs /dev
mkdir -p /dev/pts /dev/shm
mount -t devpts devpts /dev/pts
for folder in /dev/shm /run; do mount -t tmpfs -o mode=1777 tmpfs "$folder"; done
chmod 755 /run

power_off() {
  sync
  echo o >/proc/sysrq-trigger
  sleep 30
}
fail() {
  echo "kernel-test: $1"
  echo 125 >"$run/status"
  power_off
}

# shellcheck source=/dev/null
. "$run/settings.sh" || fail "no settings in $run"   # BUILD_DIR and the host's variables
# A /tmp of the VM's own, unless the build (and so the run folder) lies under
# the host's /tmp, as a clean clone may: a tmpfs there would hide it. The
# overlay keeps writes away from the host either way.
case "$BUILD_DIR/:$run/" in
  /tmp/*|*:/tmp/*) ;;
  *) mount -t tmpfs -o mode=1777 tmpfs /tmp ;;
esac
cd "$BUILD_DIR" || fail "no build folder $BUILD_DIR"

# The access rule as the package installs it (cmake/Install.cmake): the rule
# in udev's rules folder, the helper it names without a path in udev's own
# folder, and the device table where the installed helper looks for it. The
# files go into the overlay, so the host's /usr stays as it was.
rules=packaging/70-gearconsole.rules
helper=gearconsole-hidraw-usage
table=modules/setting/apConfig.bin
for file in "$rules" "$helper" "$table"; do
  [ -f "$file" ] || fail "no $BUILD_DIR/$file: build the udev_rules and $helper targets"
done
install -D -m 644 "$rules" /usr/lib/udev/rules.d/70-gearconsole.rules
install -D -m 755 "$helper" /usr/lib/udev/gearconsole-hidraw-usage
install -D -m 644 "$table" /usr/share/gearconsole/modules/setting/apConfig.bin

/lib/systemd/systemd-udevd --daemon || fail "systemd-udevd did not start"
udevadm settle --timeout=30 || fail "udevadm settle timed out"
[ -c /dev/uhid ] || fail "no /dev/uhid"
echo "kernel-test: ready after $(cut -d' ' -f1 /proc/uptime) s"

export KERNEL_TEST_OUT=$run/out GEARCONSOLE_IN_VM=1 HOME=/root XDG_RUNTIME_DIR=/run/user/0
mkdir -p "$KERNEL_TEST_OUT"
mkdir -m 700 -p "$XDG_RUNTIME_DIR"
bash "$run/command.sh"
status=$?
dmesg >"$run/dmesg.log"
echo "$status" >"$run/status"
echo "kernel-test: command finished after $(cut -d' ' -f1 /proc/uptime) s with exit status $status"
power_off
