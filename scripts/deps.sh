#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only those that are missing.
set -euo pipefail

PACKAGES=(
  cmake ninja-build g++ pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  zlib1g-dev libpng-dev
  libsdl1.2-dev libsdl-mixer1.2-dev libsdl-image1.2-dev libsdl-ttf2.0-dev
  libtheora-dev libvorbis-dev libogg-dev libgl-dev libgl1-mesa-dri libx11-dev
  python3 imagemagick xvfb xauth sox librsvg2-bin fonts-dejavu-core
  clang libclang-rt-14-dev
  # The content generators: pictures, sounds, music (MIDI rendered with a General MIDI bank to
  # Ogg Vorbis) and the DejaVu faces, condensed ones included.
  python3-cairo python3-mido fluidsynth timgm6mb-soundfont vorbis-tools fonts-dejavu-extra
  # The transfer of the online high-score exchange (HTTP).
  libcurl4-openssl-dev
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
