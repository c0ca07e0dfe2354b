#!/usr/bin/env bash
# Builds the fuzz build and runs every fuzz target (or the ones named) for a while, side by side.
#
#   fuzz/run-long.sh [seconds] [target...]      seconds: per target, default 300
#
# Each target runs in its own scratch folder under $FUZZ_RUN_DIR (default /tmp/dbd-fuzz-long)
# over a fresh corpus folder seeded from fuzz/corpus/<name>/, so the source tree never sees what
# libFuzzer adds. At most $FUZZ_PARALLEL targets (default: the number of cores) run at once. At
# the end each target's result, runs, new corpus inputs and findings are listed; a failing input is
# left in <scratch>/<name>/artifacts/. The exit status is 1 when any target failed.
# With $FUZZ_RUNS set, each target also stops once it has run that many inputs.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT="$PWD"

SECONDS_PER_TARGET="${1:-300}"
shift || true
if ! [[ "$SECONDS_PER_TARGET" =~ ^[0-9]+$ ]] || [ "$SECONDS_PER_TARGET" -eq 0 ]; then
  echo "usage: $0 [seconds] [target...]" >&2
  exit 2
fi

FUZZ_BUILD="${FUZZ_BUILD:-build-fuzz}"
CC=clang CXX=clang++ cmake -S . -B "$FUZZ_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DDBD_FUZZ=ON >/dev/null
cmake --build "$FUZZ_BUILD" -j"$(nproc)" --target fuzz_targets

if [ "$#" -gt 0 ]; then
  TARGETS=("$@")
else
  TARGETS=()
  for src in fuzz/*.cpp; do
    TARGETS+=("$(basename "$src" .cpp)")
  done
fi

RUN_DIR="${FUZZ_RUN_DIR:-/tmp/dbd-fuzz-long}"
PARALLEL="${FUZZ_PARALLEL:-$(nproc)}"
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}"
# As in the tests: dates read the same everywhere, and the C library does not look at
# /etc/localtime again for every conversion.
export TZ="${TZ:-UTC}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"

run_one() {
  local name="$1"
  local work="$RUN_DIR/$name"
  rm -rf "$work"
  mkdir -p "$work/corpus" "$work/artifacts"
  if [ -d "fuzz/corpus/$name" ]; then
    cp -r "fuzz/corpus/$name/." "$work/corpus/"
  fi
  local rc=0
  (cd "$work" && "$ROOT/$FUZZ_BUILD/fuzz/fuzz_$name" -max_total_time="$SECONDS_PER_TARGET" \
     ${FUZZ_RUNS:+-runs="$FUZZ_RUNS"} -timeout=10 -rss_limit_mb=2048 -artifact_prefix="$work/artifacts/" corpus \
     >"$work/log" 2>&1) || rc=$?
  echo "$rc" >"$work/rc"
}

echo "running ${#TARGETS[@]} targets for ${SECONDS_PER_TARGET}s each, $PARALLEL at a time, in $RUN_DIR"
mkdir -p "$RUN_DIR"
running=0
for name in "${TARGETS[@]}"; do
  if [ ! -x "$FUZZ_BUILD/fuzz/fuzz_$name" ]; then
    echo "no fuzz target $name" >&2
    exit 2
  fi
  run_one "$name" &
  running=$((running + 1))
  if [ "$running" -ge "$PARALLEL" ]; then
    wait -n || true
    running=$((running - 1))
  fi
done
wait || true

failed=0
printf '%-22s %-7s %12s %9s %9s\n' target result runs new findings
for name in "${TARGETS[@]}"; do
  work="$RUN_DIR/$name"
  rc="$(cat "$work/rc" 2>/dev/null || echo "?")"
  runs="$(grep -oE '^Done [0-9]+ runs' "$work/log" | grep -oE '[0-9]+' || true)"
  if [ -z "$runs" ]; then
    # A run stopped by a finding says how far it got on its last status line.
    runs="$(grep -oE '^#[0-9]+' "$work/log" | tail -n 1 | tr -d '#' || true)"
  fi
  # New: inputs the run added to its corpus (candidates for fuzz/corpus after -merge=1 and
  # minimising). Findings: the failing inputs left in artifacts/.
  seeds="$(find "fuzz/corpus/$name" -type f 2>/dev/null | wc -l)"
  found="$(find "$work/corpus" -type f | wc -l)"
  findings="$(find "$work/artifacts" -type f | wc -l)"
  if [ "$rc" = "0" ]; then
    result=ok
  else
    result=FAILED
    failed=1
  fi
  printf '%-22s %-7s %12s %9s %9s\n' "$name" "$result" "${runs:-?}" "$((found - seeds))" "$findings"
done
[ "$failed" = "0" ] || echo "failing inputs and logs are under $RUN_DIR/<target>/"
exit "$failed"
