#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine is missing for building and testing Rivex, then
# configures and builds it in ./build.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  cmake make g++ pkg-config
  libgtest-dev googletest
  qt6-base-dev libqt6printsupport6 qt6-translations-l10n qt6-l10n-tools qt6-tools-dev
  fonts-ipafont-gothic
  xvfb xauth
  clang-14 libclang-rt-14-dev
  poppler-utils
  mawk time python3
  desktop-file-utils appstream dpkg-dev man-db file lintian bash-completion
  nlohmann-json3-dev
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build -j"$(nproc)"
