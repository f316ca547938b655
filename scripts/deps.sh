#!/usr/bin/env bash
# Installs the Debian packages the game needs to build and run, when any is missing.
set -euo pipefail

PACKAGES=(cmake ninja-build g++ pkg-config libsdl2-dev libsdl2-ttf-dev libsdl2-mixer-dev
          libpng-dev fonts-comic-neue fonts-dejavu-core libgtest-dev libgmock-dev
          libbenchmark-dev clang llvm libclang-rt-14-dev desktop-file-utils groff-base xvfb
          xdotool libenet-dev)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  SUDO="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq "${missing[@]}"
