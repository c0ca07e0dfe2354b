#!/usr/bin/env bash
# Saves are never lost: the real game writes its settings file, which holds the profiles, every
# frame ("savestress" in its input script) and is killed with SIGKILL at a random moment, ROUNDS
# times. After every kill the file must read whole and hold one write: the counter no lower than
# before the kill and the profile renamed in the same write; nothing may have been kept aside as
# damaged. At the end the game starts on the file and keeps the values.
#     kill_saves.sh DBD_EXECUTABLE SETTINGSDUMP [ROUNDS]
set -euo pipefail
DBD="$1"
DUMP="$2"
ROUNDS="${3:-200}"
source "$(dirname "$0")/e2e_lib.sh"
CFG="$DATA/dbdconfig.dat"
STRESS="$HOME_DIR/stress.txt"
echo "savestress 100000000" >"$STRESS"

start_dbd() {
  env -u XDG_DATA_HOME HOME="$HOME_DIR" SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy \
    DBD_FIXED_STEP=16 DBD_INPUT_SCRIPT="$1" ASAN_OPTIONS=detect_leaks=0 "$DBD" >/dev/null 2>&1 &
  DBD_PID=$!
}

counter_of() { sed -n 's/^KillTestCounter=//p' <<<"$1"; }

last=0
killed_writing=0
for round in $(seq 1 "$ROUNDS"); do
  start_dbd "$STRESS"
  # A random moment of the run: during start-up, which reads and rewrites the file, or while the
  # script writes every frame.
  sleep "$((RANDOM % 3)).$(printf '%03d' $((RANDOM % 1000)))"
  kill -KILL "$DBD_PID" 2>/dev/null || true
  wait "$DBD_PID" 2>/dev/null || true

  # Killed before its first write (a slow start-up on a busy machine): there is nothing yet.
  if [ "$last" -eq 0 ] && [ ! -e "$CFG" ] && [ ! -e "$CFG.bad" ]; then
    continue
  fi
  out="$("$DUMP" "$CFG")" || fail "round $round: the settings file cannot be read after the kill"
  counter="$(counter_of "$out")"
  name="$(sed -n 's/^SavedPlayerName_9=//p' <<<"$out")"
  counter="${counter:-0}"
  [ "$counter" -ge "$last" ] || fail "round $round: counter [$counter] after [$last]: a write was lost"
  [ "$counter" -eq 0 ] || [ "$name" = "Saver $counter" ] ||
    fail "round $round: profile [$name] and counter [$counter] differ"
  [ ! -e "$CFG.bad" ] || fail "round $round: a damaged settings file was kept aside"
  [ "$counter" -eq "$last" ] || killed_writing=$((killed_writing + 1))
  last="$counter"
done
[ "$killed_writing" -gt 0 ] || fail "no kill landed while the game was writing"

# The next start loads the file as it is (and rewrites it with the same values).
QUIT="$HOME_DIR/quit.txt"
printf 'frames 5\nquit\n' >"$QUIT"
rm -f "$LOG"
run_dbd "$DBD" "$QUIT" 120
grep -qxF "W: CFG OK" "$LOG" || fail "the start after the kills did not load the settings file"
out="$("$DUMP" "$CFG")" || fail "the settings file cannot be read after the last start"
[ "$(counter_of "$out")" = "$last" ] || fail "the last start lost the counter $last"
echo "kill_saves: $ROUNDS kills ($killed_writing while writing every frame), $last writes, none lost"
