#!/usr/bin/env bash
# Sets up what is missing, builds Dioramix and starts it.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh

build=build
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDIORAMIX_TESTS=OFF >/dev/null
cmake --build "$build"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "Dioramix is built (build/dioramix), but there is no display to show it on."
  echo "Rendering the sample drawing headless instead:"
  QT_QPA_PLATFORM=offscreen "$build/dioramix-cli" render examples/dome.sdf -o "$build/domestereo1.png"
  echo "The stereogram is in $build/domestereo1.png"
  exit 0
fi
# Without drawings named, a sample one (its bitmap is named from here).
if [ $# -eq 0 ]; then set -- examples/dome.sdf; fi
exec "$build/dioramix" "$@"
