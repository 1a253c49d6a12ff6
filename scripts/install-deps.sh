#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Dioramix need,
# asking apt only for the ones that are missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev libgl-dev zlib1g-dev libisal-dev
  qt6-l10n-tools qt6-tools-dev
  libbenchmark-dev libassimp-dev libgif-dev libwebp-dev
  fonts-dejavu-core fonts-liberation2
  dpkg-dev file desktop-file-utils shared-mime-info
  python3-markdown
)
if [ "${DIORAMIX_WITH_X:-0}" = 1 ]; then
  packages+=(xvfb openbox imagemagick)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y --no-install-recommends "${missing[@]}"
