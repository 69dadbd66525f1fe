#!/usr/bin/env bash
# Installs the Debian packages that are missing for a purpose: "run" or "test".
# Quiet when everything is present already.
set -euo pipefail

build_pkgs=(cmake g++ make qt6-base-dev qt6-svg-dev libx11-dev libcanberra-dev libcanberra0 libcanberra-pulse
    fonts-dejavu-core fonts-liberation2 sound-theme-freedesktop)
test_pkgs=(xvfb xauth x11-utils xdotool imagemagick pulseaudio pulseaudio-utils sox clang
    libclang-rt-14-dev clang-format desktop-file-utils appstream dpkg-dev file libxcb1-dev)

want=("${build_pkgs[@]}")
if [ "${1:-run}" = test ]; then
    want+=("${test_pkgs[@]}")
fi

missing=()
for p in "${want[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    [ "$status" = "install ok installed" ] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
