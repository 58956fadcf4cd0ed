#!/usr/bin/env bash
# Runs a viewer as a user who asks what things are would, on a private X
# server (see tests/support/x11_session.sh): I turns the info panel on; in
# the plan (after Tab when the program starts in 3D) the pointer moves to
# <x>,<y> and clicks there, which puts the player on the sector under it;
# Tab carries him into the 3D view; Esc. Writes panel.ppm, pointed.ppm,
# clicked.ppm and after.ppm to <outdir>; prints the program's output (the
# panel's text each time it changed) and, last, "status <exit status>".
#   panel_session.sh <program> <title> <3d|plan> <grpfile> <mapname> <x> <y> <outdir>
set -u
program=$1 title=$2 first=$3 grp=$4 map=$5 x=$6 y=$7 out=$8
source "${0%/*}/../../support/x11_session.sh"

x11_need_tools
x11_start "$out"
x11_launch "$program" "$grp" "$map"
x11_find_window "$title"
x11_capture start
xdotool key i
x11_capture panel start
if [ "$first" = 3d ]; then
  xdotool key Tab
  x11_capture plan panel
  shown=plan
else
  shown=panel
fi
xdotool mousemove --window "$window" "$x" "$y"
x11_capture pointed "$shown"
xdotool click 1
x11_capture clicked pointed
xdotool key Tab
x11_capture after clicked

x11_quit
cat "$out/stdout.txt" "$out/stderr.txt"
echo "status $status"
