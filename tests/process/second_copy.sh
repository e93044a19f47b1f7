#!/usr/bin/env bash
# The built lumo started twice: the second copy shows its two boxes and the
# halt box, then ends with exit code 0, and the first copy keeps running.
source "$(dirname "$0")/lib/desktop.bash"

start_lumo
first=$started
"$lumo" & second=$!
pids+=("$second")
answer_box "$second"  # "Se va a pedir un Mutex ..."
answer_box "$second"  # "El programa ya esta en ejecucion ..."
answer_box "$second"  # "Halt": "El programa no puede ejecutarse"
status=0
wait "$second" || status=$?
[ "$status" -eq 0 ] || { echo "second copy ended with $status" >&2; exit 1; }
kill -0 "$first" || { echo "the first copy did not survive" >&2; exit 1; }
grep -q "$first" "$mutex_file" || { echo "the first copy lost the mutex" >&2; exit 1; }
echo "second copy refused with exit code 0; first copy still running"
