#!/usr/bin/env bash
# The real program on a virtual X server of twice the usual density (QT_SCALE_FACTOR=2):
#  - the main window is 928 device pixels wide (464 logical);
#  - in the upper image box the start-up photograph (1280 x 960, fitted to 427 x 320 logical) is
#    drawn at device resolution: most 2 x 2 device blocks of its logical pixels hold more than
#    one colour;
#  - a checkerboard of single black and white pixels, 854 x 896, chosen in the open dialog (typed
#    into its name box with xdotool), fits the 427 x 448 box exactly at ratio 2 and shows pixel for
#    pixel: every device pixel differs from its right and lower neighbours.
set -euo pipefail
unset QT_QPA_PLATFORM
build=$(cd "${1:?usage: dense_screen_test.sh BUILD-DIR}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)

export BRELVIK_X_SCREEN=1400x1200x24
source "$here/x_session.sh"
run_in_x_session "$0" "$build" xdotool xwininfo import convert python3

cd "$work"
python3 "$here/screen_pixels.py" checkerboard "$work/board.bmp" 854 896
QT_SCALE_FACTOR=2 start_program "$build/brelvik"

window=$(wait_for_window '^Brelvik 1 10$') || { echo "FAIL: the main window did not appear"; cat "$work/out.log"; exit 1; }
geometry "$window"
echo "window at $left,$top size ${width}x$height"
[ "$width" -eq 928 ] || { echo "FAIL: width $width, want 928 device pixels"; exit 1; }
client_top=$((top + height - 962))

shot() { import -window root "$work/screen.png" && convert "$work/screen.png" "$work/screen.ppm"; }
# The area checked in the upper box: client (40, 200) to (400, 440) logical, inside the picture.
area_x=$((left + 80)) area_y=$((client_top + 400))

# The photograph is decoded on its first paint: wait for its sky.
for _ in $(seq 1 50); do
  shot
  IFS=, read -r r g b <<<"$(pixel $((left + 450)) $((client_top + 440)))"
  [ "$b" -gt $((r + 40)) ] && [ "$b" -gt 120 ] && break
  sleep 0.2
done
[ "$b" -gt $((r + 40)) ] || { echo "FAIL: no photograph in the upper box"; exit 1; }
[ -z "${BRELVIK_SHOT_KEEP:-}" ] || cp "$work/screen.png" "$BRELVIK_SHOT_KEEP-photo.png"
uniform=$(python3 "$here/screen_pixels.py" blocks "$work/screen.ppm" "$area_x" "$area_y" 720 480)
echo "photograph: share of one-colour 2x2 blocks $uniform"
python3 -c "import sys; sys.exit(0 if $uniform < 0.5 else 1)" ||
  { echo "FAIL: the photograph is drawn as 2x2 blocks ($uniform of them one colour)"; exit 1; }

# First browse button, logical (424, 33) in the client area; then the path into the open dialog.
xdotool mousemove $((left + 848)) $((client_top + 66))
sleep 0.3
xdotool click 1
dialog=""
for _ in $(seq 1 50); do
  dialog=$(xdotool search --onlyvisible --name '.' 2>/dev/null | grep -vx "$window" | head -1 || true)
  [ -n "$dialog" ] && break
  sleep 0.2
done
[ -n "$dialog" ] || { echo "FAIL: the open dialog did not appear"; exit 1; }
sleep 1
xdotool windowfocus --sync "$dialog" 2>/dev/null || true
eval "$(xdotool getwindowgeometry --shell "$dialog")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + 20))
sleep 0.3
xdotool type --delay 30 "$work/board.bmp"
sleep 0.3
xdotool key Return
sleep 1
# The name box's completion list may outlive the dialog; a click on a bare part of the panel
# (logical (230, 128), right of the quality label) closes it as a click outside any popup does.
xdotool mousemove $((left + 460)) $((client_top + 256)) click 1

bad=""
for _ in $(seq 1 50); do
  sleep 0.2
  shot
  bad=$(python3 "$here/screen_pixels.py" alternates "$work/screen.ppm" "$area_x" "$area_y" 720 500)
  [ "$bad" -eq 0 ] && break
done
[ -z "${BRELVIK_SHOT_KEEP:-}" ] || cp "$work/screen.png" "$BRELVIK_SHOT_KEEP-board.png"
[ "$bad" -eq 0 ] || { echo "FAIL: the checkerboard is not shown pixel for pixel ($bad pixels off)"; exit 1; }
echo "checkerboard: 720 x 500 device pixels alternate exactly"

python3 "$here/x11_close.py" "$window"
for _ in $(seq 1 50); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.2
done
if kill -0 "$pid" 2>/dev/null; then echo "FAIL: still running after the close"; exit 1; fi
pid=""
echo "PASS: drawn at twice the density"
