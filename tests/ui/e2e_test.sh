#!/usr/bin/env bash
# End to end: starts the real program on a virtual X server, checks that its main window shows a
# 464 x 481 client area below the menu bar with the start-up photograph in it, then closes the
# window and expects the program to end with exit code 0.
#
# Bare Xvfb has no window manager, so there is no frame and no close box to click. The close is
# sent the way a window manager sends it when the close box is clicked: the WM_DELETE_WINDOW
# message of the WM_PROTOCOLS protocol (x11_close.py). `xdotool windowclose` would destroy the
# window behind the program's back instead, which is not a close, and a signal would not be one
# either.
set -euo pipefail
# The program must reach the X server even when the caller runs the other tests offscreen.
unset QT_QPA_PLATFORM
build=$(cd "${1:?usage: e2e_test.sh BUILD-DIR}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)

source "$here/x_session.sh"
run_in_x_session "$0" "$build" xdotool xwininfo import convert python3

cd "$work"
start_program "$build/brelvik"

window=$(wait_for_window '^Brelvik 1 10$') || { echo "FAIL: the main window did not appear"; cat "$work/out.log"; exit 1; }
geometry "$window"
echo "window $window at $left,$top size ${width}x$height"


# The photograph is decoded on the first paint: wait until its sky is on screen. The client area is
# the bottom 481 rows; the upper image box's visible top lies at about (225, 220) in it.
client_top=$((top + height - 481))
photo_x=$((left + 225)) photo_y=$((client_top + 220))
sky=""
for _ in $(seq 1 50); do
  import -window root "$work/screen.png"
  sky=$(pixel "$photo_x" "$photo_y")
  IFS=, read -r r g b <<<"$sky"
  [ "$b" -gt $((r + 40)) ] && [ "$b" -gt 120 ] && break
  sleep 0.2
done
IFS=, read -r r g b <<<"$sky"
[ "$b" -gt $((r + 40)) ] && [ "$b" -gt 120 ] || { echo "FAIL: no photograph at $photo_x,$photo_y (found $sky)"; exit 1; }
echo "photograph sky pixel: $sky"

# Client area: 464 wide, and exactly 481 rows from the menu bar's lower edge to the bottom. The
# coloured panel fills it, so its top-left pixel has the panel's colour and the row above does not.
[ "$width" -eq 464 ] || { echo "FAIL: width $width, want 464"; exit 1; }
menu=$((height - 481))
[ "$menu" -ge 10 ] && [ "$menu" -le 40 ] || { echo "FAIL: height $height leaves a $menu-pixel menu bar"; exit 1; }
panel=$(pixel $((left + 1)) "$client_top")
above=$(pixel $((left + 1)) $((client_top - 1)))
[ "$panel" = "83,141,251" ] && [ "$above" != "83,141,251" ] ||
  { echo "FAIL: client area does not start at row $client_top (panel $panel, above $above)"; exit 1; }

close_expecting_success "$window"
echo "PASS: closed with exit code 0"
