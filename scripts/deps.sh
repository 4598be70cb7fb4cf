#!/usr/bin/env bash
# Installs the Debian packages the build needs, only those that are missing.
# Sourced by play.sh and test.sh; needs root or sudo when anything is missing.
set -euo pipefail

PLIX_PACKAGES=(
  build-essential cmake ninja-build ccache pkg-config clang
  libgtest-dev libgmock-dev libbenchmark-dev
  libsdl2-dev libfreetype-dev libfontconfig-dev fonts-dejavu-core
  libpng-dev libjpeg62-turbo-dev zlib1g-dev libopenjp2-7-dev
  libvorbisidec-dev libvorbis-dev libogg-dev
  libcairo2-dev libpixman-1-dev fonts-comic-neue fonts-lobster
  xvfb xauth xdotool x11-utils
)

plix_install_deps() {
  local missing=()
  local p
  for p in "${PLIX_PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$p")
    fi
  done
  if [ ${#missing[@]} -eq 0 ]; then
    return 0
  fi
  echo "Installing: ${missing[*]}"
  local sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null 2>&1; then
      sudo=(sudo)
    else
      echo "These packages are missing and we are not root: ${missing[*]}" >&2
      return 1
    fi
  fi
  export DEBIAN_FRONTEND=noninteractive
  "${sudo[@]}" apt-get update -q
  "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
}
