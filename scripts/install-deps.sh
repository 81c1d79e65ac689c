#!/usr/bin/env bash
# Installs every Debian package that building, running and testing grayden needs.
# Does nothing when all of them are already there.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  clang libclang-rt-14-dev clang-format clang-tidy
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-base-dev-tools libgl-dev libxcb1-dev
  qt6-translations-l10n
  qt6-svg-dev
  fonts-liberation fonts-ipafont-gothic
  xvfb xauth imagemagick x11-utils openbox xdotool
  dpkg-dev desktop-file-utils appstream xorriso groff-base lintian
  python3
  poppler-utils
  libglib2.0-dev shared-mime-info
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
$sudo apt-get update
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y "${missing[@]}"
