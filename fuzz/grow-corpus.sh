#!/usr/bin/env bash
# Adds to the seed corpora what a long run (fuzz/run-long.sh) found that the seeds do not reach,
# kept small, so that the short runs of the test command start from the best inputs.
#
#   fuzz/grow-corpus.sh [target...]      default: every target with a long-run folder
#
# For each target, the inputs of $FUZZ_RUN_DIR/<name>/corpus (default /tmp/dbd-fuzz-long) of at
# most $FUZZ_GROW_MAX_BYTES bytes (default 2048) go through libFuzzer's merge against
# fuzz/corpus/<name>: only those that add coverage to the seeds are kept, and of those at most
# $FUZZ_GROW_MAX_FILES (default 32), the smallest, are copied into fuzz/corpus/<name>. The seeds
# already there are never removed. Prints, per target, the inputs looked at and added.
set -euo pipefail
cd "$(dirname "$0")/.."

FUZZ_BUILD="${FUZZ_BUILD:-build-fuzz}"
RUN_DIR="${FUZZ_RUN_DIR:-/tmp/dbd-fuzz-long}"
MAX_BYTES="${FUZZ_GROW_MAX_BYTES:-2048}"
MAX_FILES="${FUZZ_GROW_MAX_FILES:-32}"

if [ "$#" -gt 0 ]; then
  TARGETS=("$@")
else
  TARGETS=()
  for dir in "$RUN_DIR"/*/corpus; do
    [ -d "$dir" ] && TARGETS+=("$(basename "$(dirname "$dir")")")
  done
fi

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0}"
printf '%-22s %9s %7s\n' target looked added
for name in "${TARGETS[@]}"; do
  binary="$FUZZ_BUILD/fuzz/fuzz_$name"
  found="$RUN_DIR/$name/corpus"
  seeds="fuzz/corpus/$name"
  if [ ! -x "$binary" ] || [ ! -d "$found" ] || [ ! -d "$seeds" ]; then
    echo "skipping $name: needs $binary, $found and $seeds" >&2
    continue
  fi
  work="$(mktemp -d)"
  mkdir -p "$work/base" "$work/candidates"
  cp "$seeds"/* "$work/base/"
  find "$found" -maxdepth 1 -type f -size -"$((MAX_BYTES + 1))"c -print0 |
    while IFS= read -r -d '' file; do
      [ -e "$seeds/$(basename "$file")" ] || cp "$file" "$work/candidates/"
    done
  looked="$(find "$work/candidates" -type f | wc -l)"
  "$binary" -merge=1 -timeout=10 -rss_limit_mb=2048 "$work/base" "$work/candidates" \
    >"$work/merge.log" 2>&1 || { echo "merge failed for $name (log: $work/merge.log)" >&2; continue; }
  # The inputs the merge kept beside the seeds, smallest first.
  added=0
  while IFS= read -r file; do
    [ "$added" -ge "$MAX_FILES" ] && break
    cp "$work/base/$file" "$seeds/"
    added=$((added + 1))
  done < <(for path in "$work/base"/*; do
             file="$(basename "$path")"
             [ -e "$seeds/$file" ] || echo "$(stat -c %s "$path") $file"
           done | sort -n | cut -d' ' -f2-)
  printf '%-22s %9s %7s\n' "$name" "$looked" "$added"
  rm -rf "$work"
done
