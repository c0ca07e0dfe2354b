#!/usr/bin/env bash
# The engine demo's tests.
#
#     shot_test.sh CASE DEMO PYTHON CHECK_SCRIPT WORK_DIR [MOVIE]
#
#   dummy      SDL's dummy video driver: 30 frames on the null display
#   window     the X display of the test command (DISPLAY, else DBD_GL_DISPLAY): 120 frames in
#              an 800 x 600 window, read back and checked; skipped (77) without a display unless
#              DBD_REQUIRE_GL is set
#   letterbox  an X server of its own (Xvfb) with a 1280 x 720 screen: full screen, letterboxed,
#              read back and checked; skipped (77) without Xvfb
#   movie_end  SDL's dummy video driver: --movie MOVIE without --frames ends by itself when the
#              movie ends
#   movie      the X display as for window: --movie MOVIE (the colour-bar test movie) for 60
#              frames in an 800 x 600 window, read back and checked
#   widgets    an X server of its own (Xvfb, so that the pointer can be moved): --widgets over
#              the game's packs (the build's game folder, the demo's default) for 70 frames,
#              its input script typing into the edit boxes, dragging and clicking the sliders
#              and picking a radio button; the widgets' values and the screenshot are checked;
#              skipped (77) without Xvfb
set -u
# shellcheck source=../demokit/shot_lib.sh
source "$(dirname "$0")/../demokit/shot_lib.sh"
MOVIE=${6:-}

# Runs the demo with the arguments; its standard output goes to out.txt; fails on a non-zero
# status or another report line than the one expected.
run_demo() {
  local expected=$1
  shift
  "$DEMO" --log "$WORK/demo.log" "$@" > "$WORK/out.txt"
  local status=$?
  [ $status -eq 0 ] || fail "engine-demo $* exited with $status"
  grep -qxF "$expected" "$WORK/out.txt" || fail "expected the line: $expected"
}

case "$CASE" in
dummy)
  SDL_VIDEODRIVER=dummy run_demo "engine-demo: 30 frames on the Null display, 800x600 window" \
    --frames 30
  ;;
window)
  need_display
  DISPLAY=$X_DISPLAY SDL_VIDEODRIVER=x11 LIBGL_ALWAYS_SOFTWARE=1 \
    run_demo "engine-demo: 120 frames on the OpenGL display, 800x600 window" \
    --frames 120 --screenshot "$WORK/shot.png"
  "$PYTHON" "$CHECK" window "$WORK/shot.png" || fail "the screenshot"
  ;;
letterbox)
  start_xvfb 1280x720x24
  SDL_VIDEODRIVER=x11 LIBGL_ALWAYS_SOFTWARE=1 \
    run_demo "engine-demo: 60 frames on the OpenGL display, 1280x720 full screen" \
    --fullscreen --frames 60 --screenshot "$WORK/shot.png"
  "$PYTHON" "$CHECK" letterbox "$WORK/shot.png" || fail "the screenshot"
  ;;
movie_end)
  SDL_VIDEODRIVER=dummy run_demo "engine-demo: movie $MOVIE is 320x240" --movie "$MOVIE"
  grep -qE '^engine-demo: [0-9]+ frames on the Null display, 800x600 window$' "$WORK/out.txt" \
    || fail "expected the report line"
  ;;
movie)
  need_display
  DISPLAY=$X_DISPLAY SDL_VIDEODRIVER=x11 LIBGL_ALWAYS_SOFTWARE=1 \
    run_demo "engine-demo: 60 frames on the OpenGL display, 800x600 window" \
    --movie "$MOVIE" --frames 60 --screenshot "$WORK/shot.png"
  grep -qxF "engine-demo: movie $MOVIE is 320x240" "$WORK/out.txt" || fail "expected the movie line"
  "$PYTHON" "$CHECK" movie "$WORK/shot.png" || fail "the screenshot"
  ;;
widgets)
  # A screen larger than the window, so that the demo opens a window.
  start_xvfb 1024x768x24
  SDL_VIDEODRIVER=x11 LIBGL_ALWAYS_SOFTWARE=1 \
    run_demo "engine-demo: 70 frames on the OpenGL display, 800x600 window" \
    --widgets --frames 70 --screenshot "$WORK/shot.png"
  # Typed "Dolly", Ctrl+A, Shift+Return, " Mae" (the control characters refused); "1x2y34" into
  # the digits-only box; the sound thumb dragged 90 pixels right of 96; the music slider's body
  # clicked a third along its track; the last difficulty picked.
  grep -qxF "engine-demo: widgets name=Dolly Mae code=1234 choice=13 sound=218 music=85" \
    "$WORK/out.txt" || fail "expected the widgets' values"
  "$PYTHON" "$CHECK" widgets "$WORK/shot.png" || fail "the screenshot"
  ;;
*)
  fail "unknown case $CASE"
  ;;
esac
echo "passed: $CASE"
