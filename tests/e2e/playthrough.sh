#!/usr/bin/env bash
# End to end: one playthrough of the real game, three starts on one fresh home folder, so that
# the settings carry from one start to the next:
#   1. playthrough_profile.txt: a profile made and selected on the player screen, the options
#      changed, the game left through the exit question;
#   2. playthrough_story.txt: a new story: the chapter scene, the lesson day, the newspaper
#      (epitaph) page, day 1 lost and played again with "Try again", day 1 won, the next
#      newspaper, the game left through the exit question;
#   3. playthrough_credits.txt: the changed options still in force, the slot screen showing the
#      day reached, the credits, the exit question from the window's close button.
# Each start is checked on its own log: the screens in order, nothing missing (resources,
# fonts, texts of the string table), no exception, a clean end; and no sanitizer report. The
# settings file is read after each start.
#
# The pictures ("screenshot" steps) need a display that keeps pixels: with an X display named
# in DBD_GL_DISPLAY (as the test command provides) or DISPLAY, starts 1 and 3 run in a window
# there and their pictures are checked; start 2, a long one, runs there too only when
# DBD_E2E_SHOTS names a folder to keep every picture in (to look at them), else on SDL's dummy
# driver, where its screenshot steps are only logged.
#     playthrough.sh DBD_EXECUTABLE SCRIPT_FOLDER SETTINGSDUMP
set -euo pipefail
DBD="$1"
SCRIPTS="$2"
DUMP="$3"
source "$(dirname "$0")/e2e_lib.sh"

WORK="$HOME_DIR/playthrough"
mkdir -p "$WORK"
SHOTS="${DBD_E2E_SHOTS:-$WORK/shots}"
mkdir -p "$SHOTS"
X_DISPLAY="${DISPLAY:-${DBD_GL_DISPLAY:-}}"
CFG="$DATA/dbdconfig.dat"

# As the library's, with the error output of the starts so far (the sanitizers' reports).
fail() {
  echo "FAIL: $*"
  echo "----- log -----"
  cat "$LOG" 2>/dev/null || true
  local err
  for err in "$WORK"/*.err; do
    [ -s "$err" ] && { echo "----- $err -----"; tail -60 "$err"; }
  done
  exit 1
}

# play NAME WINDOW: plays playthrough_NAME.txt (its @SHOTS@ made the pictures' folder) in a window
# on the X display when WINDOW is 1 and there is one, else on the dummy driver; leaves its log in
# $WORK/NAME.log (LOG then names it) and its error output in $WORK/NAME.err (the sanitizers'
# reports go there; a report also ends the game with an exit code other than 0).
play() {
  local name="$1" window="$2"
  local script="$WORK/$name.txt"
  sed -e "s|@SHOTS@|$SHOTS|g" "$SCRIPTS/playthrough_$name.txt" >"$script"
  local -a video=(SDL_VIDEODRIVER=dummy)
  if [ "$window" = 1 ] && [ -n "$X_DISPLAY" ]; then
    video=(SDL_VIDEODRIVER=x11 DISPLAY="$X_DISPLAY" LIBGL_ALWAYS_SOFTWARE=1)
  fi
  LOG="$DATA/dbd.log"
  rm -f "$LOG"
  # Drawn in software, a frame in a window costs ten times one on the dummy driver.
  local seconds=300
  [ "${video[0]}" = SDL_VIDEODRIVER=dummy ] || seconds=1500
  run_dbd "$DBD" "$script" "$seconds" DBD_FIXED_STEP=33 "${video[@]}" 2>"$WORK/$name.err"
  mv "$LOG" "$WORK/$name.log"
  LOG="$WORK/$name.log"
  ! grep -q 'ERROR: AddressSanitizer\|ERROR: LeakSanitizer\|runtime error:' "$WORK/$name.err" ||
    fail "$name: a sanitizer report"
  # A resource, font or cursor not found, or a key the string table lacks ("[string] KEY"), is
  # logged as "Missing resource".
  ! grep -q 'Missing resource\|EXCEPTION\|not found' "$LOG" || fail "$name: something was missing or failed"
  tail -2 "$LOG" | head -1 | grep -qx 'M: == END ==' || fail "$name: the log does not end with END"
  # Every picture asked for was taken, or the display kept none.
  local shot
  for shot in $(sed -n 's|^screenshot @SHOTS@/||p' "$SCRIPTS/playthrough_$name.txt"); do
    if [ "${video[0]}" = SDL_VIDEODRIVER=x11 ]; then
      grep -qxF "W: screenshot $SHOTS/$shot" "$LOG" || fail "$name: no picture $shot"
      [ "$(head -c 8 "$SHOTS/$shot" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] ||
        fail "$name: $shot is no PNG"
    else
      grep -qF "W: screenshot $SHOTS/$shot" "$LOG" || fail "$name: the step of $shot was not reached"
    fi
  done
}

# expect_modes NAME WANT: the top modes the script wrote.
expect_modes() {
  local modes
  modes="$(top_modes)"
  [ "$modes" = "$2" ] || fail "$1: screens: got [$modes], want [$2]"
}

# settings: the settings file as text.
settings() {
  [ -f "$CFG" ] || fail "no settings file"
  "$DUMP" "$CFG" || fail "the settings file cannot be read"
}

# The options as run 1 leaves them; runs 2 and 3 must find them so.
expect_options() {
  local s="$1" what="$2" music sound
  grep -qxF "LowResourcesMode=TRUE" <<<"$s" || fail "$what: the low-resources mode is off"
  music="$(sed -n 's/^MusicVolume=//p' <<<"$s")"
  sound="$(sed -n 's/^SoundVolume=//p' <<<"$s")"
  [ "$music" = "$MUSIC" ] && [ "$sound" = "$SOUND" ] ||
    fail "$what: volumes music $music, sound $sound; set were $MUSIC and $SOUND"
}

# ---- 1: the profile and the options ----------------------------------------------------------
play profile 1
expect_modes profile "SplashScreen IntroMode MenuFrame PlayerDlg EditNameDlg MenuFrame PlayerDlg MenuFrame PlayerDlg MenuFrame DBDGameOptions MenuFrame ExitConfirmMode "
s="$(settings)"
for pair in "PlayerName=Wilma" "SavedPlayerName_1=Wilma" "SavedPlayerNameDefault_1=FALSE" \
            "SavedPlayerNameDefault_0=TRUE"; do
  grep -qxF "$pair" <<<"$s" || fail "profile: settings lack $pair"
done
WILMA="$(sed -n 's/^PlayerUID=//p' <<<"$s")"
[ -n "$WILMA" ] && grep -qxF "SavedPlayerUID_1=$WILMA" <<<"$s" || fail "profile: Wilma is not the player"
# The defaults are music 36 and sound 255: the piano slider was clicked right of its knob, the
# sound slider left of its knob.
MUSIC="$(sed -n 's/^MusicVolume=//p' <<<"$s")"
SOUND="$(sed -n 's/^SoundVolume=//p' <<<"$s")"
[ "$MUSIC" -gt 36 ] && [ "$SOUND" -lt 255 ] || fail "profile: volumes music $MUSIC, sound $SOUND"
expect_options "$s" profile

# ---- 2: the story --------------------------------------------------------------------------
if [ -n "${DBD_E2E_SHOTS:-}" ]; then play story 1; else play story 0; fi
expect_modes story "SplashScreen IntroMode MenuFrame NewGameDlg InterLevelMode PreLevelDlg PlayMode GameStatsDlg InterLevelMode PreLevelDlg PlayMode GameStatsDlg InterLevelMode PreLevelDlg PlayMode GameStatsDlg InterLevelMode PreLevelDlg PlayMode DBDGameOptions MenuFrame ExitConfirmMode "
# The days built, in order: the lesson, day 1, day 1 again after "Try again", day 2.
days="$(sed -n 's/^W: >PM ST //p' "$LOG" | tr '\n' ' ')"
[ "$days" = "0 1 1 2 " ] || fail "story: days built [$days], want [0 1 1 2 ]"
s="$(settings)"
expect_options "$s" story
grep -qxF "PlayerUID=$WILMA" <<<"$s" || fail "story: Wilma is no longer the player"
# Wilma's slot 0: day 2 next (day 1 won), time flag 0, medium, the takings of days 0 and 1 (the
# goal of day 1 alone is $1500).
slot="$(sed -n "s/^Savegame_${WILMA}_0=//p" <<<"$s")"
[[ "$slot" =~ ^2\ 0\ 1\ ([0-9]+)$ ]] || fail "story: slot 0 is [$slot], want day 2 of a medium 3-minute story"
[ "${BASH_REMATCH[1]}" -ge 1500 ] || fail "story: the score ${BASH_REMATCH[1]} is below day 1's goal"
grep -qxF "LastInterlevel=2" <<<"$s" || fail "story: the story viewer does not reach week 3"

# ---- 3: the options after two restarts, the slot, the credits, the exit question -----------
play credits 1
expect_modes credits "SplashScreen IntroMode MenuFrame DBDGameOptions MenuFrame StoryModeDlg MenuFrame DollyCreditsMode MenuFrame ExitConfirmMode ExitConfirmMode "
s="$(settings)"
expect_options "$s" credits
grep -qxF "PlayerName=Wilma" <<<"$s" || fail "credits: Wilma is no longer the player"
echo "playthrough: passed (pictures in $SHOTS)"
