#!/usr/bin/env bash
# Sets up what is missing, builds the test configuration (with AddressSanitizer
# and UndefinedBehaviorSanitizer) and runs the whole suite headless.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh

build=build-test
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DDIORAMIX_SANITIZE=ON >/dev/null
cmake --build "$build"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure "$@"
