#!/usr/bin/env bash
# End to end: the real game on SDL's dummy drivers with a fresh home folder plays
# campaign_turn.txt: a new campaign from the menu, one battle day and the turn's news. Checks the
# screens it passed, that nothing was missing, and the campaign stored in slot 0 after the turn.
#     campaign_turn.sh DBD_EXECUTABLE SCRIPT SETTINGSDUMP
set -euo pipefail
DBD="$1"
SCRIPT="$2"
DUMP="$3"
source "$(dirname "$0")/e2e_lib.sh"
run_dbd "$DBD" "$SCRIPT" 600

# The screens, in the order the script met them: the battle day is the play mode, whose
# statistics are closed with their Continue before the turn's news.
modes="$(grep '^W: top mode ' "$LOG" | sed 's/^W: top mode //' | tr '\n' ' ')"
want="SplashScreen MenuFrame DlgYesNo OpponentDlg DlgMessage CampaignMode PlayMode GameStatsDlg TurnResults "
[ "$modes" = "$want" ] || fail "screens: got [$modes], want [$want]"
! grep -q 'Missing resource\|EXCEPTION\|not found' "$LOG" || fail "something was missing"

# The campaign after one turn: stored in slot 0 of the current player at turn 2 against rival 0,
# the explanation seen once.
CFG="$DATA/dbdconfig.dat"
[ -f "$CFG" ] || fail "no settings file"
settings="$("$DUMP" "$CFG")" || fail "the settings file cannot be read"
uid="$(sed -n 's/^PlayerUID=//p' <<<"$settings")"
[ -n "$uid" ] || fail "no player"
value="$(sed -n "s/^CampaignData_0_${uid}=//p" <<<"$settings")"
[ "$(wc -w <<<"$value")" -eq 82 ] || fail "slot 0 holds [$value]"
[ "$(cut -d' ' -f1-2 <<<"$value")" = "2 0" ] || fail "slot 0 is not at turn 2 against rival 0: [$value]"
grep -qxF "FirstTimeCampaign=FALSE" <<<"$settings" || fail "the explanation was not noted"
echo "campaign turn: passed"
