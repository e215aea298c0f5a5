#!/usr/bin/env bash
# Fancy buttons that open a modal dialog, driven on a virtual X server as a person would: the button
# shows its sunken face for as long as the dialog its click opened is up, and after the dialog is
# closed with Esc, a second click without moving the mouse opens it again. Checked for the first
# "Обзор" of the main window (the open dialog) and for "Шрифт" of the Caption window (the font
# dialog).
#
# When a modal window takes the pointer, the toolkit tells the button the pointer left; when the
# window goes away over a resting pointer, the button hears only that the pointer came back.
set -euo pipefail
unset QT_QPA_PLATFORM
build=$(cd "${1:?usage: fancy_button_modal_test.sh BUILD-DIR}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)

source "$here/x_session.sh"
run_in_x_session "$0" "$build" xdotool xwininfo import convert

cd "$work"
start_program "$build/brelvik"

fail() { echo "FAIL: $*"; cat "$work/out.log"; exit 1; }

# The program's visible top-level windows.
windows() { xdotool search --onlyvisible --pid "$pid" 2>/dev/null || true; }
find_window() { wait_for_window "$1" || true; }  # empty when none appears
geometry() { xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4} /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, w, h}'; }
pixel() { convert "$work/screen.png" -format "%[fx:int(255*u.r)],%[fx:int(255*u.g)],%[fx:int(255*u.b)]" -crop "1x1+$1+$2" info:; }

# The face of a fancy button in the program's look (frame red, face lime): a pixel just inside
# the frame on the left, clear of the caption, is the 15 % mix when sunken and the innermost
# frame ring when flat.
Sunken="38,217,0" Flat="8,247,0"

# Clicks the button whose face has its top-left corner at ($1, $2) and is $3 wide, checks the
# sunken face while the dialog is up, closes it with Esc, and clicks again without moving.
check_button() {
  local x=$1 y=$2 w=$3 name=$4 before dialog face
  xdotool mousemove $((x + w / 2)) $((y + 9))
  sleep 0.4
  before=$(window_count)
  xdotool click 1
  wait_window_count $((before + 1)) || fail "$name: the click opened no dialog"
  sleep 0.6
  dialog=$(windows | while read -r id; do
             [ "$id" != "$main" ] && [ "$id" != "${caption:-}" ] && echo "$id"
           done | tail -1)
  # The dialog is centred on its window and may hide the button: move it out of the way. It stays
  # under the X server's control, so the pointer does not move.
  xdotool windowmove "$dialog" 0 500
  sleep 0.6
  import -window root "$work/screen.png"
  [ -z "${BRELVIK_SHOT_KEEP:-}" ] || cp "$work/screen.png" "$BRELVIK_SHOT_KEEP-$name.png"
  face=$(pixel $((x + 5)) $((y + 9)))
  [ "$face" = "$Sunken" ] || fail "$name: the face is $face while the dialog is up, want the sunken $Sunken"
  echo "$name: sunken face $face while the dialog is up"

  xdotool key Escape
  wait_window_count "$before" || fail "$name: Esc did not close the dialog"
  sleep 0.6
  import -window root "$work/screen.png"
  face=$(pixel $((x + 5)) $((y + 9)))
  [ "$face" = "$Flat" ] || fail "$name: the face is $face after the dialog closed, want the flat $Flat"

  xdotool click 1
  wait_window_count $((before + 1)) || fail "$name: a second click without moving the mouse opened no dialog"
  echo "$name: the second click without a move opened the dialog again"
  sleep 0.6
  xdotool key Escape
  wait_window_count "$before" || fail "$name: Esc did not close the second dialog"
  sleep 0.4
}

main=$(find_window '^Brelvik 1 10$')
[ -n "$main" ] || fail "the main window did not appear"
read -r left top width height < <(geometry "$main")
client_top=$((top + height - 481))
sleep 1
check_button $((left + 400)) $((client_top + 24)) 49 "Обзор"

# The Caption window from the menu: "Редактор", then its last item, "Подписать картинку".
xdotool mousemove $((left + 30)) $(((top + client_top) / 2))
sleep 0.3
xdotool click 1
sleep 0.6
xdotool key Up
sleep 0.3
xdotool key Return
caption=$(find_window '^Текст$')
[ -n "$caption" ] || fail "the Caption window did not appear"
read -r cleft ctop cwidth cheight < <(geometry "$caption")
sleep 0.6
check_button $((cleft + 16)) $((ctop + cheight - 161 + 50)) 81 "Шрифт"
echo "PASS: both buttons stay sunken under their dialog and open it again without a move"
