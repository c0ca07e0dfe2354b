#!/usr/bin/env bash
# Installs what is missing, builds the project (optimised) and starts what already runs.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh

BUILD=build
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$BUILD" -j"$(nproc)"

echo
echo "The game itself does not run yet: the foundation library is built."
echo "Running the call-trace demo (an exception thrown three calls deep, reported with its trace):"
echo
"$BUILD"/tools/tracedemo/tracedemo || true
