#!/bin/sh
# /init of the kernel test VM (busybox). Loads the modules, mounts the host's
# root file system (read-only over virtio-9p) under a tmpfs overlay, so that
# the VM can install files without touching the host, mounts the run folder
# (the one writable share) at its host path, and switches to the host's
# system to run vm_session.sh there. switch_root, not chroot: udevadm settle
# refuses to work in a chroot.
# The kernel command line hands in KERNEL_TEST_RUN (the run folder's host path)
# and KERNEL_TEST_SESSION (vm_session.sh's host path).
/bin/busybox --install -s /bin
export PATH=/bin

halt_vm() {
  echo "kernel-test: $1"
  echo o >/proc/sysrq-trigger
  sleep 10
}

mount -t proc proc /proc
mount -t sysfs sysfs /sys
mount -t devtmpfs devtmpfs /dev
echo "kernel-test: initramfs up after $(cut -d' ' -f1 /proc/uptime) s"

while read -r module; do
  insmod "/modules/$module" || halt_vm "cannot load $module"
done </modules/order

mkdir -p /host /layers /newroot
mount -t 9p -o trans=virtio,version=9p2000.L,ro,cache=loose,msize=512000 hostroot /host \
  || halt_vm "cannot mount the host's root file system"
mount -t tmpfs -o mode=755 layers /layers
mkdir -p /layers/upper /layers/work
mount -t overlay -o lowerdir=/host,upperdir=/layers/upper,workdir=/layers/work overlay /newroot \
  || halt_vm "cannot lay a writable layer over the host's root"
mkdir -p "/newroot$KERNEL_TEST_RUN"
mount -t 9p -o trans=virtio,version=9p2000.L,msize=512000 run "/newroot$KERNEL_TEST_RUN" \
  || halt_vm "cannot mount the run folder $KERNEL_TEST_RUN"

umount /proc /sys /dev
exec switch_root /newroot /bin/bash "$KERNEL_TEST_SESSION"
