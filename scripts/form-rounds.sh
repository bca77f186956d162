#!/usr/bin/env bash
# A manual check, not part of CI: under Xvfb with openbox, opens a design,
# then for N rounds opens every data form from the data tree, opens the
# materials form's curve window, and closes the forms with OK, Cancel and
# Escape in turn. At the end the program must still run and its title must
# still name the design's file.
#
#   scripts/form-rounds.sh [-n ROUNDS] [-p PROGRAM] [-d DESIGN]
#
# Defaults: 200 rounds, build/app/umbrinex, Examples/Power Cable Non-Linear.mxd.
# At the end the main window is closed as a user closes it (nothing is to be
# saved: closing forms changed nothing) and the program must end. With a
# sanitizer build (-p build-asan/app/umbrinex) its reports, leaks at the end
# included, go to form-rounds-logs/asan.*; any such file fails the check.
# Needs: xvfb openbox xdotool.
set -uo pipefail

ROOT="$(cd "$(dirname "$0")/.." && pwd)"
ROUNDS=200
PROGRAM="$ROOT/build/app/umbrinex"
DESIGN="$ROOT/Examples/Power Cable Non-Linear.mxd"
DELAY="${FORM_ROUNDS_DELAY:-0.1}"
LOGS="${FORM_ROUNDS_LOGS:-$ROOT/form-rounds-logs}"
while getopts "n:p:d:" option; do
  case "$option" in
    n) ROUNDS="$OPTARG" ;;
    p) PROGRAM="$(realpath "$OPTARG")" ;;
    d) DESIGN="$(realpath "$OPTARG")" ;;
    *) sed -n 2,14p "$0"; exit 2 ;;
  esac
done

for tool in Xvfb openbox xdotool; do
  command -v "$tool" >/dev/null || { echo "missing $tool: apt-get install xvfb openbox xdotool" >&2; exit 2; }
done
[ -x "$PROGRAM" ] || { echo "no program $PROGRAM" >&2; exit 2; }
[ -f "$DESIGN" ] || { echo "no design $DESIGN" >&2; exit 2; }

# ---- the session: a private display, a window manager, the program ----

SESSION=$(mktemp -d)
DISPLAY_NUMBER=":$((500 + RANDOM % 400))"
XVFB_PID="" WM_PID="" PROGRAM_PID=""
stop_session() {
  [ -n "$PROGRAM_PID" ] && kill "$PROGRAM_PID" 2>/dev/null
  sleep 0.5
  [ -n "$PROGRAM_PID" ] && kill -9 "$PROGRAM_PID" 2>/dev/null
  [ -n "$WM_PID" ] && kill "$WM_PID" 2>/dev/null
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
  rm -rf "$SESSION"
}
trap stop_session EXIT

x() { DISPLAY=$DISPLAY_NUMBER "$@"; }
alive() { kill -0 "$PROGRAM_PID" 2>/dev/null; }
# The program's windows whose title starts with $1 (is $1, with a second
# argument "exact").
windows() {
  local w name
  for w in $(x xdotool search --pid "$PROGRAM_PID" 2>/dev/null); do
    name=$(x xdotool getwindowname "$w" 2>/dev/null)
    if [ "${2:-}" = exact ]; then [[ $name == "$1" ]] && echo "$w"; else [[ $name == "$1"* ]] && echo "$w"; fi
  done
}
# Waits up to 10 s for such a window; prints its id.
wait_for() {
  local i w
  for i in $(seq 200); do
    w=$(windows "$1" "${2:-}" | tail -n 1)
    [ -n "$w" ] && { echo "$w"; return 0; }
    alive || return 1
    sleep 0.05
  done
  return 1
}
# Waits up to 10 s until no window's title starts with $1.
wait_gone() {
  local i
  for i in $(seq 200); do
    [ -z "$(windows "$1")" ] && return 0
    sleep 0.05
  done
  return 1
}
focus() { local w; w=$(wait_for "$1") && x xdotool windowactivate --sync "$w" >/dev/null 2>&1; sleep "$DELAY"; }
keys() { local k; for k in "$@"; do x xdotool key "$k"; sleep "$DELAY"; done; }
main_title() { local w; for w in $(windows Umbrinex); do x xdotool getwindowname "$w"; done | sort | tail -n 1; }

mkdir -p "$LOGS"
rm -f "$LOGS"/asan.* "$LOGS"/program.log
Xvfb "$DISPLAY_NUMBER" -screen 0 1600x1000x24 >/dev/null 2>&1 &
XVFB_PID=$!
sleep 1
x openbox >/dev/null 2>&1 &
WM_PID=$!
sleep 1
HOME=$SESSION UMBRINEX_CONFIG_DIR=$SESSION DISPLAY=$DISPLAY_NUMBER \
  ASAN_OPTIONS="detect_leaks=1:log_path=$LOGS/asan" \
  LSAN_OPTIONS="suppressions=$ROOT/scripts/lsan-system.supp:print_suppressions=0" UBSAN_OPTIONS="print_stacktrace=1:log_path=$LOGS/asan" \
  "$PROGRAM" "$DESIGN" >"$LOGS/program.log" 2>&1 &
PROGRAM_PID=$!
wait_for Umbrinex >/dev/null || { echo "the program showed no window; see $LOGS/program.log" >&2; exit 1; }
sleep 2
FILE_NAME=$(basename "$DESIGN" .mxd)
for i in $(seq 40); do [[ $(main_title) == *"$FILE_NAME"* ]] && break; sleep 0.25; done
echo "opened: $(main_title)"

# ---- the rounds ----

FORMS=("Project Data" "Cable Data" "Bend Stiffener Data" "Materials Data" "Load Case Data" "Analysis Data"
  "Drawing Data" "Mould Data")
CLOSERS=(alt+k alt+c Escape)
failed=""
close_count=0
for round in $(seq "$ROUNDS"); do
  for node in "${!FORMS[@]}"; do
    form=${FORMS[$node]}
    focus Umbrinex
    # The data tree, its node, Enter opens the form.
    keys alt+d Home
    for _ in $(seq "$node"); do keys Down; done
    keys Return
    if ! wait_for "$form" >/dev/null; then failed="round $round: '$form' did not open"; break 2; fi
    focus "$form"
    if [ "$form" = "Materials Data" ]; then
      keys alt+v
      wait_for Material exact >/dev/null || { failed="round $round: the curve window did not open"; break 2; }
      focus "$form"
    fi
    keys "${CLOSERS[$((close_count % 3))]}"
    close_count=$((close_count + 1))
    if ! wait_gone "$form"; then failed="round $round: '$form' did not close"; break 2; fi
    alive || { failed="round $round: the program ended after closing '$form'"; break 2; }
  done
  echo "round $round done: $(main_title)"
done

# ---- the verdict ----

title=$(main_title)
status=0
if [ -n "$failed" ]; then
  echo "FAILED: $failed" >&2
  status=1
elif ! alive; then
  echo "FAILED: the program is not running" >&2
  status=1
elif [[ $title != *"$FILE_NAME"* ]]; then
  echo "FAILED: the title '$title' lost the file name $FILE_NAME" >&2
  status=1
fi
if [ "$status" = 0 ]; then
  if [[ $title == *"(modified)"* ]]; then
    echo "FAILED: closing forms marked the design modified: '$title'" >&2
    status=1
  fi
  focus Umbrinex
  keys alt+F4
  for i in $(seq 120); do alive || break; sleep 0.25; done
  if alive; then
    echo "FAILED: the program did not end when its window was closed" >&2
    status=1
  else
    wait "$PROGRAM_PID"
    exit_status=$?
    PROGRAM_PID=""
    [ "$exit_status" = 0 ] || { echo "FAILED: the program ended with status $exit_status" >&2; status=1; }
  fi
fi
if compgen -G "$LOGS/asan.*" >/dev/null; then
  echo "FAILED: sanitizer reports in $LOGS:" >&2
  ls "$LOGS"/asan.* >&2
  status=1
fi
[ "$status" = 0 ] && echo "passed: $ROUNDS rounds, $close_count forms closed, title '$title', program ended cleanly"
exit "$status"
