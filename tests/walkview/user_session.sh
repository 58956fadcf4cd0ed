#!/usr/bin/env bash
# Runs walkview like a user would, on a private X server: starts Xvfb, runs
# the program with SDL's x11 driver, presses keys and moves the mouse with
# xdotool, captures the window with xwd and converts the capture to a binary
# PPM. Prints "capture <file>" and, last, "status <exit status>".
#   user_session.sh <walkview> <grpfile> <mapname> <outdir>
set -u
walkview=$1 grp=$2 map=$3 out=$4

for tool in Xvfb xdotool xwd convert; do
  command -v "$tool" >/dev/null || { echo "missing $tool"; exit 77; }
done

# A display number of our own, so sessions run side by side.
display=""
for n in $(seq $((100 + $$ % 300)) 500); do
  if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then display=":$n"; break; fi
done
[ -n "$display" ] || { echo "no free display"; exit 1; }

# -noreset: the server must not reset when the readiness probe leaves.
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp -noreset >"$out/xvfb.log" 2>&1 &
xvfb=$!
cleanup() {
  [ -n "${viewer:-}" ] && kill "$viewer" 2>/dev/null
  kill "$xvfb" 2>/dev/null
  wait "$xvfb" 2>/dev/null
}
trap cleanup EXIT
export DISPLAY=$display
# Ready when a client can connect.
for _ in $(seq 100); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done

# The GL driver's caches are no leaks of ours (see tests/support/GLDriverLeaks.cpp).
SDL_VIDEODRIVER=x11 ASAN_OPTIONS=detect_leaks=0:alloc_dealloc_mismatch=0 "$walkview" "$grp" "$map" >"$out/walkview.log" 2>&1 &
viewer=$!

# Captures the window once it has settled: not black (the first frame is
# there), different from the capture named as second argument (the input
# sent since has been seen), and alike in two captures in a row (the program
# has worked through it; every key repaints).
capture() {  # name [earlier capture]
  local previous="$out/$1.previous.xwd" current="$out/$1.xwd" earlier="${2:+$out/$2.xwd}"
  xwd -id "$window" -silent >"$previous"
  for _ in $(seq 100); do
    sleep 0.2
    xwd -id "$window" -silent >"$current"
    if cmp -s "$previous" "$current" && [ "$(convert "xwd:$current" -format '%[max]' info:)" != 0 ] &&
       { [ -z "$earlier" ] || ! cmp -s "$earlier" "$current"; }; then
      break
    fi
    mv "$current" "$previous"
  done
  convert "xwd:$current" "$out/$1.ppm"
}

window=""
for _ in $(seq 200); do
  window=$(xdotool search --name "Gorvax 3D Map Viewer" 2>/dev/null | head -1)
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || { echo "no window"; cat "$out/walkview.log"; exit 1; }
xdotool windowfocus --sync "$window" 2>/dev/null || true
capture start

# Walk, look around, swap to the outline renderer and back, debug on.
xdotool key --delay 100 w w
xdotool mousemove_relative --sync -- 40 0 2>/dev/null || xdotool mousemove_relative -- 40 0
xdotool key --delay 150 F1
capture outline start
xdotool key --delay 150 F1 F2 F2
capture capture outline
echo "capture $out/capture.ppm"

xdotool key Escape
status=timeout
for _ in $(seq 100); do
  if ! kill -0 "$viewer" 2>/dev/null; then wait "$viewer"; status=$?; break; fi
  sleep 0.1
done
viewer=""
cat "$out/walkview.log"
echo "status $status"
