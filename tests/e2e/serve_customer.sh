#!/usr/bin/env bash
# End to end: one saloon day played by an input script (serve_customer.txt) through the game's
# own event path, headless on SDL's dummy drivers: the player pours at the tap and serves at the
# tables, a customer pays, and the cash rises once the flying money lands in the bag. The same
# day without the script earns nothing.
#     serve_customer.sh PLAYDAY GAME_DIR SCRIPT
set -euo pipefail
PLAYDAY="$1"
GAME_DIR="$2"
SCRIPT="$3"
OUT="$(mktemp)"
trap 'rm -f "$OUT"' EXIT

fail() { echo "FAIL: $*"; echo "----- output -----"; cat "$OUT"; exit 1; }

run_day() {
  env SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy "$@" timeout 600 "$PLAYDAY" --type timed \
    --level 5 --difficulty 1 --length 60 --headless --seed 7 --step 20 --game-dir "$GAME_DIR" >"$OUT" 2>&1
}

# Without a player nobody is served.
run_day || fail "playday without a script ended with $?"
grep -q '^results: ' "$OUT" || fail "no results without a script"
! grep -q '^cash ' "$OUT" || fail "cash came in without a player"

# With the scripted player: money lands (the cash rises during the day, before closing) and
# the results carry it.
run_day DBD_INPUT_SCRIPT="$SCRIPT" || fail "playday with the script ended with $?"
first="$(sed -n 's/^cash \([0-9]*\) at \([0-9.]*\) s$/\1 \2/p' "$OUT" | head -1)"
[ -n "$first" ] || fail "the cash never rose"
read -r cash at <<<"$first"
[ "$cash" -gt 0 ] || fail "first cash $cash"
awk -v t="$at" 'BEGIN { exit !(t > 2 && t < 60) }' || fail "cash rose at $at s"
final="$(sed -n 's/^results: type 0, aborted 0, cash \([0-9]*\),.*/\1/p' "$OUT")"
[ -n "$final" ] || fail "no results"
[ "$final" -ge "$cash" ] || fail "results cash $final below $cash"
echo "serve customer: first money \$$cash at $at s, day's cash \$$final"
