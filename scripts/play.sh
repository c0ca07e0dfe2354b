#!/usr/bin/env bash
# Installs what is missing, builds the project (optimised) and starts what already runs.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh

BUILD=build
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$BUILD" -j"$(nproc)"

echo
echo "The game itself does not run yet. Starting the engine demo: a letterboxed window of sprites"
echo "(tinted, faded, additive, rotated, scaled, mirrored, animated); a click plays a sound."
if [ -z "${DISPLAY:-}" ]; then
  echo "No display: running 120 frames on SDL's dummy video driver and writing engine-demo.log."
  SDL_VIDEODRIVER=dummy "$BUILD"/tools/engine-demo/engine-demo --frames 120
else
  "$BUILD"/tools/engine-demo/engine-demo
fi
