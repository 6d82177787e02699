#!/usr/bin/env bash
# Fetches Debian's stock kernel once into a cache folder for the kernel test
# VM: the package is downloaded with apt-get (no install scripts run), and only
# what the VM boots is unpacked from it:
#   CACHE/vmlinux   the uncompressed kernel (booted directly, which spares the
#                   emulated CPU the decompression); vmlinuz if that fails
#   CACHE/modules/  the kernel's module tree, only the folders the VM loads from
#   CACHE/ready     the package's name; the package itself is not kept
# Usage: fetch_kernel.sh CACHE_DIR
# Later runs find the cache and ask nothing of the network.
set -euo pipefail
cache=${1:?usage: fetch_kernel.sh CACHE_DIR}
mkdir -p "$cache"
cache=$(cd "$cache" && pwd)
[ -f "$cache/ready" ] && exit 0

# Module folders the VM needs: virtio and 9p for the host's file systems,
# overlayfs for a writable root, HID core, hid-generic (which creates the
# hidraw nodes) and uhid.
module_folders=(drivers/virtio drivers/hid net/9p fs/9p fs/netfs fs/fscache fs/overlayfs)

log="$cache/fetch.log"
: >"$log"
fail() { echo "kernel-test: $1 (see $log)" >&2; exit 1; }

# The package behind the linux-image-amd64 meta package, e.g. linux-image-6.1.0-57-amd64.
kernel_package() {
  apt-cache depends linux-image-amd64 2>>"$log" | awk '/Depends: linux-image-[0-9]/ { print $2; exit }'
}
package=$(kernel_package)
if [ -z "$package" ]; then
  apt-get update -qq >>"$log" 2>&1 || true
  package=$(kernel_package)
fi
[ -n "$package" ] || fail "no Debian kernel package known to apt"

rm -f "$cache"/*.deb
# apt-get warns that it downloads as root when _apt cannot write the folder.
(cd "$cache" && apt-get download "$package" >>"$log" 2>&1) \
  || { apt-get update -qq >>"$log" 2>&1; (cd "$cache" && apt-get download "$package" >>"$log" 2>&1); } \
  || fail "cannot download $package"
deb=$(ls "$cache"/*.deb)

rm -rf "$cache/unpacked" "$cache/modules" "$cache/vmlinux"
mkdir -p "$cache/unpacked"
patterns=('./boot/vmlinuz-*')
for folder in "${module_folders[@]}"; do patterns+=("./lib/modules/*/kernel/$folder/*"); done
dpkg-deb --fsys-tarfile "$deb" | tar -x -C "$cache/unpacked" --wildcards "${patterns[@]}" \
  || fail "cannot unpack $deb"
mv "$cache"/unpacked/lib/modules/* "$cache/modules"
vmlinuz=$(ls "$cache"/unpacked/boot/vmlinuz-*)

# The compressed kernel inside vmlinuz starts at an xz header; the first
# offset that decompresses to an ELF file is it.
for offset in $(LC_ALL=C grep -aboP '\xFD7zXZ\x00' "$vmlinuz" | cut -d: -f1); do
  tail -c +$((offset + 1)) "$vmlinuz" | xz -dcq >"$cache/vmlinux" 2>/dev/null || true
  [ "$(head -c 4 "$cache/vmlinux" | od -An -c | tr -d ' ')" = '177ELF' ] && break
  rm -f "$cache/vmlinux"
done
if [ ! -f "$cache/vmlinux" ]; then
  echo "kernel-test: no uncompressed kernel in $vmlinuz; booting it compressed (slower)" >>"$log"
  cp "$vmlinuz" "$cache/vmlinuz"
fi
rm -rf "$cache/unpacked" "$deb"
echo "$package" >"$cache/ready"
