#!/usr/bin/env bash
# Installs everything gearconsole needs to build, run and test on Debian 12.
# Safe to run again: apt skips what is already there.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-declarative-dev qt6-declarative-dev-tools
  qml6-module-qtquick qml6-module-qtquick-window qml6-module-qtqml-workerscript
  qml6-module-qttest qml6-module-qtquick-templates
  libgl-dev libegl-dev libxkbcommon-dev
  libhidapi-dev libudev-dev libx11-dev libxi-dev libxtst-dev
  libwayland-dev qt6-wayland weston   # Qt's Wayland platform and the compositor of its test
  xvfb xauth x11-utils xdotool imagemagick
  libglib2.0-bin gsettings-desktop-schemas dconf-gsettings-backend dconf-service   # the desktops' settings tools,
  dbus-daemon dbus-bin dbus-session-bus-common libkf5config-bin                   # for the pointer settings' test
  openbox wmctrl dbus-daemon dex
  fonts-dejavu-core fonts-noto-cjk
  dpkg-dev file appstream desktop-file-utils lintian debootstrap   # the package test
  clang libclang-rt-14-dev
  qemu-system-x86 busybox-static udev xz-utils   # the kernel test VM (tests/kernel/)
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ "${#missing[@]}" -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; else SUDO=; fi
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
