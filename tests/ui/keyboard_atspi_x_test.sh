#!/usr/bin/env bash
# Keyboard only, on a virtual X server, with the program on a private accessibility bus: open a
# picture through the first "Обзор", lighten it from the menu, close the dialog with Escape, and
# save it as JPEG and as an icon, each step checked as a screen reader sees it (keyboard_atspi.py).
# BRELVIK_SHOT_KEEP=prefix keeps screenshots of the focus marks (at ratio 1 and, with
# QT_SCALE_FACTOR=2 set, 2).
set -euo pipefail
unset QT_QPA_PLATFORM
build=$(cd "${1:?usage: keyboard_atspi_x_test.sh BUILD-DIR}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)

source "$here/x_session.sh"
run_in_x_session "$0" "$build" xdotool dbus-run-session
# The system's Python, where python3-pyatspi lives.
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "SKIP: python3-pyatspi is not installed"; exit 77; }
if [ -z "${BRELVIK_DBUS:-}" ]; then  # again, inside a session bus of its own
  BRELVIK_DBUS=1 dbus-run-session -- bash "$0" "$build"
  exit $?
fi

/usr/bin/python3 - "$work/quad.bmp" <<'PY'
import struct, sys
w, h = 120, 80
stride = (w * 3 + 3) & ~3
rows = b"".join(bytes((60, 90, 120) * w) + bytes(stride - 3 * w) for _ in range(h))
header = struct.pack("<2sIHHI", b"BM", 54 + len(rows), 0, 0, 54)
header += struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
open(sys.argv[1], "wb").write(header + rows)
PY

cd "$work"
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 start_program "$build/brelvik"
if ! timeout 240 /usr/bin/python3 "$here/keyboard_atspi.py" "$work"; then
  import -window root "$work/failed.png" 2>/dev/null && [ -n "${BRELVIK_SHOT_KEEP:-}" ] && cp "$work/failed.png" "$BRELVIK_SHOT_KEEP-failed.png"
  echo "FAIL: the keyboard run"
  cat "$work/out.log"
  exit 1
fi
if [ -n "${BRELVIK_SHOT_KEEP:-}" ]; then import -window root "$BRELVIK_SHOT_KEEP-end.png"; fi
main=$(wait_for_window '^Brelvik 1 10$')
close_expecting_success "$main"
