#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks, then configures and builds into build/.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  build-essential cmake ninja-build pkg-config git
  libsfml-dev libimgui-dev libstb-dev libbox2d-dev libdumb1-dev zlib1g-dev libx11-dev libopenal-dev
  fonts-roboto-unhinted fonts-dejavu-core
  libgtest-dev libbenchmark-dev clang libclang-rt-14-dev
  xvfb xauth xdotool x11-apps x11-utils x11-xserver-utils imagemagick libopenal1 sox
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y "${missing[@]}"
fi

cmake -S . -B build -G Ninja ${TVL_CMAKE_ARGS:-}
cmake --build build -j"$(nproc)"
