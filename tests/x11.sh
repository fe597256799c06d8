#!/bin/sh
# Runs one program against a private X server with real X11 windows, for tests
# whose fault only shows on a real display (pointer grabs, the window
# manager's pings, nested modal loops, focus). Xvfb picks a free display
# itself and says which on a pipe; the program runs with DISPLAY set to it and
# QT_QPA_PLATFORM=xcb; the server is stopped by its process id afterwards,
# whatever the program's result. Without Xvfb the program is not run and the
# script exits 77 (ctest counts that as skipped).
#
#   sh tests/x11.sh build/bin/x11_ping_test [args...]
set -u
if ! command -v Xvfb >/dev/null 2>&1; then
  echo "x11.sh: Xvfb is not installed; skipping $1"
  exit 77
fi
dir=$(mktemp -d /tmp/orvanta-x11.XXXXXX) || exit 1
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$dir/display" 2>"$dir/xvfb.log" &
xvfb=$!
cleanup() {
  kill "$xvfb" 2>/dev/null
  wait "$xvfb" 2>/dev/null
  rm -rf "$dir"
}
trap cleanup EXIT
trap 'exit 130' INT TERM
i=0
while [ ! -s "$dir/display" ] && [ "$i" -lt 100 ]; do
  kill -0 "$xvfb" 2>/dev/null || break
  sleep 0.1
  i=$((i + 1))
done
number=$(head -n 1 "$dir/display")
if [ -z "$number" ]; then
  echo "x11.sh: Xvfb did not start:"
  cat "$dir/xvfb.log"
  exit 1
fi
DISPLAY=":$number" QT_QPA_PLATFORM=xcb "$@"
