#!/usr/bin/env bash
# Runs walkview like a user would, on a private X server (see
# tests/support/x11_session.sh): walks, looks around with the mouse, swaps
# to the wire renderer and back, turns debug drawing on and off, and
# captures the window at the start, in the wire view and at the end.
# Writes start.ppm, wire.ppm and capture.ppm to <outdir>; prints the
# program's output and, last, "status <exit status>".
#   user_session.sh <walkview> <grpfile> <mapname> <outdir>
set -u
walkview=$1 grp=$2 map=$3 out=$4
source "${0%/*}/../support/x11_session.sh"

x11_need_tools
x11_start "$out"
x11_launch "$walkview" "$grp" "$map"
x11_find_window "Gorvax 3D Map Viewer"
x11_capture start

xdotool key --delay 100 w w
xdotool mousemove_relative --sync -- 40 0 2>/dev/null || xdotool mousemove_relative -- 40 0
xdotool key --delay 150 F1
x11_capture wire start
xdotool key --delay 150 F1 F2 F2
x11_capture capture wire

x11_quit
cat "$out/stdout.txt" "$out/stderr.txt"
echo "status $status"
