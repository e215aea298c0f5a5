#!/usr/bin/env bash
# The save button on a virtual X server, driven as a person would: a picture given at start-up is
# saved as JPEG through the real save dialog, then as an icon after picking the icon type there.
# While the icon type is picked in the open dialog the quality slider is disabled; each save writes
# the target name with its kind's extension and shows the written file in the lower image box.
set -euo pipefail
unset QT_QPA_PLATFORM
build=$(cd "${1:?usage: save_flow_x_test.sh BUILD-DIR}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)

source "$here/x_session.sh"
run_in_x_session "$0" "$build" xdotool xwininfo import convert python3

fail() { echo "FAIL: $*"; cat "$work/out.log"; exit 1; }

# 120 x 80: red, green above blue, yellow; the icon takes the red top-left 32 x 32 corner.
python3 - "$work/quad.bmp" <<'EOF'
import struct, sys
w, h = 120, 80
stride = (w * 3 + 3) & ~3
def colour(x, y):
    return ((255, 0, 0) if x < 60 else (0, 160, 0)) if y < 40 else ((0, 0, 255) if x < 60 else (255, 255, 0))
rows = b"".join(bytes(v for x in range(w) for v in reversed(colour(x, y))) + bytes(stride - 3 * w)
                for y in reversed(range(h)))
header = struct.pack("<2sIHHI", b"BM", 54 + len(rows), 0, 0, 54)
header += struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
open(sys.argv[1], "wb").write(header + rows)
EOF

cd "$work"
start_program "$build/brelvik" "$work/quad.bmp"
main=$(wait_for_window '^Brelvik 1 10$') || fail "the main window did not appear"
geometry "$main"
left_main=$left client_top=$((top + height - 481))
sleep 1

shot() { sleep 0.8; import -window root "$work/screen.png"; }
click() { xdotool mousemove "$1" "$2"; sleep 0.4; xdotool click 1; }
is_red() { IFS=, read -r r g b <<<"$1"; [ "$r" -gt 200 ] && [ "$g" -lt 60 ] && [ "$b" -lt 60 ]; }
is_blue() { IFS=, read -r r g b <<<"$1"; [ "$b" -gt 200 ] && [ "$r" -lt 60 ] && [ "$g" -lt 60 ]; }

# The program's other large window: small ones are popups and tooltips.
the_dialog() {
  local id
  for id in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
    [ "$id" = "$main" ] && continue
    geometry "$id"
    [ "$width" -ge 400 ] && { echo "$id"; return 0; }
  done
  return 0
}

# The second browse button opens the save dialog; answers the name, with the icon type if asked.
choose_target() {
  local kind=$1 dialog
  click $((left_main + 424)) $((client_top + 89))
  wait_window_count 2 || fail "no save dialog"
  sleep 0.8
  dialog=$(the_dialog)
  [ -n "$dialog" ] || fail "no save dialog among the program's windows"
  if [ "$kind" = icon ]; then
    # The type list sits at the dialog's bottom left, under the name box.
    geometry "$dialog"
    echo "save dialog at $left,$top, ${width}x$height"
    click $((left + 222)) $((top + height - 24))
    sleep 0.6
    xdotool key Down Return
    xdotool windowmove "$dialog" 0 340  # uncovers the slider; the timer has half a second
    shot
    slider=$(pixel $((left_main + 120)) $((client_top + 146)))
    geometry "$dialog"
    click $((left + 300)) $((top + height - 54))  # back to the name box
  fi
  xdotool key ctrl+a  # the name box holds the last confirmed name
  xdotool type --delay 40 "$work/out"
  sleep 0.3
  xdotool key Return
  wait_window_count 1 || fail "the save dialog did not close"
}

# Saves, then scrolls the lower image box into view: to the end, then one step back, which leaves
# the box's top 14 rows below the scroll box's top edge.
save_and_look() {
  click $((left_main + 416)) $((client_top + 125))
  sleep 1
  xdotool mousemove $((left_main + 200)) $((client_top + 330))
  for _ in $(seq 1 40); do xdotool click 5; done
  sleep 0.3
  xdotool click 4
  shot
}
preview() { pixel $((left_main + 11 + $1)) $((client_top + 191 + $2)); }

slider=""
choose_target jpeg
save_and_look
[ -f "$work/out.jpg" ] || fail "no out.jpg"
[ "$(head -c 2 "$work/out.jpg" | od -An -tx1 | tr -d ' ')" = ffd8 ] || fail "out.jpg is not a JPEG file"
is_red "$(preview 20 20)" && is_blue "$(preview 20 60)" ||
  fail "the preview shows $(preview 20 20) and $(preview 20 60), want the picture's red and blue"
echo "JPEG: out.jpg written, preview red $(preview 20 20), blue $(preview 20 60)"

choose_target icon
[ "$slider" = "167,167,167" ] || fail "the slider shows $slider with the icon type picked, want disabled grey"
echo "icon type picked: the slider is disabled ($slider)"
save_and_look
[ "$(stat -c %s "$work/out.ico")" -eq 766 ] || fail "out.ico is not a 766-byte icon"
is_red "$(preview 10 10)" && ! is_red "$(preview 50 10)" ||
  fail "the preview shows $(preview 10 10) and $(preview 50 10), want the icon's red corner alone"
echo "icon: out.ico written, preview red $(preview 10 10) within 32 pixels only"

close_expecting_success "$main"
echo "PASS: JPEG and icon saved through the real dialog and shown read back"
