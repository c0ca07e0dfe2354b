#!/usr/bin/env bash
# Installs what is missing, builds the project with its content packs (optimised) and starts the
# game, build/game/dbd. Without a display the game runs headless on SDL's dummy drivers for a
# fixed number of frames (DBD_MAX_FRAMES, 600 by default) on a fixed 16 ms step and ends with 0.
# The game's log is dbd.log in ~/.local/share/Quillmoor/DustbowlDolly/.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh

BUILD=build
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$BUILD" -j"$(nproc)"

DATA="${XDG_DATA_HOME:-$HOME/.local/share}/Quillmoor/DustbowlDolly"
echo
if [ -z "${DISPLAY:-}" ]; then
  FRAMES="${DBD_MAX_FRAMES:-600}"
  echo "No display: running the game for $FRAMES frames on SDL's dummy drivers (log: $DATA/dbd.log)."
  SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy DBD_FIXED_STEP=16 DBD_MAX_FRAMES="$FRAMES" \
    "$BUILD"/game/dbd "$@"
  echo "Done: $FRAMES frames."
else
  echo "Starting the game (log: $DATA/dbd.log)."
  "$BUILD"/game/dbd "$@"
fi
