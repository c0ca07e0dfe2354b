#!/usr/bin/env bash
# The game's process rules, on the real executable with SDL's dummy drivers and a fresh home:
# "-visit" opens the page and no window; a second start of the same window class exits with 1,
# writes nothing to the log and asks the first to come to the front; a trailing "--wndclass" is
# ignored; another class starts.
#     dbd_process.sh DBD_EXECUTABLE
set -euo pipefail
DBD="$1"
HOME_DIR="$(mktemp -d)"
FIRST=""
cleanup() {
  # SDL turns a SIGTERM into a window close, which the game may answer with a question.
  if [ -n "$FIRST" ]; then kill -KILL "$FIRST" 2>/dev/null || true; wait "$FIRST" 2>/dev/null || true; fi
  rm -rf "$HOME_DIR"
}
trap cleanup EXIT
LOG="$HOME_DIR/.local/share/Quillmoor/DustbowlDolly/dbd.log"
fail() { echo "FAIL: $*"; echo "----- log -----"; cat "$LOG" 2>/dev/null || true; exit 1; }
game() {
  env -u XDG_DATA_HOME HOME="$HOME_DIR" USER=tester SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy \
    DBD_OPENURL_LOG=1 DBD_FIXED_STEP=16 "$@"
}

# -visit: its lines, the page opened (as a log line here), no application and no window.
game "$DBD" -visit extra || fail "-visit ended with $?"
for line in "M: == STARTUP ==" "M: initSignals" "M: Have args" "M: After launch [-visit]" \
            "M: == END =="; do
  grep -qxF "$line" "$LOG" || fail "-visit: no [$line]"
done
grep -q "^U: openURL \[" "$LOG" || fail "-visit opened no page"
! grep -q "^G: Init\|^W: >oIA\|^D: " "$LOG" || fail "-visit started the game"
rm -f "$LOG"

# A first instance that keeps running.
# Started through env directly, so that its process id is the game's.
env -u XDG_DATA_HOME HOME="$HOME_DIR" USER=tester SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy \
  DBD_MAX_FRAMES=100000000 "$DBD" &
FIRST=$!
for _ in $(seq 1 600); do
  grep -q "^W: <oIA" "$LOG" 2>/dev/null && break
  kill -0 "$FIRST" 2>/dev/null || fail "the first instance ended"
  sleep 0.1
done
grep -q "^W: <oIA" "$LOG" || fail "the first instance did not start"
BEFORE="$(grep -c "== STARTUP ==" "$LOG")"

set +e
game DBD_MAX_FRAMES=5 "$DBD"; RC_SECOND=$?
game DBD_MAX_FRAMES=5 "$DBD" --wndclass; RC_TRAILING=$?
set -e
[ "$RC_SECOND" -eq 1 ] || fail "a second start ended with $RC_SECOND, not 1"
[ "$RC_TRAILING" -eq 1 ] || fail "a start with a trailing --wndclass ended with $RC_TRAILING, not 1"
[ "$(grep -c "== STARTUP ==" "$LOG")" = "$BEFORE" ] || fail "a second start wrote to the log"
for _ in $(seq 1 100); do
  grep -q "^W: another start asked for the window" "$LOG" && break
  sleep 0.1
done
grep -q "^W: another start asked for the window" "$LOG" || fail "the first instance was not asked"

# Another window class is another game.
set +e
game DBD_MAX_FRAMES=5 "$DBD" --wndclass "Other::class"; RC_OTHER=$?
set -e
[ "$RC_OTHER" -eq 0 ] || fail "a start of another class ended with $RC_OTHER"
echo "dbd process rules: passed"
