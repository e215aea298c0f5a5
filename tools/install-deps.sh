#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the tools need, when missing.
# As root it runs apt-get; otherwise it prints the exact command to run.
set -euo pipefail

packages=(
  g++ cmake make pkg-config
  qt6-base-dev libgl-dev
  libjpeg62-turbo-dev libjpeg-turbo-progs
  libgtest-dev libbenchmark-dev
  fonts-liberation fonts-dejavu-core fontconfig
  xvfb xauth x11-utils xdotool libx11-6 python3 openbox
  at-spi2-core python3-pyatspi dbus
  icoutils imagemagick
  xclip
  dpkg-dev lintian desktop-file-utils appstream man-db bash-completion
  parallel rsync graphicsmagick libvips-tools time
  clang clang-format libclang-rt-14-dev
  libpng-dev libwebp-dev libtiff-dev libgif-dev libexif-dev
  qt6-image-formats-plugins python3-pil webp libtiff-tools
  qt6-l10n-tools qt6-translations-l10n qt6-wayland weston
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
else
  echo "Missing packages. Run:"
  echo "  sudo apt-get install ${missing[*]}"
  exit 1
fi
