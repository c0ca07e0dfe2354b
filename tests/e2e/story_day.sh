#!/usr/bin/env bash
# End to end: the real game on SDL's dummy drivers with a fresh home folder plays story_day.txt
# (a new story, its first day to the end, day 1 left at once, the story button again); checks
# the screens it passed, that nothing was missing, and the save slot it leaves: day 1 next
# ("Day 2" on the slot screen), medium, 3-minute days, the first day's takings as the score.
#     story_day.sh DBD_EXECUTABLE SCRIPT SETTINGSDUMP
set -euo pipefail
DBD="$1"
SCRIPT="$2"
DUMP="$3"
source "$(dirname "$0")/e2e_lib.sh"

run_dbd "$DBD" "$SCRIPT" 300 DBD_FIXED_STEP=33

# The screens, in the order the script met them; the play mode's own dialogs may stand where
# the day is named.
modes="$(top_modes)"
for want in "SplashScreen IntroMode MenuFrame NewGameDlg InterLevelMode" "InterLevelMode" \
            "MenuFrame StoryModeDlg "; do
  grep -qF "$want" <<<"$modes" || fail "screens: got [$modes], missing [$want]"
done
[ "$(grep -o 'InterLevelMode' <<<"$modes" | wc -l)" -ge 2 ] || fail "no newspaper after day 0: [$modes]"
case "$modes" in
  *"StoryModeDlg ") ;;
  *) fail "the run did not end on the slot screen: [$modes]" ;;
esac
! grep -q 'Missing resource\|EXCEPTION\|not found' "$LOG" || fail "something was missing or failed"
tail -2 "$LOG" | head -1 | grep -qx 'M: == END ==' || fail "the log does not end with END"

# The slot: day 1 next, time flag 0, difficulty 1, the score of day 0 (cash and bonus).
CFG="$DATA/dbdconfig.dat"
[ -f "$CFG" ] || fail "no settings file"
settings="$("$DUMP" "$CFG")" || fail "the settings file cannot be read"
player="$(sed -n 's/^PlayerUID=//p' <<<"$settings")"
[ -n "$player" ] || fail "no player selected"
slot="$(sed -n "s/^Savegame_${player}_0=//p" <<<"$settings")"
[[ "$slot" =~ ^1\ 0\ 1\ [0-9]+$ ]] || fail "slot 0 is [$slot], want day 1 of a medium 3-minute story"
grep -qxF "LastInterlevel=1" <<<"$settings" || fail "the story viewer does not reach week 1"
# Only from day 4 on does the story count as known.
! grep -qxF "ShowStoryModeWarning=FALSE" <<<"$settings" || fail "the warning was dropped on day 1"
echo "story day: passed"
