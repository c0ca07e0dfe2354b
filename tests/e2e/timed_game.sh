#!/usr/bin/env bash
# End to end: the real game on SDL's dummy drivers with a fresh home folder plays a 3-minute
# timed game by timed_game.txt; checks the screens it passed and that the typed name is the
# player and holds a local high score of that game.
#     timed_game.sh DBD_EXECUTABLE SCRIPT SETTINGSDUMP
set -euo pipefail
DBD="$1"
SCRIPT="$2"
DUMP="$3"
source "$(dirname "$0")/e2e_lib.sh"

# A 33 ms step: the day plays the same, in half the frames.
run_dbd "$DBD" "$SCRIPT" 600 DBD_FIXED_STEP=33

# The screens in the order met: the name entry stays through Escape, then the result shows.
modes="$(top_modes)"
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
