#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for the given number of
# seconds (default 60) from its seed corpus; new inputs stay in the build
# folder. Installs clang and its fuzzer runtime when they are missing, and
# fails rather than skip when that is not possible: a fuzz run that quietly
# did not happen would look like a clean one.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
build=${FUZZ_BUILD:-build-fuzz}
packages=(clang libclang-rt-14-dev)

has_fuzzer() {
  command -v clang++ >/dev/null && ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1
}

if ! has_fuzzer; then
  echo "fuzz: installing ${packages[*]}"
  sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo -n"; fi
  export DEBIAN_FRONTEND=noninteractive
  if ! { $sudo apt-get update -qq && $sudo apt-get install -y -qq --no-install-recommends "${packages[@]}"; } >/dev/null \
    || ! has_fuzzer; then
    echo "fuzz: FAILED: clang and its fuzzer runtime (${packages[*]}) are missing and could not be installed" >&2
    exit 1
  fi
fi
cmake -S fuzz -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build"
for name in registry_store drawing_file clipboard_block grey_png model_file; do
  mkdir -p "$build/corpus_$name"
  # Assimp (not ours) leaks the mesh it was building when some files fail.
  leaks=1
  if [ "$name" = model_file ]; then leaks=0; fi
  ASAN_OPTIONS=detect_leaks=$leaks "$build/fuzz_$name" "$build/corpus_$name" "fuzz/corpus/$name" -max_total_time="$seconds" -rss_limit_mb=2560 -artifact_prefix="$build/" 2>&1 | tail -1
done
