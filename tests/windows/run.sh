#!/usr/bin/env bash
# Builds the Windows registry back end with mingw-w64 and runs its test under
# Wine, in a Wine prefix of its own inside the build folder. Installs the two
# packages when they are missing (about 1.5 GB); when that is not possible it
# says so and skips, without failing.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build-windows}
packages=(g++-mingw-w64-x86-64 wine64)

skip() {
  echo "SKIPPED: Windows registry test: $*"
  exit 0
}

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  command -v apt-get >/dev/null || skip "no apt-get to install ${missing[*]}"
  free_kb=$(df --output=avail -k / | tail -1)
  [ "$free_kb" -ge 2000000 ] || skip "less than 2 GB free to install ${missing[*]}"
  sudo=""
  if [ "$(id -u)" -ne 0 ]; then
    sudo -n true 2>/dev/null || skip "no root rights to install ${missing[*]}"
    sudo="sudo -n"
  fi
  echo "Installing ${missing[*]} (about 1.5 GB)"
  export DEBIAN_FRONTEND=noninteractive
  { $sudo apt-get update -qq && $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"; } >/dev/null \
    || skip "could not install ${missing[*]}"
fi

wine=$(dpkg -L wine64 | grep -E '/wine64$' | head -1)
[ -x "$wine" ] || skip "the wine64 package has no wine64 program"

mkdir -p "$build"
build=$(cd "$build" && pwd) # Wine wants an absolute prefix
exe="$build/test_registry_win32.exe"
x86_64-w64-mingw32-g++ -std=c++20 -O1 -Wall -Wextra -static -I"$root" -o "$exe" \
  "$root/tests/windows/test_registry_win32.cpp" \
  "$root/platform/registry_value.cpp" \
  "$root/platform/registry_win32.cpp"

export WINEPREFIX="$build/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY
# The first run creates the prefix, with messages that are no test's business.
if [ ! -d "$WINEPREFIX" ]; then
  status=0
  timeout 600 "$wine" wineboot --init >/dev/null 2>&1 || status=$?
  [ $status -eq 124 ] && skip "Wine did not finish setting up its prefix within 10 minutes"
fi
timeout 300 "$wine" "$exe"
