#!/usr/bin/env bash
# Packs the kernel test VM's initramfs: busybox (static), the modules the VM
# loads (with what they depend on, in loading order) and vm_init.sh as /init.
# Usage: make_initramfs.sh CACHE_DIR OUTPUT.cpio
# CACHE_DIR is what fetch_kernel.sh filled.
set -euo pipefail
cache=${1:?usage: make_initramfs.sh CACHE_DIR OUTPUT}
output=${2:?usage: make_initramfs.sh CACHE_DIR OUTPUT}
here=$(cd "$(dirname "$0")" && pwd)

wanted=(virtio_pci 9pnet_virtio 9p overlay hid hid-generic uhid)

busybox=$(command -v busybox || true)
[ -n "$busybox" ] && file -L "$busybox" | grep -q 'statically linked' \
  || { echo "kernel-test: no static busybox (scripts/setup.sh installs busybox-static)" >&2; exit 1; }

tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
mkdir -p "$tree"/{bin,dev,proc,sys,modules}
# The kernel opens the console for /init before anything is mounted.
mknod "$tree/dev/console" c 5 1
cp "$busybox" "$tree/bin/busybox"
ln -s busybox "$tree/bin/sh"
cp "$here/vm_init.sh" "$tree/init"
chmod 755 "$tree/init"

# Module name -> file; the kernel treats - and _ in names alike.
declare -A module_file
while IFS= read -r file; do
  name=$(basename "$file" .ko)
  module_file[${name//-/_}]=$file
done < <(find "$cache/modules" -name '*.ko')

declare -A loaded
order=()
add_module() {
  local name=${1//-/_} file dependency
  [ -n "${loaded[$name]:-}" ] && return 0
  file=${module_file[$name]:-}
  [ -n "$file" ] || { echo "kernel-test: module $1 not in $cache/modules" >&2; exit 1; }
  loaded[$name]=1
  for dependency in $(tr '\0' '\n' <"$file" | sed -n 's/^depends=//p' | tr ',' ' '); do
    add_module "$dependency"
  done
  cp "$file" "$tree/modules/"
  order+=("$(basename "$file")")
}
for module in "${wanted[@]}"; do add_module "$module"; done
printf '%s\n' "${order[@]}" >"$tree/modules/order"

(cd "$tree" && find . | busybox cpio -o -H newc 2>/dev/null) >"$output.tmp"
mv "$output.tmp" "$output"
