#!/usr/bin/env bash
# The widget demo's picture tests: each screen in a real window, read back and checked.
#
#     shot_test.sh SCREEN DEMO PYTHON CHECK_SCRIPT WORK_DIR
#
# SCREEN is splash, options, yesno or credits. The window opens on the X display of the test
# command (DISPLAY, else DBD_GL_DISPLAY); without one the test is skipped (77) unless
# DBD_REQUIRE_GL is set.
set -u
# shellcheck source=../demokit/shot_lib.sh
source "$(dirname "$0")/../demokit/shot_lib.sh"
SCREEN=$CASE

need_display

# Frames until the screen shows what the check looks for: the splash logo at full strength
# (after its half-second fade), the dialogs at once, the credits well under way.
case "$SCREEN" in
splash) FRAMES=60 ;;
options | yesno) FRAMES=20 ;;
credits) FRAMES=1100 ;;
*) fail "unknown screen $SCREEN" ;;
esac

DISPLAY=$X_DISPLAY SDL_VIDEODRIVER=x11 LIBGL_ALWAYS_SOFTWARE=1 \
  "$DEMO" --scene "$SCREEN" --frames $FRAMES --screenshot "$WORK/shot.png" \
  --log "$WORK/demo.log" > "$WORK/out.txt"
status=$?
[ $status -eq 0 ] || fail "widget-demo exited with $status"
grep -qxF "widget-demo: $FRAMES frames, screens $SCREEN" "$WORK/out.txt" \
  || fail "expected the report line"
"$PYTHON" "$CHECK" "$SCREEN" "$WORK/shot.png" || fail "the screenshot"
echo "passed: $SCREEN"
