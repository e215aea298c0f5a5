#!/usr/bin/env bash
# The open picture dialog on a virtual X server: a 640 x 480 BMP (left half magenta, right half
# green) is selected and a screenshot of the screen must show it, shrunk with its aspect kept and
# centred, in the dialog's preview box.
#
# The program has no command line to open its dialog with, so the dialog is shown by a case of the
# picture dialogs' test program (OnScreenForTheScreenshot), which waits while this script takes
# the shot with ImageMagick's `import` and tells it to finish by creating the file "done".
set -euo pipefail
build=$(cd "${1:?usage: dialog_preview_test.sh BUILD-DIR}" && pwd)
program="$build/ui_picture_dialogs_test"

[ -x "$program" ] || { echo "FAIL: $program is not built"; exit 1; }
source "$(dirname "$0")/x_session.sh"
run_in_x_session "$0" "$build" import convert

BRELVIK_DIALOG_SHOT_DIR="$work" QT_QPA_PLATFORM=xcb \
  start_program "$program" --gtest_filter='*OnScreenForTheScreenshot'

wait_for_ready "dialog"
read -r x y w h label <"$work/ready"
echo "preview box at $x,$y size ${w}x$h, label '$label'"
[ "$label" = "(640x480)" ] || { echo "FAIL: label '$label'"; exit 1; }

import -window root "$work/screen.png"
# BRELVIK_SHOT_KEEP=file keeps the screenshot for a look.
[ -z "${BRELVIK_SHOT_KEEP:-}" ] || cp "$work/screen.png" "$BRELVIK_SHOT_KEEP"
touch "$work/done"
wait "$pid" || { echo "FAIL: the test program failed"; cat "$work/out.log"; exit 1; }
pid=""

expect() {
  local got
  got=$(pixel "$1" "$2")
  [ "$got" = "$3" ] || { echo "FAIL: $4 at $1,$2 is $got, want $3"; exit 1; }
}

# The picture fills the box's width: its height is w * 3 / 4, centred vertically.
ph=$((w * 3 / 4))
top=$((y + (h - ph) / 2))
mid=$((top + ph / 2))
expect $((x + w / 4)) "$mid" "255,0,255" "left half"
expect $((x + 3 * w / 4)) "$mid" "0,255,0" "right half"
expect $((x + 2)) $((top + 2)) "255,0,255" "top-left corner of the picture"
expect $((x + w - 3)) $((top + ph - 3)) "0,255,0" "bottom-right corner of the picture"
# Above and below the picture the box shows no picture colours.
for row in $((top - 3)) $((top + ph + 2)); do
  got=$(pixel $((x + w / 4)) "$row")
  [ "$got" != "255,0,255" ] && [ "$got" != "0,255,0" ] || { echo "FAIL: picture colour $got outside it at row $row"; exit 1; }
done
echo "PASS: the selected BMP is on screen in the dialog's preview"
