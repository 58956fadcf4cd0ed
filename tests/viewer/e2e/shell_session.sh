#!/usr/bin/env bash
# Runs a viewer as a user who browses an archive would, on a private X server
# (see tests/support/x11_session.sh), in <outdir> as the working folder:
# Tab to the other view and back, PageDown and PageUp, F12, then Esc. Writes
# start.ppm, other.ppm, back.ppm, next.ppm and prior.ppm to <outdir>; prints
# the window's title after each page key, the picture F12 wrote, the
# program's output and, last, "status <exit status>".
#   shell_session.sh <program> <title> <grpfile> <mapname> <outdir>
set -u
program=$1 title=$2 grp=$3 map=$4 out=$5
source "${0%/*}/../../support/x11_session.sh"

x11_need_tools
x11_start "$out"
cd "$out"
x11_launch "$program" "$grp" "$map"
x11_find_window "$title"
x11_capture start
# The first frame is there: the map is read and the title names it.
echo "title $(xdotool getwindowname "$window")"

xdotool key Tab
x11_capture other start
xdotool key Tab
x11_capture back other
xdotool key Next
x11_capture next back
echo "title $(xdotool getwindowname "$window")"
xdotool key Prior
x11_capture prior next
echo "title $(xdotool getwindowname "$window")"
xdotool key F12
x11_poll 100 0.1 compgen -G '*-1.png' && echo "picture $(compgen -G '*-1.png')"

x11_quit
cat "$out/stdout.txt" "$out/stderr.txt"
echo "status $status"
