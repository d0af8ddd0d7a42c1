#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the program under Wine and the
# tests need. Does nothing when they are all there.
set -euo pipefail

PACKAGES=(
  g++ cmake ninja-build googletest
  clang libclang-rt-14-dev
  mingw-w64 g++-mingw-w64-x86-64-posix
  wine wine64
  xvfb trayer xdotool x11-utils imagemagick openbox xterm
  fonts-dejavu-core fonts-liberation
  nsis zip unzip procps python3
  qt6-base-dev qt6-qpa-plugins libcanberra-dev libxcb-screensaver0-dev xprintidle
  libwayland-dev libwayland-bin pkg-config dbus-daemon kwin-wayland qt6-wayland
  dpkg-dev file lintian
  python3-gi gir1.2-glib-2.0 libglib2.0-bin xfce4-panel xfconf gnome-shell gnome-shell-extension-appindicator
  plasma-workspace plasma-desktop kwin-x11
  at-spi2-core python3-pyatspi
)

missing=()
for package in "${PACKAGES[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$package")
done

if ((${#missing[@]} == 0)); then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo_cmd=()
if ((EUID != 0)); then
  command -v sudo >/dev/null || { echo "Run as root or install sudo." >&2; exit 1; }
  sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
