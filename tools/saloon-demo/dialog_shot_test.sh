#!/usr/bin/env bash
# The level dialogs' picture tests: a dialog over the saloon in a real window, read back and
# checked (check_dialog_shot.py).
#
#     dialog_shot_test.sh DIALOG DEMO PYTHON CHECK_SCRIPT WORK_DIR
#
# DIALOG is a name of saloon-demo --dialog. The window opens on the X display of the test
# command (DISPLAY, else DBD_GL_DISPLAY); without one the test is skipped (77) unless
# DBD_REQUIRE_GL is set.
set -u
# shellcheck source=../demokit/shot_lib.sh
source "$(dirname "$0")/../demokit/shot_lib.sh"

need_display

DISPLAY=$X_DISPLAY SDL_VIDEODRIVER=x11 LIBGL_ALWAYS_SOFTWARE=1 \
  "$DEMO" --window --scene 10 --customers 4 --seconds 3 --seed 3 --dialog "$CASE" \
  --screenshot "$WORK/shot.png" > "$WORK/out.txt" 2>&1
status=$?
[ $status -eq 0 ] || fail "saloon-demo exited with $status"
[ -s "$WORK/shot.png" ] || fail "no screenshot"
"$PYTHON" "$CHECK" "$WORK/shot.png" >> "$WORK/out.txt" || fail "the picture is wrong"
echo "dialog $CASE shown"
