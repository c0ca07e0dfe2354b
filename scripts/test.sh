#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer and runs every test.
# Extra arguments go to ctest (for example: -L rir).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh

BUILD=build-asan
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DDBD_SANITIZE=ON >/dev/null
cmake --build "$BUILD" -j"$(nproc)"

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
export TZ=UTC
export SDL_VIDEODRIVER="${SDL_VIDEODRIVER:-dummy}"
export SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}"

ctest --test-dir "$BUILD" --output-on-failure -j"$(nproc)" "$@"
