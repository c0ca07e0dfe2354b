#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer and runs every test.
# Extra arguments go to ctest (for example: -L rir).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh

# The fuzz targets come from a clang build of their own (libFuzzer); the main build runs each one
# briefly as a test (label fuzz).
FUZZ_BUILD=build-fuzz
CC=clang CXX=clang++ cmake -S . -B "$FUZZ_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DDBD_FUZZ=ON >/dev/null
cmake --build "$FUZZ_BUILD" -j"$(nproc)" --target fuzz_targets

BUILD=build-asan
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DDBD_SANITIZE=ON \
  -DDBD_FUZZ_BIN_DIR="$PWD/$FUZZ_BUILD/fuzz" >/dev/null
cmake --build "$BUILD" -j"$(nproc)"

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0}"
export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$PWD/scripts/lsan.supp}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
export TZ=UTC
export SDL_VIDEODRIVER="${SDL_VIDEODRIVER:-dummy}"
export SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}"

ctest --test-dir "$BUILD" --output-on-failure -j"$(nproc)" "$@"
