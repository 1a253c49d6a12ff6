#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for the given number of
# seconds (default 60) from its seed corpus; new inputs stay in the build
# folder. Skips with a note when clang's fuzzer runtime is missing.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
build=${FUZZ_BUILD:-build-fuzz}
if ! command -v clang++ >/dev/null || ! ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1; then
  echo "fuzz: clang or libclang-rt-14-dev missing, fuzzing skipped"
  exit 0
fi
cmake -S fuzz -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build"
for name in registry_store drawing_file clipboard_block; do
  mkdir -p "$build/corpus_$name"
  "$build/fuzz_$name" "$build/corpus_$name" "fuzz/corpus/$name" -max_total_time="$seconds" -rss_limit_mb=2560 2>&1 | tail -1
done
