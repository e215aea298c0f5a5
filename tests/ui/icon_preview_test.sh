#!/usr/bin/env bash
# The saved icon's preview on a virtual X server: a white picture with one red dot is saved as an
# icon and the lower image box shows the file read back. Where the icon is transparent the box must
# show what lies behind the icon, as beside it, and not its inverse; the dot stays red.
#
# The window is put up by a case of the window saves' test program (IconPreviewOnScreenForTheScreenshot),
# which waits while this script takes the shot and tells it to finish by creating the file "done".
set -euo pipefail
build=$(cd "${1:?usage: icon_preview_test.sh BUILD-DIR}" && pwd)
program="$build/ui_window_saves_test"

[ -x "$program" ] || { echo "FAIL: $program is not built"; exit 1; }
source "$(dirname "$0")/x_session.sh"
run_in_x_session "$0" "$build" import convert

BRELVIK_ICON_SHOT_DIR="$work" QT_QPA_PLATFORM=xcb \
  start_program "$program" --gtest_filter='*IconPreviewOnScreenForTheScreenshot'

wait_for_ready "window"
read -r x y <"$work/ready"
echo "lower image box at $x,$y"

import -window root "$work/screen.png"
# BRELVIK_SHOT_KEEP=file keeps the screenshot for a look.
[ -z "${BRELVIK_SHOT_KEEP:-}" ] || cp "$work/screen.png" "$BRELVIK_SHOT_KEEP"
touch "$work/done"
wait "$pid" || { echo "FAIL: the test program failed"; cat "$work/out.log"; exit 1; }
pid=""


# The icon sits at the box's top-left corner; the box beside it shows its own background.
dot=$(pixel $((x + 5)) $((y + 7)))
[ "$dot" = "255,0,0" ] || { echo "FAIL: the dot at icon pixel 5,7 is $dot, want 255,0,0"; exit 1; }
for at in "0 0" "6 7" "20 20" "31 0" "0 31" "31 31"; do
  read -r ix iy <<<"$at"
  got=$(pixel $((x + ix)) $((y + iy)))
  behind=$(pixel $((x + 40)) $((y + iy)))
  [ "$got" = "$behind" ] || { echo "FAIL: transparent icon pixel $ix,$iy is $got, the box beside it $behind"; exit 1; }
done
echo "PASS: the icon's transparent part shows the box behind it ($behind), its dot is red"
