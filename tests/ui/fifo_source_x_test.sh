#!/usr/bin/env bash
# On a real X server: a FIFO typed into the source box, then the information command. The window
# must not freeze waiting for a writer: the error box with the system's refusal comes at once, and
# after OK the program still closes normally.
set -euo pipefail
unset QT_QPA_PLATFORM
build=$(cd "${1:?usage: fifo_source_x_test.sh BUILD-DIR}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)

source "$here/x_session.sh"
run_in_x_session "$0" "$build" xdotool xwininfo import python3

cd "$work"
mkfifo "$work/p.bmp"
start_program "$build/brelvik"

window=$(wait_for_window '^Brelvik 1 10$') || { echo "FAIL: the main window did not appear"; cat "$work/out.log"; exit 1; }
geometry "$window"
client_top=$((top + height - 481))

# The source box lies at (16, 24) in the client area; the "Инфа" menu is the second in the bar.
xdotool mousemove $((left + 200)) $((client_top + 34)) click 1
sleep 0.3
xdotool type --delay 40 "$work/p.bmp"
sleep 0.8  # the command is enabled by a half-second timer once a source is typed
xdotool mousemove $((left + 94)) $((top + 8)) click 1
sleep 0.5
xdotool mousemove $((left + 130)) $((top + 30)) click 1

box=""
for _ in $(seq 1 25); do
  box=$(xdotool search --onlyvisible --name '^brelvik$' 2>/dev/null | head -1 || true)
  [ -n "$box" ] && break
  sleep 0.2
done
import -window root "$work/screen.png"
[ -n "$box" ] || { echo "FAIL: no error box within 5 s (the window waits on the FIFO?)"; exit 1; }
xdotool search --onlyvisible --name '^О BMP файле$' >/dev/null ||
  { echo "FAIL: the information window is not shown"; exit 1; }
echo "error box $box shown at once"
[ -n "${BRELVIK_KEEP_SCREEN:-}" ] && cp "$work/screen.png" "$BRELVIK_KEEP_SCREEN"

xdotool windowactivate --sync "$box" key Return 2>/dev/null || xdotool key Return
sleep 0.5
close_expecting_success "$window"
echo "PASS: refused at once, closed with exit code 0"
