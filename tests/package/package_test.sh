#!/usr/bin/env bash
# Builds the Debian packages and has lintian check them (any error fails, the
# warnings are printed), unpacks them into a scratch root and runs the
# installed programs from there: gearctl against a virtual keyboard with a
# user data folder that already holds a changed file, the access helper on a
# command interface, the desktop file and metainfo validators, and the login
# entry read by an XDG autostart implementation. Last, apt installs them into
# a clean Debian 12 and the programs run there (clean_system.sh); without root
# or debootstrap that step is skipped, and so is the test (exit 77).
#   package_test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
source=$2
work=$(mktemp -d /tmp/gearconsole-package.XXXXXX)
trap 'rm -rf "$work"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }
step() { echo "== $*"; }

step "building the package"
cpack --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; fail "cpack"; }
debs=()
for package in gearconsole libburnlet1 libburnlet-dev; do
    found=("$work"/out/${package}_*.deb)
    [ -f "${found[0]}" ] || fail "no $package .deb in $work/out"
    debs+=("${found[0]}")
done
deb=${debs[0]}

step "lintian"
lintian --fail-on error --tag-display-limit 0 "${debs[@]}" || fail "lintian reports errors"

step "control fields"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for needed in libburnlet1 libqt6quick6 libqt6quickwidgets6 libqt6widgets6 libhidapi-hidraw0 libudev1 libc6 \
              qml6-module-qtquick qml6-module-qtqml-workerscript qt6-wayland libwayland-client0; do
    grep -qE "(^|, )$needed( |,|$)" <<<"$depends" || fail "Depends lacks $needed"
done
grep -qE "qt6-declarative-abi \(= [0-9.]+\)" <<<"$depends" || fail "Depends lacks the exact Qt release of the compiled UI"
[ "$(dpkg-deb -f "$deb" Package)" = gearconsole ] || fail "package name"

step "unpacking"
root=$work/root
for package in "${debs[@]}"; do dpkg-deb -x "$package" "$root"; done
usr=$root/usr
for file in bin/gearconsole bin/gearctl bin/burnlet-flash \
            lib/udev/gearconsole-hidraw-usage lib/udev/rules.d/70-gearconsole.rules \
            share/gearconsole/modules/setting/apConfig.bin share/gearconsole/modules/setting/apConfigD.bin \
            share/gearconsole/modules/img/logo.ico share/gearconsole/modules/i18n/ChineseSimplified.ini \
            share/applications/example.vortan.gearconsole.desktop \
            share/metainfo/example.vortan.gearconsole.metainfo.xml \
            include/burnlet.h include/hiddll.h \
            share/man/man1/gearconsole.1.gz share/man/man1/gearctl.1.gz share/man/man1/burnlet-flash.1.gz; do
    [ -e "$usr/$file" ] || fail "missing /usr/$file"
done
[ -d "$usr/libexec/gearconsole/update" ] || fail "missing the updater folder"
[ ! -e "$usr/share/gearconsole/modules/qml" ] || fail "UI documents are resources, not data"
for size in 16 32 48 64 128 256; do
    icon=$usr/share/icons/hicolor/${size}x${size}/apps/gearconsole.png
    [ -f "$icon" ] || fail "missing $size px icon"
    file "$icon" | grep -q "$size x $size" || fail "$icon is not $size px"
done
for library in libburnlet.so.1 libHIDDLL.so.1 libburnlet.so libHIDDLL.so; do
    ls "$usr"/lib/*/$library >/dev/null 2>&1 || ls "$usr/lib/$library" >/dev/null 2>&1 || fail "missing $library"
done

step "validators"
desktop-file-validate "$usr/share/applications/example.vortan.gearconsole.desktop" || fail "desktop file"
appstreamcli validate --no-net "$usr/share/metainfo/example.vortan.gearconsole.metainfo.xml" || fail "metainfo"

step "login entry: the session starts it hidden, and the user's copy of that name turns it off"
autostart=$root/etc/xdg/autostart/example.vortan.gearconsole.desktop
desktop-file-validate "$autostart" || fail "login entry"
dpkg-deb -I "$deb" conffiles | grep -qx /etc/xdg/autostart/example.vortan.gearconsole.desktop || fail "login entry not a conffile"
started() { PATH="$usr/bin:$PATH" XDG_CONFIG_DIRS="$root/etc/xdg" XDG_CONFIG_HOME="$work/config" dex --autostart --dry-run; }
[ "$(started)" = "Executing command: gearconsole --hidden" ] || fail "the session would not start it hidden: $(started)"
mkdir -p "$work/config/autostart"
printf '[Desktop Entry]\nHidden=true\n' >"$work/config/autostart/$(basename "$autostart")"
[ -z "$(started)" ] || fail "the user's Hidden=true copy did not turn it off"

step "first start with a user folder that holds a changed file"
data=$work/data
user=$data/gearconsole/modules
mkdir -p "$user/setting"
sed 's|^url=.*|url=http://mine.example|' "$usr/share/gearconsole/modules/setting/apConfig.bin" >"$user/setting/apConfig.bin"
cp "$user/setting/apConfig.bin" "$work/mine.bin"

run_gearctl() {
    env -u GEARCONSOLE_HID_TRACE -u GEARCONSOLE_VIRTUAL_STATE \
        XDG_DATA_HOME="$data" QT_QPA_PLATFORM=offscreen GEARCONSOLE_VIRTUAL_DEVICES=0 \
        "$usr/bin/gearctl" "$@"
}
out=$(run_gearctl call ui_View.getGlobalData '"common/url"' 2>"$work/err1")
cat "$work/err1"
[ "$out" = '{"return":"http://mine.example"}' ] || fail "global store not the user's: $out"
grep -q "data folder $data/gearconsole" "$work/err1" || fail "no data-folder line in the log"
cmp -s "$user/setting/apConfig.bin" "$work/mine.bin" || fail "the user's apConfig.bin was overwritten"
for f in setting/apConfigD.bin setting/pD.bin setting/p10.bin setting/name.bin gun/gunData.bin img/logo.ico; do
    cmp -s "$usr/share/gearconsole/modules/$f" "$user/$f" || fail "$f not seeded"
done

out=$(run_gearctl call ui_View.getDeviceConnectState 2>/dev/null)
[ "$out" = '{"return":1}' ] || fail "the virtual keyboard was not found: $out"
out=$(run_gearctl call ui_View.setGlobalData '"common/language"' '"English"' 2>/dev/null)
[ "$out" = '{"return":null}' ] || fail "setGlobalData: $out"
grep -q "mine.example" "$usr/share/gearconsole/modules/setting/apConfig.bin" && fail "the installed table took the user's change"
grep -q "^url=http://mine.example" "$user/setting/apConfig.bin" || fail "the user's change was lost"

step "the installed gearconsole starts, shows its UI and stays resident"
mkdir -m 700 "$work/run"
rc=0
timeout -s TERM 8 env -u GEARCONSOLE_HID_TRACE -u GEARCONSOLE_VIRTUAL_STATE \
    XDG_DATA_HOME="$data" XDG_RUNTIME_DIR="$work/run" QT_QPA_PLATFORM=offscreen GEARCONSOLE_VIRTUAL_DEVICES=0 \
    "$usr/bin/gearconsole" 2>"$work/err2" || rc=$?
cat "$work/err2"
[ "$rc" = 124 ] || fail "gearconsole ended by itself with $rc"
grep -q "data folder $data/gearconsole" "$work/err2" || fail "gearconsole chose another data folder"
grep -q "Device Connect State 1" "$work/err2" || fail "gearconsole did not find the virtual keyboard"
grep -q "first frame" "$work/err2" || fail "gearconsole showed no frame"
grep -q "qrc:" "$work/err2" && fail "the UI documents reported errors"

step "access rules and helper from the package"
grep -q 'IMPORT{program}="gearconsole-hidraw-usage %S%p"' "$usr/lib/udev/rules.d/70-gearconsole.rules" || fail "installed rule"
printed=$(run_gearctl udev-rules)
grep -qF "IMPORT{program}=\"$usr/lib/udev/gearconsole-hidraw-usage --table $usr/share/gearconsole/modules/setting/apConfig.bin %S%p\"" \
    <<<"$printed" || fail "gearctl udev-rules of the unpacked package: $printed"
printf '\x06\x00\xff\x09\x01\xa1\x01\x09\x02\x75\x08\x95\x40\x81\x02\xc0' >"$work/vendor.bin"
printf '\x05\x01\x09\x06\xa1\x01\x05\x07\x19\xe0\x29\xe7\x75\x01\x95\x08\x81\x02\xc0' >"$work/keyboard.bin"
granted=$("$usr/lib/udev/gearconsole-hidraw-usage" --descriptor "$work/vendor.bin" --id fff0:0101)
[ "$granted" = GEARCONSOLE_COMMAND_INTERFACE=1 ] || fail "installed helper on the command interface: $granted"
refused=$("$usr/lib/udev/gearconsole-hidraw-usage" --descriptor "$work/keyboard.bin" --id fff0:0101 2>/dev/null)
[ -z "$refused" ] || fail "installed helper granted the keystroke interface"

step "a clean Debian 12 installs and runs them"
if [ "$(id -u)" -ne 0 ] || ! command -v debootstrap >/dev/null; then
    echo "SKIP: the clean system needs root and debootstrap"
    exit 77
fi
# One minbase system for every build folder of this clone (plain and sanitized).
bash "$(dirname "$0")/clean_system.sh" "$source/build/package-cache" "${debs[@]}"

echo "package test passed: $(cd "$work/out" && echo *.deb)"
