#!/usr/bin/env bash
# Installs the Debian packages the project builds and tests with. Safe to run again:
# it only calls apt-get when something is missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build ccache pkg-config
  libtesseract-dev tesseract-ocr-eng tesseract-ocr-vie tesseract-ocr-deu libleptonica-dev
  libicu-dev nlohmann-json3-dev zlib1g-dev
  libopencv-dnn-dev libopencv-imgproc-dev libeigen3-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  python3 python3-openpyxl cmark-gfm unzip
  qt6-base-dev qt6-svg-dev qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools
  libx11-dev libxcb1-dev libxkbcommon-dev libxkbcommon-x11-dev fonts-inter
  xvfb xauth xdotool xclip imagemagick x11-xserver-utils x11-xkb-utils x11-utils trayer
  clang-14 libfuzzer-14-dev desktop-file-utils
  libfreetype-dev fonts-noto-color-emoji
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y "${missing[@]}"
fi
