#!/usr/bin/env bash
# The program's command line on a virtual X server.
#  - `brelvik --version` and `--help` answer without a display; an unknown option is refused.
#  - Started with a BMP path, the window shows that picture in the upper box (read from a
#    screenshot) and the path in the source box (copied out of it with Ctrl+A, Ctrl+C as a person
#    would, and read from the clipboard). Its WM_CLASS is the desktop entry's StartupWMClass.
#  - Started with a missing path, the error box comes up over the window and names the file (its
#    text selected and copied as above); after OK the window goes on with the path in the source box.
#  - The drop test program runs on this server too, so drops reach a real X window.
set -euo pipefail
unset QT_QPA_PLATFORM
build=$(cd "${1:?usage: startup_argument_test.sh BUILD-DIR}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
desktop="$here/../../packaging/org.brelvik.Brelvik.desktop.in"

if [ -z "${BRELVIK_X_SESSION:-}" ]; then
  out=$(env -u DISPLAY -u WAYLAND_DISPLAY "$build/brelvik" --version)
  [ "$out" = "Brelvik 1 10" ] || { echo "FAIL: --version printed '$out'"; exit 1; }
  env -u DISPLAY -u WAYLAND_DISPLAY "$build/brelvik" --help | grep -q '^Usage: brelvik \[FILE\]' ||
    { echo "FAIL: --help"; exit 1; }
  echo "--version and --help answer without a display"
fi

source "$here/x_session.sh"
run_in_x_session "$0" "$build" xdotool xwininfo xprop xclip import convert python3

set +e
"$build/brelvik" --no-such-option >"$work/refused.log" 2>&1
code=$?
set -e
[ "$code" -eq 2 ] && grep -q "unknown option '--no-such-option'" "$work/refused.log" ||
  { echo "FAIL: an unknown option gave exit code $code: $(cat "$work/refused.log")"; exit 1; }

# Selects all of the edit under (x, y) and copies it, as a person would; prints the clipboard.
copy_edit_text() {
  xdotool mousemove "$1" "$2" click 1
  sleep 0.3
  xdotool key ctrl+a
  sleep 0.2
  xdotool key ctrl+c
  sleep 0.3
  xclip -o -selection clipboard
}
close_program() {
  python3 "$here/x11_close.py" "$1"
  for _ in $(seq 1 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.2; done
  set +e
  wait "$pid"
  local code=$?
  set -e
  pid=""
  [ "$code" -eq 0 ] || { echo "FAIL: exit code $code after the close"; cat "$work/out.log"; exit 1; }
}

# A 200 x 120 BMP, left half magenta, right half cyan: smaller than the box, so shown centred.
convert -size 100x120 xc:magenta -size 100x120 xc:cyan +append BMP3:"$work/halves.bmp"
cd "$work"
start_program "$build/brelvik" "$work/halves.bmp"
window=$(wait_for_window '^Brelvik 1 10$') || { echo "FAIL: no main window"; cat "$work/out.log"; exit 1; }
geometry "$window"
client_top=$((top + height - 481))
# The upper box's centre: the scroll box at (8, 176) with its frame, the box at (2, -63), 427 x 448.
centre_x=$((left + 8 + 1 + 2 + 213)) centre_y=$((client_top + 176 + 1 - 63 + 224))
for _ in $(seq 1 50); do
  import -window root "$work/screen.png"
  [ "$(pixel $((centre_x - 50)) "$centre_y")" = "255,0,255" ] && break
  sleep 0.2
done
[ -z "${BRELVIK_SHOT_KEEP:-}" ] || cp "$work/screen.png" "$BRELVIK_SHOT_KEEP-picture.png"
for probe in "-50 0 255,0,255" "50 0 0,255,255" "-95 -55 255,0,255" "95 55 0,255,255"; do
  read -r dx dy want <<<"$probe"
  got=$(pixel $((centre_x + dx)) $((centre_y + dy)))
  [ "$got" = "$want" ] || { echo "FAIL: upper box at $dx,$dy from its centre is $got, want $want"; exit 1; }
done
# Just outside the picture the box shows no picture colour.
got=$(pixel $((centre_x - 105)) "$centre_y")
[ "$got" != "255,0,255" ] || { echo "FAIL: the picture is wider than 200 pixels"; exit 1; }
echo "the picture is in the upper box"

source_edit_x=$((left + 16 + 150)) source_edit_y=$((client_top + 24 + 11))
text=$(copy_edit_text "$source_edit_x" "$source_edit_y")
[ "$text" = "$work/halves.bmp" ] || { echo "FAIL: the source box holds '$text'"; exit 1; }
echo "the source box holds the path"

wm_class=$(xprop -id "$window" WM_CLASS | sed -E 's/.*= "[^"]*", "([^"]*)"/\1/')
startup_class=$(sed -n 's/^StartupWMClass=//p' "$desktop")
[ "$wm_class" = "$startup_class" ] || { echo "FAIL: WM_CLASS '$wm_class', desktop entry '$startup_class'"; exit 1; }
echo "WM_CLASS class '$wm_class' matches the desktop entry"
close_program "$window"

# A missing file: the window comes up, then the error box over it.
start_program "$build/brelvik" "$work/missing.bmp"
window=$(wait_for_window '^Brelvik 1 10$') || { echo "FAIL: no main window"; cat "$work/out.log"; exit 1; }
box=$(wait_for_window '^brelvik$') || { echo "FAIL: no error box"; exit 1; }
geometry "$box"
sleep 0.5
import -window root "$work/screen.png"
[ -z "${BRELVIK_SHOT_KEEP:-}" ] || cp "$work/screen.png" "$BRELVIK_SHOT_KEEP-missing.png"
# The box's text can be selected with the mouse: a triple click on it, then Ctrl+C.
xdotool mousemove $((left + 150)) $((top + 20)) click --repeat 3 1
sleep 0.3
xdotool key ctrl+c
sleep 0.3
message=$(xclip -o -selection clipboard)
grep -qF "Cannot open file \"$work/missing.bmp\"" <<<"$message" ||
  { echo "FAIL: the error box says: $message"; exit 1; }
echo "error box: $(grep -F 'Cannot open' <<<"$message")"
xdotool key Return
for _ in $(seq 1 25); do
  xdotool search --onlyvisible --name '^brelvik$' >/dev/null 2>&1 || break
  sleep 0.2
done
xdotool search --onlyvisible --name '^brelvik$' >/dev/null 2>&1 && { echo "FAIL: the error box stays"; exit 1; }
geometry "$window"
client_top=$((top + height - 481))
text=$(copy_edit_text $((left + 16 + 150)) $((client_top + 24 + 11)))
[ "$text" = "$work/missing.bmp" ] || { echo "FAIL: after the error the source box holds '$text'"; exit 1; }
close_program "$window"
echo "a missing file: error box over the window, the path stays in the source box"

QT_QPA_PLATFORM=xcb BRELVIK_DROP_SHOT="${BRELVIK_SHOT_KEEP:+$BRELVIK_SHOT_KEEP-drop.png}" \
  "$build/ui_file_drop_test" >"$work/drop.log" 2>&1 || { cat "$work/drop.log"; echo "FAIL: drops on X"; exit 1; }
grep -E '^\[  (PASSED|SKIPPED) ' "$work/drop.log"
echo "PASS: the picture argument, a missing one and drops on a real X server"
