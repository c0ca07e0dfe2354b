# The common part of the end-to-end scripts, sourced after their arguments are read: a fresh
# home folder (removed at exit), the game's data folder in it, fail, and run_dbd, which plays an
# input script in the real game on SDL's dummy drivers and fails unless it ends with 0.
#     source "$(dirname "$0")/e2e_lib.sh"
#     run_dbd "$DBD" "$SCRIPT" 240 DBD_LIST_RESOURCES=TRUE
HOME_DIR="$(mktemp -d)"
trap 'rm -rf "$HOME_DIR"' EXIT
DATA="$HOME_DIR/.local/share/Quillmoor/DustbowlDolly"
LOG="$DATA/dbd.log"

fail() { echo "FAIL: $*"; echo "----- log -----"; cat "$LOG" 2>/dev/null || true; exit 1; }

# run_dbd DBD SCRIPT SECONDS [NAME=VALUE ...]: the extra settings go into the environment.
run_dbd() {
  local dbd="$1" script="$2" seconds="$3"
  shift 3
  local rc
  set +e
  env -u XDG_DATA_HOME HOME="$HOME_DIR" SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy \
    DBD_FIXED_STEP=16 DBD_INPUT_SCRIPT="$script" DBD_OPENURL_LOG=1 "$@" \
    timeout "$seconds" "$dbd"
  rc=$?
  set -e
  [ "$rc" -eq 0 ] || fail "dbd ended with $rc"
  [ -f "$LOG" ] || fail "no log"
}

# The classes of the top modes the script wrote ("mode"), space-separated in order.
top_modes() { grep '^W: top mode ' "$LOG" | sed 's/^W: top mode //' | tr '\n' ' '; }
