#!/usr/bin/env bash
# A copy killed while it holds the mutex leaves it abandoned: the next copy
# starts normally.
source "$(dirname "$0")/lib/desktop.bash"

start_lumo
kill -9 "$started"
wait "$started" 2>/dev/null || true
start_lumo
echo "a copy started after the owner was killed runs normally"
