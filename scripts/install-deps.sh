#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the desktop program need.
set -euo pipefail
# (Named in full: the recommended extras are not installed, and Qt Charts' CMake files need Qt
# OpenGL's, minizip's headers zlib's, the build pkg-config.)
pkgs=(build-essential cmake ninja-build ccache pkg-config qt6-base-dev libqt6opengl6-dev
      qt6-serialport-dev libgl-dev libxlsxwriter-dev libminizip-dev zlib1g-dev libfreexl-dev
      qt6-charts-dev qt6-svg-dev libqt6svg6 xvfb xauth python3-openpyxl libreoffice-calc-nogui)
missing=()
for p in "${pkgs[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO=sudo
  $SUDO apt-get update -qq
  # Only what is named and what it needs: the recommended extras (themes, Java, desktop
  # integration) would double the download on a fresh machine.
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
