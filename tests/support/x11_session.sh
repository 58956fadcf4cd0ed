# Shell functions for the user sessions of both viewers: a private X server
# (Xvfb), the real program on it with SDL's x11 driver, keys and mouse moves
# sent with xdotool, and the window captured with xwd and converted to a
# binary PPM. Nothing waits a fixed time for something to happen: every wait
# polls for its condition (the display answers, the window is there, the
# picture has settled, the program has ended), with a bound. Source it, then:
#   x11_need_tools                      ends with status 77 (a skip) without Xvfb, xdotool, xwd or convert
#   x11_start <outdir>                  Xvfb on a display of its own, DISPLAY set, the rest cleaned up at exit
#   x11_launch <program> <argument>...  the program, its output in <outdir>/stdout.txt and stderr.txt
#   x11_find_window <title>             its window in $window, focused
#   x11_capture <name> [<earlier>]      <outdir>/<name>.ppm once the picture has settled
#   x11_quit                            Esc, then the program's exit status in $status

x11_need_tools() {
  local tool
  for tool in Xvfb xdotool xwd convert; do
    command -v "$tool" >/dev/null || { echo "missing $tool"; exit 77; }
  done
}

# x11_poll <tries> <pause> <command>...: runs the command (quietly) until it
# succeeds, at most <tries> times, <pause> seconds apart.
x11_poll() {
  local tries=$1 pause=$2
  shift 2
  for _ in $(seq "$tries"); do
    "$@" >/dev/null 2>&1 && return 0
    sleep "$pause"
  done
  return 1
}

x11_cleanup() {
  [ -n "${viewer:-}" ] && kill "$viewer" 2>/dev/null
  [ -n "${x11_server:-}" ] && kill "$x11_server" 2>/dev/null && wait "$x11_server" 2>/dev/null
  return 0
}

x11_start() {
  x11_out=$1
  mkdir -p "$x11_out"
  local display_file=$x11_out/display
  : >"$display_file"
  # The server picks a free display and names it on fd 3, so sessions run
  # side by side. -noreset: it must not reset when the readiness probe leaves.
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$display_file" 2>"$x11_out/xvfb.log" &
  x11_server=$!
  trap x11_cleanup EXIT
  x11_poll 200 0.05 test -s "$display_file" || { echo "no display"; exit 1; }
  export DISPLAY=:$(head -1 "$display_file")
  # Ready when a client can connect.
  x11_poll 100 0.1 xdotool getdisplaygeometry || { echo "display $DISPLAY does not answer"; exit 1; }
}

x11_launch() {
  # The GL driver's caches are no leaks of ours (see tests/support/GLDriverLeaks.cpp).
  SDL_VIDEODRIVER=x11 ASAN_OPTIONS=detect_leaks=0:alloc_dealloc_mismatch=0 \
    "$@" >"$x11_out/stdout.txt" 2>"$x11_out/stderr.txt" &
  viewer=$!
}

x11_find_window() {
  window=""
  for _ in $(seq 200); do
    window=$(xdotool search --name "$1" 2>/dev/null | head -1)
    [ -n "$window" ] && break
    kill -0 "$viewer" 2>/dev/null || break   # ended: no window will come
    sleep 0.1
  done
  if [ -z "$window" ]; then
    echo "no window"
    cat "$x11_out/stdout.txt" "$x11_out/stderr.txt"
    exit 1
  fi
  xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowfocus "$window" 2>/dev/null || true
}

# Captures the window once it has settled: not black (the first frame is
# there), different from the earlier capture if one is named (the input
# sent since has been seen), and alike in two captures in a row (the
# program has worked through it; every key repaints).
x11_capture() {
  local previous="$x11_out/$1.previous.xwd" current="$x11_out/$1.xwd" earlier="${2:+$x11_out/$2.xwd}"
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
  rm -f "$previous"
  convert "xwd:$current" "$x11_out/$1.ppm"
}

x11_quit() {
  xdotool key Escape
  status=timeout
  for _ in $(seq 100); do
    if ! kill -0 "$viewer" 2>/dev/null; then
      wait "$viewer"
      status=$?
      break
    fi
    sleep 0.1
  done
  if [ "$status" = timeout ]; then
    kill "$viewer" 2>/dev/null
    wait "$viewer" 2>/dev/null
    echo "still running after Escape"
  fi
  viewer=""
}
