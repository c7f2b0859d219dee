#!/usr/bin/env bash
# Installs every Debian package the build and the tests need. Safe to run again.
set -euo pipefail
packages=(
  build-essential cmake ninja-build clang libclang-rt-14-dev pkg-config git
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64 mingw-w64-tools
  libz-mingw-w64-dev zlib1g-dev libzip-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev libgumbo-dev
  wine wine64 xvfb xauth xdotool imagemagick x11-utils
  zip unzip python3 python3-fonttools librsvg2-bin fonts-dejavu-core fonts-wine
  fonts-liberation2 fonts-lato
  time procps
  nsis 7zip libarchive-tools
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
