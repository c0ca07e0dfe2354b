#!/usr/bin/env bash
# End to end: the real game on SDL's dummy drivers with a fresh home folder plays a 3-minute
# timed game by timed_game.txt; checks the screens it passed and that the typed name is the
# player and holds a local high score of that game.
#     timed_game.sh DBD_EXECUTABLE SCRIPT SETTINGSDUMP
set -euo pipefail
DBD="$1"
SCRIPT="$2"
DUMP="$3"
HOME_DIR="$(mktemp -d)"
trap 'rm -rf "$HOME_DIR"' EXIT
DATA="$HOME_DIR/.local/share/Quillmoor/DustbowlDolly"

fail() { echo "FAIL: $*"; echo "----- log -----"; cat "$DATA/dbd.log" 2>/dev/null || true; exit 1; }

set +e
env -u XDG_DATA_HOME HOME="$HOME_DIR" SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy \
  DBD_FIXED_STEP=16 DBD_INPUT_SCRIPT="$SCRIPT" DBD_OPENURL_LOG=1 \
  timeout 600 "$DBD"
RC=$?
set -e
[ "$RC" -eq 0 ] || fail "dbd ended with $RC"
LOG="$DATA/dbd.log"
[ -f "$LOG" ] || fail "no log"

# The screens in the order met: the name entry stays through Escape, then the result shows.
modes="$(grep '^W: top mode ' "$LOG" | sed 's/^W: top mode //' | tr '\n' ' ')"
for want in "MenuFrame DlgYesNo TimeAttackDlg" "EditNameDlg EditNameDlg HighScoreDlg TimeAttackDlg MenuFrame"; do
  grep -qF "$want" <<<"$modes" || fail "screens: got [$modes], want [... $want ...]"
done
! grep -q 'Missing resource\|EXCEPTION\|not found' "$LOG" || fail "something was missing"

# The settings: the typed name is the player's, its default flag is gone, and the 3-minute easy
# table holds its score at rank 0 under that name.
CFG="$DATA/dbdconfig.dat"
[ -f "$CFG" ] || fail "no settings file"
settings="$("$DUMP" "$CFG")" || fail "the settings file cannot be read"
for pair in "PlayerName=Dolly" "SavedPlayerName_0=Dolly" "SavedPlayerNameDefault_0=FALSE" \
            "TimedTime=0" "TimedDifficulty=0" "CachedHighScore_0_0_0_0_Name=Dolly"; do
  grep -qxF "$pair" <<<"$settings" || fail "settings lack $pair"
done
score="$(sed -n 's/^CachedHighScore_0_0_0_0_Score=//p' <<<"$settings")"
[ -n "$score" ] && [ "$score" -gt 0 ] || fail "no score filed: [$score]"
echo "timed game: passed"
