#!/usr/bin/env bash
# Installs the Debian packages the player and its tests need, and nothing when they are all there.
set -euo pipefail

packages=(
  cmake g++ ninja-build pkg-config
  qt6-base-dev libmpv-dev libasound2-dev libasound2-plugins libx11-dev
  googletest libgtest-dev libgmock-dev
  fonts-liberation fonts-dejavu-core fonts-comic-neue
  fonts-wqy-microhei fonts-lohit-deva fonts-tlwg-loma-otf
)
test_packages=(
  xvfb x11-utils xdotool openbox pulseaudio pulseaudio-utils lame sox
)

wanted=("${packages[@]}")
[ "${1:-}" = "--tests" ] && wanted+=("${test_packages[@]}")

missing=()
for p in "${wanted[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
