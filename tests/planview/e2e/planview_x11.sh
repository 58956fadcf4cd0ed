#!/usr/bin/env bash
# Runs planview as a user would: on its own Xvfb display with SDL's x11
# driver, keys typed with xdotool, the window captured with xwd before and
# after the keys. Writes before.ppm, after.ppm and stdout.txt to <outdir>
# and prints "status <exit status of planview>".
#   planview_x11.sh <planview> <grpfile> <mapname> <outdir> <key>...
set -u
planview=$1 grp=$2 map=$3 out=$4
shift 4
mkdir -p "$out"
display_file=$out/display
: > "$display_file"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$display_file" 2>"$out/xvfb.log" &
xvfb=$!
trap 'kill $xvfb 2>/dev/null' EXIT
for _ in $(seq 100); do [ -s "$display_file" ] && break; sleep 0.05; done
[ -s "$display_file" ] || { echo "no display"; exit 1; }
export DISPLAY=:$(cat "$display_file")

SDL_VIDEODRIVER=x11 ASAN_OPTIONS=detect_leaks=0:alloc_dealloc_mismatch=0 "$planview" "$grp" "$map" >"$out/stdout.txt" 2>"$out/stderr.txt" &
viewer=$!
window=$(timeout 20 xdotool search --sync --name "Gorvax 2D Map Viewer" | head -1)
[ -n "$window" ] || { kill $viewer; echo "no window"; exit 1; }
xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
sleep 1
capture() {
  xwd -silent -id "$window" -out "$out/$1.xwd" && convert "xwd:$out/$1.xwd" "$out/$1.ppm"
}
capture before
for key in "$@"; do
  xdotool key "$key"
  sleep 0.2
done
sleep 1
capture after
xdotool key Escape
for _ in $(seq 100); do kill -0 $viewer 2>/dev/null || break; sleep 0.05; done
if kill -0 $viewer 2>/dev/null; then
  kill $viewer
  echo "still running after Escape"
fi
wait $viewer
echo "status $?"
