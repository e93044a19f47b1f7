# Shared by the real-process tests: a virtual display of their own, scratch
# directories for lumo's files, and answering lumo's boxes with the keyboard
# as a user would. Source it with the lumo binary as $1.
set -euo pipefail
lumo=$1
work=$(mktemp -d)
export XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/run QT_QPA_PLATFORM=xcb
mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
mutex_file=$XDG_RUNTIME_DIR/MyApplicationLimiterMutex
display=":$((100 + RANDOM % 800))"
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display
pids=()
cleanup() {
  kill -9 "${pids[@]}" 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# Waits (up to a minute) until the command succeeds.
wait_for() {
  for _ in $(seq 600); do
    if "$@" >/dev/null 2>&1; then return 0; fi
    sleep 0.1
  done
  echo "timed out waiting for: $*" >&2
  return 1
}
visible_windows() { xdotool search --onlyvisible --pid "$1" 2>/dev/null | sort || true; }
has_window() { [ -n "$(visible_windows "$1")" ]; }
# True once the process shows other windows than before, or has ended.
changed_from() { [ "$(visible_windows "$1")" != "$2" ] || ! kill -0 "$1"; }
# Answers the box on screen with Return (its default button) and waits
# until it has gone.
answer_box() {
  local pid=$1 before
  wait_for has_window "$pid"
  before=$(visible_windows "$pid")
  xdotool key --clearmodifiers Return
  wait_for changed_from "$pid" "$before"
}
# Starts lumo and answers its two start-up boxes; sets $started.
start_lumo() {
  "$lumo" &
  started=$!
  pids+=("$started")
  answer_box "$started"  # "Se va a pedir un Mutex ..."
  wait_for grep -q "$started" "$mutex_file"
  answer_box "$started"  # "El Mutex fue asignado ..."
}

wait_for xdpyinfo -display "$display"
