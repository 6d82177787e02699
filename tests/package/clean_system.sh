#!/usr/bin/env bash
# Installs the packages with apt into a clean Debian 12 (debootstrap, minbase)
# and runs the installed programs there, so that every library, QML module and
# plugin they need must come from the packages' dependencies, nothing from
# this machine. Needs root, debootstrap and the Debian archive.
#   clean_system.sh CACHE_DIR PACKAGE.deb...
# CACHE_DIR keeps an untouched debootstrap (made on the first run) and apt's
# downloads; each run installs into a fresh copy.
set -euo pipefail
cache=$1
shift
mirror=${GEARCONSOLE_DEBIAN_MIRROR:-http://deb.debian.org/debian}

fail() { echo "FAIL: $*" >&2; exit 1; }
step() { echo "== $*"; }

base=$cache/minbase
mkdir -p "$cache/archives/partial"
# The plain and the sanitized suite share the cache: one makes it, the other waits.
exec 9>"$cache/lock"
flock 9
if [ ! -d "$base" ]; then
    step "making a Debian 12 minbase system (once) in $base"
    rm -rf "$base.tmp"
    debootstrap --variant=minbase bookworm "$base.tmp" "$mirror" >"$cache/debootstrap.log" 2>&1 \
        || { tail -20 "$cache/debootstrap.log"; fail "debootstrap"; }
    mv "$base.tmp" "$base"
fi

root=$(mktemp -d /tmp/gearconsole-clean.XXXXXX)
cleanup() {
    umount "$root/proc" 2>/dev/null || true
    umount "$root/var/cache/apt/archives" 2>/dev/null || true
    rm -rf --one-file-system "$root"
}
trap cleanup EXIT
cp -a "$base/." "$root/"
# A container without the right to mount cannot host the clean system.
if ! mount --bind "$cache/archives" "$root/var/cache/apt/archives"; then
    echo "SKIP: no mounts allowed here, so no clean system"
    exit 77
fi
mount -t proc proc "$root/proc"
mkdir "$root/tmp/debs"
cp "$@" "$root/tmp/debs/"

in_root() {
    chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 \
        DEBIAN_FRONTEND=noninteractive "$@"
}

step "apt installs the packages with their dependencies only"
in_root apt-get update -qq >"$root/apt.log" 2>&1 || { cat "$root/apt.log"; fail "apt-get update"; }
in_root sh -c 'apt-get install -y --no-install-recommends /tmp/debs/*.deb' >>"$root/apt.log" 2>&1 \
    || { tail -40 "$root/apt.log"; fail "apt-get install"; }
grep -E "^(Setting up|Processing triggers for) (gearconsole|libburnlet|libc-bin)" "$root/apt.log"

# As a user would run them: offscreen, one virtual keyboard, a private runtime folder.
# A sanitized build's leak report needs suppressions that live outside; leaks
# are the other tests' business, dependencies this one's.
run() {
    in_root env QT_QPA_PLATFORM=offscreen GEARCONSOLE_VIRTUAL_DEVICES=0 ASAN_OPTIONS=detect_leaks=0 \
        XDG_DATA_HOME=/tmp/data XDG_RUNTIME_DIR=/tmp/run "$@"
}
mkdir -m 700 "$root/tmp/run"

step "gearctl"
out=$(run gearctl call ui_View.getDeviceConnectState 2>"$root/gearctl.log") \
    || { cat "$root/gearctl.log"; fail "gearctl ended with $?"; }
[ "$out" = '{"return":1}' ] || { cat "$root/gearctl.log"; fail "gearctl found no virtual keyboard: $out"; }

step "gearconsole starts, shows its UI and stays resident"
rc=0
run timeout -s TERM 8 gearconsole 2>"$root/gearconsole.log" || rc=$?
[ "$rc" = 124 ] || { cat "$root/gearconsole.log"; fail "gearconsole ended by itself with $rc"; }
grep -q "first frame" "$root/gearconsole.log" || { cat "$root/gearconsole.log"; fail "gearconsole showed no frame"; }
if grep -E "qrc:|is not installed|Could not load" "$root/gearconsole.log"; then fail "the UI is incomplete"; fi

step "burnlet-flash"
run burnlet-flash --help >"$root/flash.txt" 2>&1 || { cat "$root/flash.txt"; fail "burnlet-flash --help"; }
grep -q "^usage: burnlet-flash" "$root/flash.txt" || fail "burnlet-flash printed no usage"

step "the update program under an edition's name"
rc=0
run timeout --preserve-status -s TERM 5 /usr/libexec/gearconsole/update/tarnelUK 2>"$root/update.log" || rc=$?
[ "$rc" = 3 ] || { cat "$root/update.log"; fail "the update program ended with $rc, not 3 (stopped)"; }
if grep -q "no device table entry" "$root/update.log"; then fail "the update program found no device table"; fi

known_to_loader() { in_root ldconfig -p | grep "libHIDDLL.so.1 " >/dev/null; }

step "apt removes them again, and the loader forgets the libraries"
in_root sh -c 'apt-get purge -y -qq gearconsole libburnlet-dev libburnlet1' >"$root/purge.log" 2>&1 \
    || { cat "$root/purge.log"; fail "apt-get purge"; }
[ ! -e "$root/etc/xdg/autostart/example.vortan.gearconsole.desktop" ] || fail "purge left the login entry"
if known_to_loader; then fail "the loader's cache still names libHIDDLL.so.1"; fi

# Alone, with its dependencies already there, nothing but its own trigger runs ldconfig.
step "the library package alone makes its libraries known to the loader"
in_root sh -c 'dpkg -i /tmp/debs/libburnlet1_*.deb' >"$root/dpkg.log" 2>&1 || { cat "$root/dpkg.log"; fail "dpkg -i libburnlet1"; }
known_to_loader || fail "installing libburnlet1 left libHIDDLL.so.1 out of the loader's cache"
echo "clean system: installed, ran, removed $(cd "$root/tmp/debs" && echo *.deb) and installed libburnlet1 alone"
