#!/usr/bin/env bash
# Undo and redo by their keys on the real program: Ctrl+Z after a Darken brings back the pixels on
# the screen as they were, Ctrl+Shift+Z and Ctrl+Y make the Darken again.
set -euo pipefail
unset QT_QPA_PLATFORM
build=$(cd "${1:?usage: undo_keys_x_test.sh BUILD-DIR}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)

source "$here/x_session.sh"
run_in_x_session "$0" "$build" openbox xdotool xwininfo import compare

trap 'kill ${wm:-} 2>/dev/null; cleanup_x_session' EXIT
start_window_manager
cd "$work"
start_program "$build/brelvik"
main=$(wait_for_window '^Brelvik 1 10$') || { echo "FAIL: no main window"; cat "$work/out.log"; exit 1; }
sleep 1.5
geometry "$main"
client_top=$((top + height - 481))

# NAME: the visible part of the working picture (client 12..428 x 180..468) as NAME.png.
shoot() {
  import -window root "$work/screen.png"
  convert "$work/screen.png" -crop "417x289+$((left + 12))+$((client_top + 180))" +repage "$work/$1.png"
}
differing() { compare -metric AE "$work/$1.png" "$work/$2.png" null: 2>&1 || true; }
mean() { convert "$work/$1.png" -format "%[fx:mean]" info:; }
keys() {
  xdotool mousemove $((left + 440)) $((client_top + 470)) click 1  # the main window, beside the pictures
  sleep 0.3
  xdotool key "$@"
  sleep 0.8
}

shoot original
# "Редактор", then "Затемнить"; in its window the first step (-10), "Да" by Return, and Escape
# hides the window.
xdotool mousemove $((left + 25)) $((top + 10)) click 1
sleep 0.5
xdotool key --delay 100 Down Down Down Return
sleep 0.8
xdotool key --delay 100 Down Return Escape
sleep 0.8
shoot darkened
[ "$(differing original darkened)" != 0 ] || { echo "FAIL: the Darken changed nothing on the screen"; exit 1; }
awk -v a="$(mean darkened)" -v b="$(mean original)" 'BEGIN { exit !(a < b) }' ||
  { echo "FAIL: the picture did not get darker"; exit 1; }

for case in "ctrl+z|original" "ctrl+shift+z|darkened" "ctrl+z|original" "ctrl+y|darkened"; do
  key=${case%%|*} want=${case#*|}
  keys "$key"
  shoot now
  got=$(differing now "$want")
  [ "$got" = 0 ] || { echo "FAIL: after $key, $got pixels differ from the $want picture"; exit 1; }
  echo "$key: the $want picture"
done
echo "PASS: Ctrl+Z restores the pixels before the Darken, Ctrl+Shift+Z and Ctrl+Y redo it"
