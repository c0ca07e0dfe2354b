#!/usr/bin/env bash
# End to end: the real game on SDL's dummy drivers with a fresh home folder plays
# menu_tour.txt; checks the screens it passed, the start-up log, and the settings it leaves.
#     menu_tour.sh DBD_EXECUTABLE SCRIPT SETTINGSDUMP
set -euo pipefail
DBD="$1"
SCRIPT="$2"
DUMP="$3"
source "$(dirname "$0")/e2e_lib.sh"

run_dbd "$DBD" "$SCRIPT" 240 DBD_LIST_RESOURCES=TRUE

# The screens, in the order the script met them.
modes="$(top_modes)"
want="SplashScreen IntroMode MenuFrame DBDGameOptions MenuFrame DollyCreditsMode MenuFrame ExitConfirmMode ExitConfirmMode "
[ "$modes" = "$want" ] || fail "screens: got [$modes], want [$want]"

# Start-up: its lines between ">oIA" and "<oIA", the packs in order, the listings of every
# resource and text, and nothing reported missing or failed anywhere.
startup="$(sed -n '/^W: >oIA$/,/^W: <oIA$/p' "$LOG")"
[ -n "$startup" ] || fail "no start-up block"
echo "$startup" | grep -q '^W: <oIA$' || fail "start-up did not finish"
packs="$(grep '^G: +' <<<"$startup" | tr '\n' ' ')"
want_packs="G: +lang_en.dat G: +misc.dat G: +characters.dat G: +dolly.dat G: +scenes.dat G: +sound.dat G: +story.dat G: +3rdparty G: +characters1.dat G: +dolly1.dat G: +scenes1.dat G: +sound1.dat G: +story1.dat "
[ "$packs" = "$want_packs" ] || fail "packs: [$packs]"
for head in "W: DBD 1.0.28  [QUIL/WIN]" "W: CFG OK" "W: Init FULL" "U: ----- Resource names -----" "U: ----- String names -----"; do
  grep -qxF "$head" <<<"$startup" || fail "start-up misses [$head]"
done
names="$(sed -n 's/^U: //p' <<<"$startup")"
for res in icon.png splash_quillmoor.png ui_tabla.png logo.png logo_white.png tapa.png \
           black200x200.png menuleft.png carteles.png btn_storymode_normal.png \
           btn_storymode_highlight.png btn_campaign_normal.png btn_campaign_highlight.png \
           btn_timed_normal.png btn_timed_highlight.png cred_design.png cred_cast.png \
           spacer60x1.png p_dolly.png p_pinkie.png cred_ack.png separator.png dolly.theme; do
  grep -qix "$res" <<<"$names" || fail "resource $res not listed"
done
for key in Caption CaptionLoading MMCopyright WelcomePlayer MainButton0 MainButton1 MainButton2 \
           PlayStoryWarning DefaultPlayerName changeplayer options credits exitgame yes no \
           LowResMode QueryExit_0 QueryExit_1 QueryExit_2 QueryExit_3 QueryExit_4 CredVerFmt \
           CredTesters CredDolly CredHank CredThief CredSheriff CredMariachi CredDog \
           CredUndertaker CredPianist CredPink CredLibraries; do
  grep -qix "$key" <<<"$names" || fail "text $key not listed"
done
! grep -q 'Missing resource\|EXCEPTION\|not found' "$LOG" || fail "something was missing"
tail -2 "$LOG" | head -1 | grep -qx 'M: == END ==' || fail "the log does not end with END"

# The settings it leaves: the check box switched the low-resources mode on, the player made
# from the login name (or the default name) was selected, and the full-screen guard is down.
CFG="$DATA/dbdconfig.dat"
[ -f "$CFG" ] || fail "no settings file"
settings="$("$DUMP" "$CFG")" || fail "the settings file cannot be read"
for pair in "LowResourcesMode=TRUE" "SavedPlayerNameDefault_0=TRUE" "FullScreenFailed=FALSE" \
            "MusicVolume=36" "SoundVolume=255" "StoryDiff=1"; do
  grep -qxF "$pair" <<<"$settings" || fail "settings lack $pair: $settings"
done
player="$(sed -n 's/^PlayerName=//p' <<<"$settings")"
[ -n "$player" ] || fail "no player selected"
grep -qxF "SavedPlayerName_0=$player" <<<"$settings" || fail "the player is not in slot 0"
echo "menu tour: passed"
