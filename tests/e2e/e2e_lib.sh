# Shared by the end-to-end scripts (sourced): a fresh home folder for one run of the real game,
# the failure report, and the run itself on SDL's dummy drivers with an input script.
#     source "$(dirname "$0")/e2e_lib.sh"
#     e2e_run DBD_EXECUTABLE SCRIPT SECONDS [VAR=VALUE ...]   # sets RC; the log is $LOG
#     [ "$RC" -eq 0 ] || fail "dbd ended with $RC"

HOME_DIR="$(mktemp -d)"
trap 'rm -rf "$HOME_DIR"' EXIT
DATA="$HOME_DIR/.local/share/Quillmoor/DustbowlDolly"
LOG="$DATA/dbd.log"
CFG="$DATA/dbdconfig.dat"

fail() { echo "FAIL: $*"; echo "----- log -----"; cat "$LOG" 2>/dev/null || true; exit 1; }

e2e_run() {
  local dbd="$1" script="$2" seconds="$3"
  shift 3
  set +e
  (cd "$HOME_DIR" && env -u XDG_DATA_HOME HOME="$HOME_DIR" SDL_VIDEODRIVER=dummy \
    SDL_AUDIODRIVER=dummy DBD_FIXED_STEP=16 DBD_INPUT_SCRIPT="$script" DBD_OPENURL_LOG=1 "$@" \
    timeout "$seconds" "$dbd")
  RC=$?
  set -e
  [ -f "$LOG" ] || fail "no log"
}
