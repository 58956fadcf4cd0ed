#!/usr/bin/env bash
# Runs planview as a user would, on a private X server (see
# tests/support/x11_session.sh): captures the window, types the keys,
# captures it again once the keys have been seen, and presses Esc. Writes
# before.ppm, after.ppm and the program's stdout.txt to <outdir>; prints
# "status <exit status of planview>".
#   planview_x11.sh <planview> <grpfile> <mapname> <outdir> <key>...
set -u
planview=$1 grp=$2 map=$3 out=$4
shift 4
source "${0%/*}/../../support/x11_session.sh"

x11_need_tools
x11_start "$out"
x11_launch "$planview" "$grp" "$map"
x11_find_window "Gorvax 2D Map Viewer"
x11_capture before
xdotool key --delay 100 "$@"
x11_capture after before
x11_quit
echo "status $status"
