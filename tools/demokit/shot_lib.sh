# The shared part of the demo tools' picture tests, sourced by their shot_test.sh, called as
#
#     shot_test.sh CASE DEMO PYTHON CHECK_SCRIPT WORK_DIR ...
#
# Sets CASE, DEMO, PYTHON, CHECK and WORK (WORK_DIR/CASE, the test's own folder), makes WORK
# afresh for shot.png and out.txt, sets the audio to SDL's dummy driver and the leak
# suppressions, and gives:
#   fail MESSAGE     prints "FAILED: MESSAGE" and the demo's output, exits 1
#   need_display     X_DISPLAY from DISPLAY, else DBD_GL_DISPLAY; without one skips (77), or
#                    fails when a display is required (DBD_REQUIRE_GL)
#   start_xvfb WxHxD an X server of its own (Xvfb) with a screen of that size; DISPLAY names it;
#                    skips (77) without Xvfb
CASE=$1
DEMO=$2
PYTHON=$3
CHECK=$4
WORK=$5/$CASE
mkdir -p "$WORK"
rm -f "$WORK"/shot.png "$WORK"/out.txt
export SDL_AUDIODRIVER=dummy
# The system libraries' own leaks (X11, the GL driver) are not ours.
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/scripts/lsan.supp}

fail() {
  echo "FAILED: $*"
  [ -f "$WORK/out.txt" ] && cat "$WORK/out.txt"
  exit 1
}

need_display() {
  X_DISPLAY=${DISPLAY:-${DBD_GL_DISPLAY:-}}
  if [ -z "$X_DISPLAY" ]; then
    [ -n "${DBD_REQUIRE_GL:-}" ] && fail "no X display (DISPLAY and DBD_GL_DISPLAY unset)"
    echo "skipped: no X display (DISPLAY and DBD_GL_DISPLAY unset)"
    exit 77
  fi
}

start_xvfb() {
  command -v Xvfb > /dev/null || { echo "skipped: Xvfb is not installed"; exit 77; }
  # -displayfd picks a free display and tells its number once the server answers.
  exec 3> "$WORK/display.txt"
  Xvfb -displayfd 3 -screen 0 "$1" -nolisten tcp -noreset > "$WORK/xvfb.log" 2>&1 &
  XVFB_PID=$!
  exec 3>&-
  trap 'kill $XVFB_PID 2> /dev/null; wait $XVFB_PID 2> /dev/null' EXIT
  for _ in $(seq 100); do
    [ -s "$WORK/display.txt" ] && break
    kill -0 $XVFB_PID 2> /dev/null || fail "Xvfb did not start: $(cat "$WORK/xvfb.log")"
    sleep 0.1
  done
  [ -s "$WORK/display.txt" ] || fail "Xvfb did not answer"
  export DISPLAY=:$(head -n 1 "$WORK/display.txt")
}
