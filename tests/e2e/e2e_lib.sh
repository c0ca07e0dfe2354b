# The end-to-end scripts' common part (sourced): a fresh home folder removed at exit, the game's
# data folder in it, a fail that prints the game's log, and run_dbd, which plays an input script
# on SDL's dummy drivers with the fixed step and fails unless the game ends with 0 and wrote a log.
#     source e2e_lib.sh; run_dbd "$DBD" "$SCRIPT" SECONDS [VAR=VALUE...]
HOME_DIR="$(mktemp -d)"
trap 'rm -rf "$HOME_DIR"' EXIT
DATA="$HOME_DIR/.local/share/Quillmoor/DustbowlDolly"
LOG="$DATA/dbd.log"

fail() { echo "FAIL: $*"; echo "----- log -----"; cat "$LOG" 2>/dev/null || true; exit 1; }

run_dbd() {
  local dbd="$1" script="$2" seconds="$3"
  shift 3
  set +e
  env -u XDG_DATA_HOME HOME="$HOME_DIR" SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy \
    DBD_FIXED_STEP=16 DBD_INPUT_SCRIPT="$script" DBD_OPENURL_LOG=1 "$@" \
    timeout "$seconds" "$dbd"
  local rc=$?
  set -e
  [ "$rc" -eq 0 ] || fail "dbd ended with $rc"
  [ -f "$LOG" ] || fail "no log"
}
