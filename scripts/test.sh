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

# intercept_tls_get_addr=0: the sanitizer runtime's __tls_get_addr hook takes a dynamic TLS block
# that happens to sit at a certain page offset for an old glibc layout and reads a bogus range
# from before it; LeakSanitizer's scan at exit then crashes now and then ("Tracer caught signal
# 11"). Mesa's driver, loaded for the OpenGL tests, has such blocks; our own code has none.
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0:intercept_tls_get_addr=0}"
export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$PWD/scripts/lsan.supp}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
export TZ=UTC
export SDL_VIDEODRIVER="${SDL_VIDEODRIVER:-dummy}"
export SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}"

# The OpenGL pixel tests need an X server. Without a DISPLAY, a virtual one (Xvfb) is started for
# them on a free display number (-displayfd reports it once the server accepts clients), kept
# alive between clients (-noreset: otherwise SDL start-ups fail now and then while it resets) and
# stopped at the end. Only those tests use it: they read DBD_GL_DISPLAY and must not skip
# (DBD_REQUIRE_GL); every other test stays on SDL's dummy driver. Mesa renders in software.
export LIBGL_ALWAYS_SOFTWARE=1
# Mesa's software rasterizer draws in the calling thread: fewer threads for LeakSanitizer to
# stop and scan at each test's exit. The tests draw small pictures, so nothing is lost but that.
export LP_NUM_THREADS="${LP_NUM_THREADS:-0}"
if [ -z "${DISPLAY:-}" ] && command -v Xvfb >/dev/null 2>&1; then
  XVFB_FD_FILE="$(mktemp)"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$XVFB_FD_FILE" \
    >/dev/null 2>&1 &
  XVFB_PID=$!
  trap 'kill "$XVFB_PID" 2>/dev/null || true; rm -f "$XVFB_FD_FILE"' EXIT
  XVFB_DISPLAY=""
  for _ in $(seq 1 100); do
    XVFB_DISPLAY="$(tr -dc '0-9' <"$XVFB_FD_FILE")"
    if [ -n "$XVFB_DISPLAY" ] && [ -S "/tmp/.X11-unix/X$XVFB_DISPLAY" ]; then
      break
    fi
    XVFB_DISPLAY=""
    kill -0 "$XVFB_PID" 2>/dev/null || break
    sleep 0.1
  done
  if [ -n "$XVFB_DISPLAY" ]; then
    export DBD_GL_DISPLAY=":$XVFB_DISPLAY"
    export DBD_REQUIRE_GL=1
  else
    echo "warning: Xvfb did not start; the OpenGL pixel tests will be skipped" >&2
  fi
fi

ctest --test-dir "$BUILD" --output-on-failure -j"$(nproc)" "$@"
